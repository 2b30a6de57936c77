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
  const size_t last = static_cast<size_t>(std::max(book.last_page, 0));
  for (size_t p = 0; p < last && p + 1 < book.page_starts.size(); ++p) {
    const int64_t first = book.page_starts[p].station;
    const int64_t before_next = int64_t{book.page_starts[p + 1].station} - 1;
    entries.push_back(std::to_string(p + 1) + "     " + StationAt(book, first) + "        " +
                      StationAt(book, before_next));
  }
  return entries;
}

}  // namespace vantrels
