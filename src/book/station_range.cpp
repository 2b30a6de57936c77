#include "book/station_range.h"

#include <algorithm>

#include "book/station_value.h"
#include "model/text.h"

namespace vantrels {

namespace {

// The entries of the side book's Go To list drawn on pages first to last.
std::pair<std::vector<StationEntry>::const_iterator, std::vector<StationEntry>::const_iterator>
EntriesOnPages(const SideBook& book, int32_t first, int32_t last) {
  const auto by_page = [](const StationEntry& entry, int32_t page) { return entry.page < page; };
  const auto& entries = book.station_entries;
  return {std::lower_bound(entries.begin(), entries.end(), first, by_page),
          std::lower_bound(entries.begin(), entries.end(), last + 1, by_page)};
}

// The entry repeats the heading of the station that page `entry.page` continues from the page
// before: that station comes first on the page, so the entry is the first of its page.
bool ContinuesStation(const SideBook& book, const StationEntry& entry, bool first_on_page) {
  if (!first_on_page || entry.page <= 0) return false;
  const auto page = static_cast<size_t>(entry.page);
  if (page >= book.page_starts.size()) return false;
  const PageStart start = book.page_starts[page];
  if (start.row == 0 || start.station < 0 ||
      static_cast<size_t>(start.station) >= book.report.size()) {
    return false;
  }
  return book.report[static_cast<size_t>(start.station)].region_station == entry.station;
}

}  // namespace

PageSelection PagesShowingStations(const SideBook& book, Side side, const StationRange& range) {
  PageSelection spans;
  for (const StationEntry& entry : book.station_entries) {
    const std::optional<double> value = RegionStationValue(TrimBlanks(entry.station));
    if (!value || !range.Contains(*value)) continue;
    if (!spans.empty() && entry.page <= spans.back().last + 1) {
      spans.back().last = std::max(spans.back().last, entry.page);
    } else {
      spans.push_back(PageSpan{side, entry.page, entry.page});
    }
  }
  return spans;
}

std::vector<StationEntry> BookmarkEntries(const Book& book, const PageSelection& selection,
                                          Side side) {
  std::vector<StationEntry> marks;
  int32_t first_of_span = 0;
  for (const PageSpan& span : selection) {
    const int32_t pages = span.last - span.first + 1;
    if (span.side == side || !book.Divided()) {
      const SideBook& pages_of = book.Of(span.side);
      const auto [begin, end] = EntriesOnPages(pages_of, span.first, span.last);
      int32_t previous_page = -1;
      for (auto entry = begin; entry != end; ++entry) {
        const bool first_on_page = entry->page != previous_page;
        previous_page = entry->page;
        // A station cut across pages keeps the entry of the first page put out.
        if (entry->page > span.first && ContinuesStation(pages_of, *entry, first_on_page)) {
          continue;
        }
        marks.push_back(StationEntry{first_of_span + entry->page - span.first, entry->station});
      }
    }
    first_of_span += pages;
  }
  return marks;
}

}  // namespace vantrels
