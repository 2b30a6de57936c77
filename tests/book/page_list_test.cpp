#include "book/page_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrels {
namespace {

using Entries = std::vector<std::string>;

TEST(PageListEntries, OneEntryPerPageButTheLastWithItsFirstAndLastStation) {
  SideBook book;
  book.report.resize(6);
  for (size_t i = 0; i < book.report.size(); ++i) {
    book.report[i].region_station = "S" + std::to_string(i);
  }
  // Station 3 is cut: the entry still ends with the station before it.
  book.page_starts = {{0, 0}, {2, 0}, {3, 4}, {6, 0}};

  book.last_page = 2;
  EXPECT_EQ(PageListEntries(book), (Entries{"1     S0        S1", "2     S2        S2"}));
  book.last_page = 0;
  EXPECT_EQ(PageListEntries(book), Entries{});
  book.last_page = -3;
  EXPECT_EQ(PageListEntries(book), Entries{});

  // A page start that names no report record gives an empty station, never a read outside;
  // neither is a page start read that the book does not have.
  book.page_starts = {{0, 0}, {-1, 0}, {40, 0}};
  book.last_page = 5;
  EXPECT_EQ(PageListEntries(book), (Entries{"1     S0        ", "2             "}));
}

TEST(PageListEntries, ABookOfMoreThan501PagesIsListedWhole) {
  // One station a page: the list is the book's, not the old fixed table's.
  SideBook book;
  constexpr int kPages = 700;
  book.page_starts.clear();
  for (int p = 0; p <= kPages; ++p) {
    book.report.emplace_back().region_station = "S" + std::to_string(p);
    book.page_starts.push_back({p, 0});
  }
  book.last_page = kPages - 1;
  const Entries entries = PageListEntries(book);
  ASSERT_EQ(entries.size(), static_cast<size_t>(kPages - 1));
  EXPECT_EQ(entries.back(), "699     S698        S698");
}

}  // namespace
}  // namespace vantrels
