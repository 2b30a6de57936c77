#include "book/find_box.h"

#include <cmath>
#include <vector>

#include "book/page_input.h"
#include "book/station_value.h"
#include "model/text.h"

namespace vantrels {

namespace {

// A station as users type it: a "+" after a digit in the part before the first blank. A bare
// number, signed or not ("+2"), stays a page number, as the entries begin with one.
bool LooksLikeStation(std::string_view text) {
  const std::string_view first = text.substr(0, text.find(' '));
  const size_t plus = first.find('+', 1);
  return plus != std::string_view::npos && first[plus - 1] >= '0' && first[plus - 1] <= '9';
}

struct Listed {
  const StationEntry* entry;
  double value;
};

Result<int64_t> FindStationPage(std::string_view text, const SideBook& side) {
  const std::optional<double> wanted = RegionStationValue(text);
  if (!wanted) return UsageError("\"" + std::string(text) + "\" is not a station");
  const std::string_view region = RegionOf(text);
  std::vector<Listed> listed;
  for (const StationEntry& entry : side.station_entries) {
    if (!region.empty() && RegionOf(entry.station) != region) continue;
    if (const std::optional<double> value = RegionStationValue(entry.station)) {
      listed.push_back({&entry, *value});
    }
  }
  const Listed* lowest = nullptr;
  const Listed* highest = nullptr;
  const Listed* nearest = nullptr;
  for (const Listed& station : listed) {
    if (!lowest || station.value < lowest->value) lowest = &station;
    if (!highest || station.value > highest->value) highest = &station;
    if (!nearest || std::fabs(station.value - *wanted) < std::fabs(nearest->value - *wanted)) {
      nearest = &station;
    }
  }
  if (!nearest) return UsageError("no station " + std::string(text) + " on this side");
  if (*wanted < lowest->value || *wanted > highest->value) {
    return UsageError(std::string(text) + " is outside this side's stations, " +
                      lowest->entry->station + " to " + highest->entry->station);
  }
  return int64_t{nearest->entry->page} + 1;
}

}  // namespace

Result<int64_t> ReadFindBox(std::string_view text, const SideBook& side) {
  const std::string_view trimmed = TrimBlanks(text);
  if (LooksLikeStation(trimmed)) return FindStationPage(trimmed, side);
  return ReadEntryPageNumber(trimmed);
}

}  // namespace vantrels
