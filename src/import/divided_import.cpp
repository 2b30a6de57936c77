#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "import/criteria_file.h"
#include "model/inherited_messages.h"

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

// A blank line or one with fourteen consecutive commas: it ends a side's rows.
bool IsTerminatingLine(std::string_view line) {
  return TrimBlanks(line).empty() || ContainsCommaRun(line, kTerminatorCommas);
}

// A field of the file as a message quotes it: control characters as '?', a long one cut.
std::string Quoted(std::string_view field) {
  constexpr size_t kLongest = 24;
  std::string shown(field.substr(0, kLongest));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return "\"" + shown + (field.size() > kLongest ? "...\"" : "\"");
}

// Why a line where the side's rows or their terminating line were due is neither.
std::string NotASideRow(std::string_view line, std::string_view word) {
  constexpr size_t kSideField = 8;
  std::array<std::string_view, kSideField + 2> fields;
  if (SplitFieldsInto(line, fields) <= kSideField) return "it has no side field";
  return "the side is " + Quoted(fields[kSideField]) + ", not " + Quoted(word);
}

struct SideRows {
  Stations& stations;
  std::string_view word;
  Side side;
  // The late rows after a left block's terminating line are skipped with one more line.
  bool skips_line_after;
};

class DividedReader {
 public:
  DividedReader(std::string_view bytes, ImportMemory& memory, Messages& messages)
      : reader_(bytes), memory_(memory), messages_(messages) {
    left_.reserve(StationsToReserve(bytes));
    right_.reserve(StationsToReserve(bytes));
  }

  Result<RoadwayStations> Run() {
    // The header lines, then the first line of the first block.
    for (size_t n = 0; n <= kHeaderLines; ++n) {
      if (!Read()) return Fail();
    }
    size_t k = 0;
    SideRows sides[] = {{left_, "LEFT", Side::Left, true}, {right_, "RIGHT", Side::Right, false}};

    while (!AtEnd()) {
      if (k >= static_cast<size_t>(kMaxStations)) {
        // Name the station that does not fit rather than the one before it.
        memory_.last_region_station = Field1(RestAfterField0(line_));
        return Fail();
      }
      for (SideRows& side : sides) {
        Head(side, k);
        Result<Rows> rows = ReadRows(side, k);
        if (!rows) return rows.failure();
        if (*rows == Rows::kEndOfFile) return Finish(k);
        if (!Read() || !SkipLateRows(side)) return Finish(k);
      }
      ++k;
    }
    // The end of the file is only tested before a block: its last line, read as the head of
    // one more block, is not read into it.
    if (!IsTerminatingLine(line_)) unused_.Add(line_number_, "the last line starts no station");
    return Finish(k);
  }

  Failure Fail() const {
    return Rejected(inherited::kDividedImportFailure + memory_.last_region_station);
  }

 private:
  enum class Rows { kClosed, kEndOfFile };

  bool AtEnd() const { return reader_.AtEnd(); }

  bool Read() {
    if (!reader_.Next(line_)) return false;
    ++line_number_;
    return true;
  }

  // Skips the side's rows that follow its terminating line; false at the end of the file.
  bool SkipLateRows(const SideRows& side) {
    if (!Contains(line_, side.word)) return true;
    while (PassesSideTest(line_, side.word)) {
      unused_.Add(line_number_, "a " + std::string(side.word) + " row after its station's " +
                                    std::string(side.word) + " rows ended");
      if (!Read()) return false;
    }
    if (!side.skips_line_after) return true;
    if (!IsTerminatingLine(line_)) {
      unused_.Add(line_number_, "skipped after late " + std::string(side.word) + " rows");
    }
    return Read();
  }

  // Station k of the side, created when the side's block begins with room for as many points
  // as the station before it had.
  StationRecord& Station(SideRows& side, size_t k) {
    if (side.stations.size() <= k) {
      side.stations.resize(k + 1);
      if (k > 0) side.stations[k].points.reserve(side.stations[k - 1].points.size());
    }
    return side.stations[k];
  }

  void Head(SideRows& side, size_t k) {
    StationRecord& station = Station(side, k);
    station.station_text = BeforeFirstComma(line_);
    rest_ = RestAfterField0(line_);
    memory_.last_region_station = Field1(rest_);
    station.region_station = memory_.last_region_station;
    rest_ = RestAfterField1(rest_);
  }

