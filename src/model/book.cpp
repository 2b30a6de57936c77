#include "model/book.h"

#include <stdexcept>

namespace vantrels {

const char* RoadwayName(Roadway roadway) {
  return roadway == Roadway::Divided ? "DIVIDED" : "UNDIVIDED";
}

std::string FormatStationEntry(const StationEntry& entry) {
  return std::to_string(int64_t{entry.page} + 1) + "            " + entry.station;
}

const char* ReportRecord::SectionLabel() const {
  return cross_section ? "Cross Sec. Sta." : "Design Sec. Sta.";
}

const Cell* ReportRecord::CellAt(int32_t row, int32_t column) const {
  if (row < 0 || column < 0 || column >= kPointsPerRow) return nullptr;
  const int64_t index = int64_t{row} * kPointsPerRow + column;
  if (index >= static_cast<int64_t>(cells.size())) return nullptr;
  return &cells[static_cast<size_t>(index)];
}

namespace {

// One row per book: undivided, left, right.
constexpr SideNames kSideNames[] = {
    {"", "", "The book", "Undivided", "", ""},
    {"(Left)", "(Left) ", "The left side", "Left", "Left side", "LeftSide"},
    {"(Right)", "(Right) ", "The right side", "Right", "Right side", "RightSide"},
};

}  // namespace

const SideNames& NamesOf(std::optional<Side> side) {
  if (!side) return kSideNames[0];
  return kSideNames[*side == Side::Left ? 1 : 2];
}

const SideBook& Book::Of(Side side) const {
  const size_t index = Divided() && side == Side::Right ? 1 : 0;
  if (index >= sides.size()) throw std::out_of_range("The book has no such side");
  return sides[index];
}

SideBook& Book::Of(Side side) {
  return const_cast<SideBook&>(static_cast<const Book&>(*this).Of(side));
}

}  // namespace vantrels
