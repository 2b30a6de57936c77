#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "import/criteria_file.h"

namespace vantrels {

namespace {

// A terminating line holds fourteen consecutive commas.
constexpr size_t kTerminatorCommas = 14;
constexpr size_t kHeaderLines = 4;
// StoreSide reads the rest's fields 0 to 9 (fields 2 to 11 of the row).
constexpr size_t kRestFieldsRead = 10;

// Text before the first comma; the whole text when there is none.
std::string_view BeforeFirstComma(std::string_view text) {
  return text.substr(0, text.find(','));
}

// The comma is searched in the line as read but the cut is made in the trimmed line, so a
// line with leading blanks loses as many characters of its rest as it had blanks.
std::string_view RestAfterField0(std::string_view line) {
  const size_t comma = line.find(',');
  if (comma == std::string_view::npos) return {};
  const std::string_view trimmed = TrimBlanks(line);
  if (comma + 1 >= trimmed.size()) return {};
  return trimmed.substr(comma + 1);
}

std::string_view Field1(std::string_view rest) {
  return BeforeFirstComma(TrimBlanks(rest));
}

std::string_view RestAfterField1(std::string_view rest) {
  const std::string_view trimmed = TrimBlanks(rest);
  const size_t comma = trimmed.find(',');
  if (comma == std::string_view::npos) return {};
  return trimmed.substr(comma + 1);
}

bool Contains(std::string_view line, std::string_view word) {
  return line.find(word) != std::string_view::npos;
}

bool PassesSideTest(std::string_view line, std::string_view word) {
  return Contains(line, word) && !TrimBlanks(line).empty() &&
         !ContainsCommaRun(line, kTerminatorCommas);
}

bool Fail(Store& store, Messages& messages) {
  messages.Show(" There is something wrong at Sta. " + store.LastRegionStation);
  return false;
}

struct Side {
  StationArray& stations;
  std::string_view word;
  const char* name;
};

class DividedReader {
 public:
  DividedReader(Store& store, Messages& messages, const std::vector<std::string_view>& lines)
      : store_(store), messages_(messages), lines_(lines) {}

  bool Run() {
    if (lines_.size() <= kHeaderLines) return Fail(store_, messages_);
    ClearStations(store_.LeftStations);
    ClearStations(store_.RightStations);
    next_ = kHeaderLines;
    line_ = lines_[next_++];
    int32_t k = 0;
    store_.DividedStationIndex = k;
    Side left{store_.LeftStations, "LEFT", "LeftSide"};
    Side right{store_.RightStations, "RIGHT", "RightSide"};

    while (!AtEnd()) {
      if (static_cast<size_t>(k) >= store_.LeftStations.size()) {
        // Name the station that does not fit rather than the one before it.
        store_.LastRegionStation = Field1(RestAfterField0(line_));
        return Fail(store_, messages_);
      }
      Head(left, k);
      switch (ReadRows(left, k)) {
        case Rows::kEnded:
          return false;
        case Rows::kEndOfFile:
          return Finish(k);
        case Rows::kClosed:
          break;
      }

      if (!Read()) return Finish(k);
      if (Contains(line_, "LEFT")) {
        while (PassesSideTest(line_, "LEFT")) {
          if (!Read()) return Finish(k);
        }
        if (!Read()) return Finish(k);
      }

      Head(right, k);
      switch (ReadRows(right, k)) {
        case Rows::kEnded:
          return false;
        case Rows::kEndOfFile:
          return Finish(k);
        case Rows::kClosed:
          break;
      }

      if (!Read()) return Finish(k);
      if (Contains(line_, "RIGHT")) {
        while (PassesSideTest(line_, "RIGHT")) {
          if (!Read()) return Finish(k);
        }
      }
      ++k;
      store_.DividedStationIndex = k;
    }
    return Finish(k);
  }

 private:
  enum class Rows { kClosed, kEndOfFile, kEnded };

  bool AtEnd() const { return next_ >= lines_.size(); }

  bool Read() {
    if (AtEnd()) return false;
    line_ = lines_[next_++];
    return true;
  }

  void Head(Side& side, int32_t k) {
    StationRecord& station = side.stations[static_cast<size_t>(k)];
    station.StationText = BeforeFirstComma(line_);
    rest_ = RestAfterField0(line_);
    store_.LastRegionStation = Field1(rest_);
    station.RegionStation = store_.LastRegionStation;
    rest_ = RestAfterField1(rest_);
  }