  // Stores the side's rows from the current line on, from slot 0, and closes the side. The end
  // of the file after a stored row closes the side too, so a file without a final terminating
  // line keeps the points of its last side.
  Result<Rows> ReadRows(SideRows& side, size_t k) {
    StationRecord& station = Station(side, k);
    int32_t slot = 0;
    bool end_of_file = false;
    while (PassesSideTest(line_, side.word)) {
      const Result<RowStored> stored =
          StoreSide(station, rest_, side.side, slot, memory_.last_region_station, messages_);
      if (!stored) return stored.failure();
      ++slot;
      if (!Read()) {
        end_of_file = true;
        break;
      }
      if (TrimBlanks(line_).empty()) continue;
      const std::string_view field0 = BeforeFirstComma(line_);
      if (!field0.empty()) station.station_text = field0;
      rest_ = RestAfterField0(line_);
      memory_.last_region_station = Field1(rest_);
      if (!memory_.last_region_station.empty()) {
        station.region_station = memory_.last_region_station;
      }
      rest_ = RestAfterField1(rest_);
    }
    if (!end_of_file && !IsTerminatingLine(line_)) {
      unused_.Add(line_number_, NotASideRow(line_, side.word));
    }
    // A message station keeps two point slots; rows beyond the 31st were refused by StoreSide
    // and are not counted.
    station.points.resize(station.IsMessage() ? 2
                                              : static_cast<size_t>(std::min(slot, kMaxPoints)));
    return end_of_file ? Rows::kEndOfFile : Rows::kClosed;
  }

  // Both sides end at station k; a side whose block the file did not reach is an empty station.
  RoadwayStations Finish(size_t k) {
    left_.resize(k + 1);
    right_.resize(k + 1);
    RoadwayStations stations;
    stations.roadway = Roadway::Divided;
    stations.sides.push_back(std::move(left_));
    stations.sides.push_back(std::move(right_));
    stations.unused = std::move(unused_);
    return stations;
  }

  LineReader reader_;
  ImportMemory& memory_;
  Messages& messages_;
  Stations left_;
  Stations right_;
  std::string_view line_;
  // The number of line_ in the file, from 1.
  int64_t line_number_ = 0;
  std::string_view rest_;
  UnusedLines unused_;
};

}  // namespace

Result<RowStored> StoreSide(StationRecord& record, std::string_view rest, Side side, int32_t slot,
                            const std::string& station, Messages& messages) {
  const bool left = side == Side::Left;
  // The row keeps what was stored before the fault; the import goes on with the next row.
  auto fail = [&messages] {
    messages.Show(inherited::kStoreSideFailure);
    return RowStored::kPartly;
  };
  // A row beyond the 31st slot stores nothing at all, so the station keeps its first 31 points.
  if (slot < 0 || slot >= kMaxPoints) return fail();

  // r[n] is field n + 2 of the row. Values are stored in row order until a missing field.
  std::array<std::string_view, kRestFieldsRead + 1> cut;
  const std::span<const std::string_view> r(cut.data(), SplitFieldsInto(rest, cut));
  if (r.size() < 2) return fail();
  const bool message = left ? IsMessageKeyword(r[1]) : IsMessageKeyword(UpperCase(r[1]));
  if (message) {
    record.message_keyword = r[1];
    if (r.size() < 3) return fail();
    record.message_text = r[2];
    return RowStored::kWhole;
  }
  if (r.size() < 3) return fail();
  record.extra_text = r[2];
  if (r.size() < 4) return fail();
  record.section_station = r[3];
  if (r.size() < 7) return fail();
  const std::string_view word = left ? "LEFT" : "RIGHT";
  if (r[6] != word) {
    return ProgramEnded(inherited::WrongSideStop(left ? "LeftSide" : "RightSide", station, slot));
  }
  const auto j = static_cast<size_t>(slot);
  if (record.points.size() <= j) record.points.resize(j + 1);
  Point& point = record.points[j];
  if (r.size() < 8) return fail();
  point.label = r[7];
  if (r.size() < 9) return fail();
  point.offset = r[8];
  if (r.size() < 10) return fail();
  point.elevation = r[9];
  return RowStored::kWhole;
}

Result<RoadwayStations> ImportDivided(std::string_view bytes, ImportMemory& memory,
                                      Messages& messages) {
  DividedReader reader(bytes, memory, messages);
  try {
    return reader.Run();
  } catch (const std::bad_alloc&) {
    // The process, not the file, ran out: the command ends with that.
    throw;
  } catch (...) {
    // The import's frame: whatever stops it (a huge file that exhausts memory) is its failure.
    return reader.Fail();
  }
}

}  // namespace vantrels
