#include "book/page_list.h"

#include <algorithm>
#include <cstdint>

namespace vantrels {

namespace {

// The station of report record `index`; empty where the page table names none.
std::string StationAt(const SideBook& book, int64_t index) {
  if (index < 0 || static_cast<size_t>(index) >= book.report.size()) return {};
  return book.report[static_cast<size_t>(index)].region_station;
}

}  // namespace

std::vector<std::string> PageListEntries(const SideBook& book) {
  std::vector<std::string> entries;
  const size_t pages = static_cast<size_t>(std::max(book.last_page, 0)) + 1;
  for (size_t p = 0; p < pages && p < book.page_starts.size(); ++p) {
    const int64_t first = book.page_starts[p].station;
    // Counting records where the page after the last would begin; without it the last page
    // ends with the book.
    int64_t before_next = p + 1 < book.page_starts.size()
                              ? int64_t{book.page_starts[p + 1].station} - 1
                              : static_cast<int64_t>(book.report.size()) - 1;
    // The last page ends with the last station that has a name (a file may end in a station
    // without one).
    if (p + 1 == pages) {
      while (before_next > first && StationAt(book, before_next).empty()) --before_next;
    }
    entries.push_back(std::to_string(p + 1) + "     " + StationAt(book, first) + "        " +
                      StationAt(book, before_next));
  }
  return entries;
}

}  // namespace vantrels
