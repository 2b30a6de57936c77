#include "model/store.h"

namespace vantrels {

namespace {

// An array of these records is mostly empty texts. Emptying them in place writes nothing where a
// text is empty already, so re-creating 2001 records reads them once instead of destroying and
// constructing every one of their texts.
void Empty(std::string& text) {
  if (!text.empty()) text.clear();
}

template <size_t N>
void Empty(std::array<std::string, N>& texts) {
  for (std::string& text : texts) Empty(text);
}

void Empty(StationRecord& r) {
  r.LastPointIndex = 0;
  Empty(r.StationText);
  Empty(r.RegionStation);
  Empty(r.ExtraText);
  Empty(r.SectionStation);
  Empty(r.MessageText);
  Empty(r.MessageKeyword);
  Empty(r.PointCodes);
  Empty(r.PointOffsets);
  Empty(r.PointElevations);
  Empty(r.PointSlopes);
}

void Empty(ReportRecord& r) {
  Empty(r.SectionLabel);
  Empty(r.RegionStation);
  Empty(r.StationText);
  r.LastRow = 0;
  Empty(r.MessageKeyword);
  Empty(r.MessageText);
  for (auto& row : r.Cells) {
    for (auto& cell : row) Empty(cell);
  }
}

// Leaves `records` with `count` records, every field empty or 0.
template <typename Record>
void EmptyRecords(std::vector<Record>& records, size_t count) {
  if (records.size() > count) records.resize(count);
  for (Record& r : records) Empty(r);
  records.resize(count);
}

}  // namespace

void InitialiseStore(Store& store) {
  for (StationArray* a : {&store.UndividedStations, &store.UndividedFiltered, &store.LeftStations,
                          &store.LeftFiltered, &store.RightStations, &store.RightFiltered}) {
    EmptyRecords(*a, kMaxStationIndex + 1);
  }
}

void RecreateReport(ReportArray& report, int32_t upper_bound) {
  EmptyRecords(report, upper_bound < 0 ? 0 : static_cast<size_t>(upper_bound) + 1);
}

void ClearStations(StationArray& stations) {
  EmptyRecords(stations, kMaxStationIndex + 1);
}

}  // namespace vantrels
