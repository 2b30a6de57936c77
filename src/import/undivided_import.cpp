#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "import/criteria_file.h"
#include "model/inherited_messages.h"

namespace vantrels {

namespace {

// A separator line holds seven consecutive commas.
constexpr size_t kSeparatorCommas = 7;
constexpr size_t kPointRowFields = 12;
constexpr size_t kMessageRowFields = 4;
constexpr size_t kHeaderLines = 3;

// Reads the stations of an undivided file: a station is the run of point rows up to the next
// separator, blank line or message row; a message row is a station of its own.
class UndividedReader {
 public:
  explicit UndividedReader(ImportMemory& memory) : memory_(memory) {}

  Result<RoadwayStations> Run(std::string_view bytes) {
    LineReader reader(bytes);
    std::string_view line;
    for (size_t n = 0; n < kHeaderLines; ++n) {
      if (!reader.Next(line)) return Fail();
    }
    stations_.reserve(StationsToReserve(bytes));
    while (reader.Next(line)) {
      if (!ReadLine(line)) return Fail();
    }
    // The station open at the end of the file is counted, even an empty one.
    if (!Close()) return Fail();
    RoadwayStations stations;
    stations.roadway = Roadway::Undivided;
    stations.sides.push_back(std::move(stations_));
    return stations;
  }

 private:
  bool ReadLine(std::string_view line) {
    if (ContainsCommaRun(line, kSeparatorCommas)) return Close();
    if (TrimBlanks(line).empty()) {
      memory_.last_region_station.clear();
      return Close();
    }
    std::array<std::string_view, kPointRowFields + 1> cut;
    const std::span<const std::string_view> fields(cut.data(), SplitFieldsInto(line, cut));
    const bool message_row = fields.size() > 2 && IsMessageKeyword(fields[2]);
    // A row is checked whole before anything of it is stored.
    if (fields.size() < (message_row ? kMessageRowFields : kPointRowFields)) return false;
    if (!message_row && points_ >= kMaxPoints) return false;
    StationRecord* station = Current();
    if (station == nullptr) return false;

    // A point row without station names only closes the station; it must not blank out the
    // names and section of the station it closes.
    const bool unnamed = fields[0].empty() && fields[1].empty();
    if (message_row || !unnamed) {
      station->station_text = fields[0];
      station->region_station = fields[1];
    }
    memory_.last_region_station = fields[1];

    if (message_row) {
      station->message_text = fields[3];
      station->message_keyword = fields[2];
      points_ = 1;
      return Close();
    }
    if (unnamed) return Close();
    station->extra_text = fields[4];
    station->section_station = fields[5];
    Point& point = station->points.emplace_back();
    point.label = fields[9];
    point.offset = fields[10];
    point.elevation = fields[11];
    ++points_;
    return true;
  }

  // The station being read; nullptr when it would be one more than a roadway holds.
  StationRecord* Current() {
    if (stations_.size() <= index_) {
      if (index_ >= static_cast<size_t>(kMaxStations)) return nullptr;
      // Stations of one file mostly have as many points as the one before.
      stations_.emplace_back().points.reserve(points_hint_);
    }
    return &stations_[index_];
  }

  bool Close() {
    StationRecord* station = Current();
    if (station == nullptr) return false;
    station->points.resize(points_);
    if (!station->IsMessage() && points_ > 0) points_hint_ = points_;
    points_ = 0;
    ++index_;
    return true;
  }

  static Failure Fail() { return Rejected(inherited::kUndividedImportFailure); }

  ImportMemory& memory_;
  Stations stations_;
  size_t index_ = 0;
  // Point slots the open station uses.
  size_t points_ = 0;
  size_t points_hint_ = 0;
};

}  // namespace

Result<RoadwayStations> ImportUndivided(std::string_view bytes, ImportMemory& memory) {
  try {
    return UndividedReader(memory).Run(bytes);
  } catch (const std::bad_alloc&) {
    // Out of memory is the process's failure, not the file's: it ends the command.
    throw;
  } catch (...) {
    // The import's frame: whatever stops it (a huge file that exhausts memory) is its failure.
    return Rejected(inherited::kUndividedImportFailure);
  }
}

}  // namespace vantrels
