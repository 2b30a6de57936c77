#include "model/book.h"

#include <gtest/gtest.h>

#include <string>

#include "model/text.h"
#include "model/units.h"

namespace vantrels {
namespace {

TEST(Book, ANewSideBookBeginsItsFirstPageAtTheFirstStation) {
  const SideBook book;
  ASSERT_EQ(book.page_starts.size(), 1u);
  EXPECT_EQ(book.page_starts[0], (PageStart{0, 0}));
  EXPECT_EQ(book.Pages(), 1);
  EXPECT_TRUE(book.station_entries.empty());
}

TEST(Book, PageStartsOrderByStationThenRow) {
  EXPECT_LT((PageStart{3, 9}), (PageStart{4, 0}));
  EXPECT_LT((PageStart{3, 0}), (PageStart{3, 2}));
  EXPECT_EQ((PageStart{2, 1}), (PageStart{2, 1}));
}

TEST(Book, StationEntriesShowThePageFromOneAndTwelveBlanks) {
  const struct {
    StationEntry entry;
    const char* shown;
  } cases[] = {
      {{0, "2389+00.00 R1"}, "1            2389+00.00 R1"},
      {{11, "S"}, "12            S"},
      {{500, ""}, "501            "},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatStationEntry(c.entry), c.shown);
}

TEST(Book, AnUndividedRoadwayHasOneBookWhateverTheSide) {
  Book book;
  book.sides.resize(1);
  book.sides[0].last_page = 4;
  EXPECT_EQ(&book.Of(Side::Left), &book.sides[0]);
  EXPECT_EQ(&book.Of(Side::Right), &book.sides[0]);

  book.roadway = Roadway::Divided;
  book.sides.resize(2);
  EXPECT_EQ(&book.Of(Side::Left), &book.sides[0]);
  EXPECT_EQ(&book.Of(Side::Right), &book.sides[1]);
  book.sides.resize(1);
  EXPECT_THROW(book.Of(Side::Right), std::out_of_range);
}

TEST(Book, EachSideBookHasItsLabelTagAndName) {
  const struct {
    std::optional<Side> side;
    const char* tag;
    const char* name;
  } cases[] = {
      {std::nullopt, "", "The book"},
      {Side::Left, "(Left)", "The left side"},
      {Side::Right, "(Right)", "The right side"},
  };
  for (const auto& c : cases) {
    SideBook book;
    book.side = c.side;
    EXPECT_STREQ(book.Names().page_tag, c.tag);
    EXPECT_STREQ(book.Names().message, c.name);
  }
  EXPECT_STREQ(RoadwayName(Roadway::Undivided), "UNDIVIDED");
  EXPECT_STREQ(RoadwayName(Roadway::Divided), "DIVIDED");
}

TEST(ReportRecord, PointJStandsAtRowJDiv3ColumnJMod3) {
  ReportRecord record;
  for (int j = 0; j < 7; ++j) record.cells.push_back(Cell{"P" + std::to_string(j), "", "", ""});
  EXPECT_EQ(record.CellAt(0, 0)->label, "P0");
  EXPECT_EQ(record.CellAt(1, 2)->label, "P5");
  EXPECT_EQ(record.CellAt(2, 0)->label, "P6");
  for (const auto& [row, column] :
       {std::pair{2, 1}, std::pair{0, 3}, std::pair{-1, 0}, std::pair{0, -1}, std::pair{11, 0}}) {
    EXPECT_EQ(record.CellAt(row, column), nullptr) << row << "," << column;
  }
  EXPECT_STREQ(record.SectionLabel(), "Design Sec. Sta.");
  record.cross_section = true;
  EXPECT_STREQ(record.SectionLabel(), "Cross Sec. Sta.");
  EXPECT_FALSE(record.IsMessage());
  record.message_keyword = "ERROR";
  EXPECT_TRUE(record.IsMessage());
}

TEST(PageGeometry, AMeasureIsKeptInSinglePrecision) {
  const PageGeometry page = PageGeometry::Measured(93.3, 66.2);
  EXPECT_EQ(page.columns, static_cast<double>(93.3f));
  EXPECT_EQ(page.lines, static_cast<double>(66.2f));
  EXPECT_NE(page.lines, 66.2);
  EXPECT_EQ(SinglePrecision(0.1), static_cast<double>(0.1f));
}

TEST(Text, TrimmingAndUpperCasing) {
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimWhitespace(" \t12.5\r\n"), "12.5");
  EXPECT_EQ(TrimWhitespace(" \t "), "");
  EXPECT_EQ(UpperCase("Divided 1\xe9"), "DIVIDED 1\xe9");
}

TEST(PaperNames, ParseKnownNamesInAnyCase) {
  const std::pair<const char*, std::optional<Paper>> cases[] = {
      {"letter", Paper::Letter}, {"A4", Paper::A4}, {"Legal", Paper::Legal},
      {"a5", std::nullopt},      {"", std::nullopt}, {"letter ", std::nullopt},
  };
  for (const auto& [name, paper] : cases) {
    EXPECT_EQ(ParsePaper(name), paper) << name;
  }
}

}  // namespace
}  // namespace vantrels
