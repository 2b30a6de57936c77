#include "book/page_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrels {
namespace {

using Entries = std::vector<std::string>;

TEST(PageListEntries, OneEntryPerPageWithItsFirstAndLastStation) {
  SideBook book;
  book.report.resize(6);
  for (size_t i = 0; i < book.report.size(); ++i) {
    book.report[i].region_station = "S" + std::to_string(i);
  }
  // Station 3 is cut: the entry still ends with the station before it.
  book.page_starts = {{0, 0}, {2, 0}, {3, 4}, {6, 0}};

  book.last_page = 2;
  EXPECT_EQ(PageListEntries(book), (Entries{"1     S0        S1", "2     S2        S2",
                                            "3     S3        S5"}));
  // Regression: the last page was left out, so a book of one page listed nothing.
  book.last_page = 0;
  EXPECT_EQ(PageListEntries(book), Entries{"1     S0        S1"});
  book.last_page = -3;
  EXPECT_EQ(PageListEntries(book), Entries{"1     S0        S1"});
  // Without a page start after the last page, the last page ends with the book's last station.
  book.last_page = 2;
  book.page_starts.pop_back();
  EXPECT_EQ(PageListEntries(book).back(), "3     S3        S5");
  // A file that ends in a station without a name: the last one named ends the list.
  book.report.emplace_back();
  EXPECT_EQ(PageListEntries(book).back(), "3     S3        S5");
  book.report.pop_back();

  // A page start that names no report record gives an empty station, never a read outside;
  // neither is a page start read that the book does not have.
  book.page_starts = {{0, 0}, {-1, 0}, {40, 0}};
  book.last_page = 5;
  EXPECT_EQ(PageListEntries(book),
            (Entries{"1     S0        ", "2             ", "3             S5"}));
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
  ASSERT_EQ(entries.size(), static_cast<size_t>(kPages));
  EXPECT_EQ(entries.back(), "700     S699        S699");
}

}  // namespace
}  // namespace vantrels