  // Stores the side's rows from the current line on, from slot 0, and closes the side. The end
  // of the file after a stored row closes the side too, so a file without a final terminating
  // line keeps the points of its last side.
  Rows ReadRows(Side& side, int32_t k) {
    StationRecord& station = side.stations[static_cast<size_t>(k)];
    int32_t slot = 0;
    bool end_of_file = false;
    while (PassesSideTest(line_, side.word)) {
      if (!StoreSide(store_, messages_, store_.LastRegionStation, rest_, k, side.name, slot)) {
        return Rows::kEnded;
      }
      ++slot;
      if (!Read()) {
        end_of_file = true;
        break;
      }
      if (TrimBlanks(line_).empty()) continue;
      const std::string_view field0 = BeforeFirstComma(line_);
      if (!field0.empty()) station.StationText = field0;
      rest_ = RestAfterField0(line_);
      store_.LastRegionStation = Field1(rest_);
      if (!store_.LastRegionStation.empty()) station.RegionStation = store_.LastRegionStation;
      rest_ = RestAfterField1(rest_);
    }
    // Rows beyond the 31st were refused by StoreSide and are not counted.
    station.LastPointIndex = !station.MessageKeyword.empty() ? 1 : std::min(slot, kPointSlots) - 1;
    return end_of_file ? Rows::kEndOfFile : Rows::kClosed;
  }

  bool Finish(int32_t k) {
    store_.StationCount = k;
    RecreateReport(store_.LeftReport, store_.StationCount);
    RecreateReport(store_.RightReport, store_.StationCount);
    return true;
  }

  Store& store_;
  Messages& messages_;
  const std::vector<std::string_view>& lines_;
  size_t next_ = 0;
  std::string_view line_;
  std::string_view rest_;
};

bool IsMessageKeyword(std::string_view field) {
  return field == "ERROR" || field == "MESSAGE";
}

}  // namespace

bool StoreSide(Store& store, Messages& messages, const std::string& station, std::string_view rest,
               int32_t station_index, const std::string& side, int32_t slot) {
  const bool left = side == "LeftSide";
  if (!left && side != "RightSide") return true;
  StationArray& stations = left ? store.LeftStations : store.RightStations;
  auto fail = [&messages] {
    messages.Show("Error in StoreSide");
    return true;
  };
  // A row beyond the 31st slot stores nothing at all, so the station keeps its first 31 points.
  if (station_index < 0 || static_cast<size_t>(station_index) >= stations.size()) return fail();
  if (slot < 0 || slot >= kPointSlots) return fail();
  StationRecord& record = stations[static_cast<size_t>(station_index)];

  // r[n] is field n + 2 of the row. Values are stored in row order until a missing field.
  std::array<std::string_view, kRestFieldsRead + 1> cut;
  const std::span<const std::string_view> r(cut.data(), SplitFieldsInto(rest, cut));
  if (r.size() < 2) return fail();
  const bool message = left ? IsMessageKeyword(r[1]) : IsMessageKeyword(UpperCase(r[1]));
  if (message) {
    record.MessageKeyword = r[1];
    if (r.size() < 3) return fail();
    record.MessageText = r[2];
    return true;
  }
  if (r.size() < 3) return fail();
  record.ExtraText = r[2];
  if (r.size() < 4) return fail();
  record.SectionStation = r[3];
  if (r.size() < 7) return fail();
  const std::string_view word = left ? "LEFT" : "RIGHT";
  if (r[6] != word) {
    messages.Show("Error at " + side + " Station: " + station +
                  "(LineNumber: " + std::to_string(slot) + ") Program Exiting");
    messages.EndProgram();
    store.ProgramEnded = true;
    return false;
  }
  const auto j = static_cast<size_t>(slot);
  if (r.size() < 8) return fail();
  record.PointCodes[j] = r[7];
  if (r.size() < 9) return fail();
  record.PointOffsets[j] = r[8];
  if (r.size() < 10) return fail();
  record.PointElevations[j] = r[9];
  return true;
}

bool GPKDivided(Store& store, Messages& messages, const std::vector<std::string_view>& lines) {
  try {
    return DividedReader(store, messages, lines).Run();
  } catch (...) {
    return Fail(store, messages);
  }
}

bool GPKDivided(Store& store, Messages& messages) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(store.InputFilePath);
  } catch (...) {
    return Fail(store, messages);
  }
  return GPKDivided(store, messages, SplitLines(bytes));
}

}  // namespace vantrels
