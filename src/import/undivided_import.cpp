#include <array>
#include <span>
#include <string>

#include "import/criteria_file.h"

namespace vantrels {

namespace {

// A separator line holds seven consecutive commas.
constexpr size_t kSeparatorCommas = 7;
constexpr size_t kPointRowFields = 12;
constexpr size_t kMessageRowFields = 4;
constexpr size_t kHeaderLines = 3;

bool IsMessageKeyword(std::string_view field) {
  return field == "ERROR" || field == "MESSAGE";
}

bool Fail(Messages& messages) {
  messages.Show("Error in GPKUndivided");
  return false;
}

bool ImportUndivided(Store& store, Messages& messages, const std::vector<std::string_view>& lines) {
  if (lines.size() < kHeaderLines) return Fail(messages);

  ClearStations(store.UndividedStations);
  StationArray& stations = store.UndividedStations;
  const auto in_range = [&stations](int32_t i) {
    return i >= 0 && static_cast<size_t>(i) < stations.size();
  };

  int32_t i = 0;
  int32_t j = 0;
  bool closing = false;
  for (size_t next = kHeaderLines; next < lines.size(); ++next) {
    const std::string_view line = lines[next];
    if (ContainsCommaRun(line, kSeparatorCommas)) {
      closing = true;
    } else if (TrimBlanks(line).empty()) {
      store.LastStationText.clear();
      store.LastRegionStation.clear();
      closing = true;
    } else {
      std::array<std::string_view, kPointRowFields + 1> cut;
      const std::span<const std::string_view> fields(cut.data(), SplitFieldsInto(line, cut));
      const bool message_row = fields.size() > 2 && IsMessageKeyword(fields[2]);
      // A row is checked whole before anything of it is stored.
      if (fields.size() < (message_row ? kMessageRowFields : kPointRowFields))
        return Fail(messages);
      if (!in_range(i)) return Fail(messages);
      if (!message_row && j >= kPointSlots) return Fail(messages);

      StationRecord& station = stations[static_cast<size_t>(i)];
      // A point row without station names only closes the station; it must not blank out the
      // names and section of the station it closes.
      const bool unnamed = fields[0].empty() && fields[1].empty();
      if (message_row || !unnamed) {
        station.StationText = fields[0];
        station.RegionStation = fields[1];
      }
      store.LastStationText = fields[0];
      store.LastRegionStation = fields[1];

      if (message_row) {
        station.MessageText = fields[3];
        station.MessageKeyword = fields[2];
        closing = true;
        j = 1;
      } else {
        if (!unnamed) {
          station.ExtraText = fields[4];
          station.SectionStation = fields[5];
        }
        station.PointCodes[static_cast<size_t>(j)] = fields[9];
        station.PointOffsets[static_cast<size_t>(j)] = fields[10];
        station.PointElevations[static_cast<size_t>(j)] = fields[11];
        if (unnamed) {
          closing = true;
        } else {
          ++j;
        }
      }
    }

    if (closing) {
      if (!in_range(i)) return Fail(messages);
      stations[static_cast<size_t>(i)].LastPointIndex = j - 1;
      j = 0;
      closing = false;
      ++i;
    }
  }

  if (!in_range(i)) return Fail(messages);
  stations[static_cast<size_t>(i)].LastPointIndex = j - 1;
  store.StationCount = i;
  RecreateReport(store.UndividedReport, store.StationCount);
  return true;
}

}  // namespace

bool GPKUndivided(Store& store, Messages& messages, const std::vector<std::string_view>& lines) {
  try {
    return ImportUndivided(store, messages, lines);
  } catch (...) {
    return Fail(messages);
  }
}

bool GPKUndivided(Store& store, Messages& messages) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(store.InputFilePath);
  } catch (...) {
    return Fail(messages);
  }
  return GPKUndivided(store, messages, SplitLines(bytes));
}

}  // namespace vantrels
