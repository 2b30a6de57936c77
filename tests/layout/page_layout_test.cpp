#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "layout/page.h"
#include "layout/recording_surface.h"
#include "layout/text_surface.h"

namespace vantrels {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingSurface;

// A station whose rows 0..rows-1 are filled; cell (r, c) is described "d<r>.<c>".
ReportRecord PointStation(const std::string& name, int rows) {
  ReportRecord r;
  r.cross_section = true;
  r.region_station = name;
  r.station_text = "S" + name;
  r.last_row = rows - 1;
  for (int row = 0; row < rows; ++row) {
    for (int c = 0; c < kPointsPerRow; ++c) {
      r.cells.push_back(Cell{"d" + std::to_string(row) + "." + std::to_string(c), "", "", ""});
    }
  }
  return r;
}

ReportRecord MessageStation(const std::string& name) {
  ReportRecord r;
  r.region_station = name;
  r.station_text = "S" + name;
  r.message_keyword = "MESSAGE";
  r.message_text = "no cross section";
  r.last_row = 2;
  r.cells.push_back(Cell{"never drawn", "", "", ""});
  return r;
}

std::vector<ReportRecord> SingleRowStations(int count) {
  std::vector<ReportRecord> stations;
  for (int i = 0; i < count; ++i) stations.push_back(PointStation("R" + std::to_string(i), 1));
  return stations;
}

// One side book and the page it is laid out on.
struct Laid {
  SideBook book;
  PageContext context;

  // Counts the book; a failure is shown last, as the command that ends shows it.
  void Count(RecordingMessages& messages) {
    const Status counted = CountPages(book, context.page, messages);
    if (!counted) messages.Show(counted.failure().message);
  }

  RecordingSurface Draw(int32_t page, RecordingMessages& messages) const {
    RecordingSurface printer;
    DrawPageBody(printer, book, page, context, messages);
    return printer;
  }

  // The station list entries as the find window shows them.
  std::vector<std::string> Listed() const {
    std::vector<std::string> entries;
    for (const StationEntry& entry : book.station_entries) {
      entries.push_back(FormatStationEntry(entry));
    }
    return entries;
  }
};

Laid UndividedBook(std::vector<ReportRecord> stations, double columns = 96, double lines = 63) {
  Laid laid;
  laid.book.report = std::move(stations);
  laid.context.page = {columns, lines};
  return laid;
}

// The station names whose heading is drawn on the page, with the line of the heading.
std::vector<std::pair<std::string, int>> Headings(const RecordingSurface& page, int column) {
  std::vector<std::pair<std::string, int>> found;
  for (const auto& t : page.texts) {
    if (t.x == column && t.text.rfind("Cross", 0) != 0 && t.text.rfind("Design", 0) != 0 &&
        t.text.rfind("S", 0) != 0) {
      found.emplace_back(t.text, t.y - 1);
    }
  }
  return found;
}

// The grid rows drawn in the first point column, by line.
std::map<int, std::string> FirstColumnRows(const RecordingSurface& page, int column) {
  std::map<int, std::string> rows;
  for (const auto& t : page.texts) {
    if (t.x == column && t.text.rfind("d", 0) == 0) rows[t.y] = t.text;
  }
  return rows;
}

TEST(PageLayout, TwentySingleRowStationsOnA63LinePageMakeThreePagesOfEight) {
  Laid laid = UndividedBook(SingleRowStations(20));
  RecordingMessages messages;
  laid.Count(messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_EQ(laid.book.last_page, 2);
  EXPECT_THAT(laid.book.page_starts,
              ElementsAre(PageStart{0, 0}, PageStart{8, 0}, PageStart{16, 0}, PageStart{20, 0}));
  const std::vector<std::string> listed = laid.Listed();
  ASSERT_EQ(listed.size(), 20u);
  EXPECT_EQ(listed[0], "1            R0");
  EXPECT_EQ(listed[7], "1            R7");
  EXPECT_EQ(listed[8], "2            R8");
  EXPECT_EQ(listed[19], "3            R19");

  const RecordingSurface page0 = laid.Draw(0, messages);
  std::vector<int> lines;
  for (const auto& [name, line] : Headings(page0, 7)) lines.push_back(line);
  EXPECT_THAT(lines, ElementsAre(7, 13, 19, 25, 31, 37, 43, 49));
  EXPECT_THAT(page0.At(66, 1), ElementsAre("Page No.:1 of 3"));
  EXPECT_THAT(laid.Draw(2, messages).At(66, 1), ElementsAre("Page No.:3 of 3"));
}

TEST(PageLayout, A66LinePageHasBands10To46AndSevenStations) {
  Laid laid = UndividedBook(SingleRowStations(15), 96, 66);
  RecordingMessages messages;
  laid.Count(messages);
  EXPECT_EQ(laid.book.page_starts[1], (PageStart{7, 0}));
  EXPECT_EQ(laid.book.page_starts[2], (PageStart{14, 0}));
  EXPECT_EQ(laid.book.last_page, 2);
  std::vector<int> lines;
  for (const auto& [name, line] : Headings(laid.Draw(1, messages), 7)) lines.push_back(line);
  EXPECT_THAT(lines, ElementsAre(10, 16, 22, 28, 34, 40, 46));
}

TEST(PageLayout, ALongStationUsesTheBandOnLine55AndIsCutAcrossPages) {
  Laid laid = UndividedBook({PointStation("R0", 11)});
  RecordingMessages messages;
  laid.Count(messages);
  EXPECT_EQ(laid.book.page_starts[1], (PageStart{0, 9})) << "the next page resumes at row 9";
  EXPECT_EQ(laid.book.page_starts[2], (PageStart{1, 0}));
  EXPECT_EQ(laid.book.last_page, 1);
  EXPECT_THAT(laid.Listed(), ElementsAre("1            R0", "2            R0"));

  const RecordingSurface page0 = laid.Draw(0, messages);
  std::map<int, std::string> rows = FirstColumnRows(page0, 36);
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows.begin()->first, 7);
  EXPECT_EQ(rows.begin()->second, "d0.0");
  EXPECT_EQ(rows.rbegin()->first, 55);
  EXPECT_EQ(rows.rbegin()->second, "d8.0");

  const RecordingSurface page1 = laid.Draw(1, messages);
  EXPECT_THAT(Headings(page1, 7), ElementsAre(std::pair<std::string, int>{"R0", 7}))
      << "the cut station's heading is drawn again";
  EXPECT_THAT(FirstColumnRows(page1, 36),
              ElementsAre(std::pair<const int, std::string>{7, "d9.0"},
                          std::pair<const int, std::string>{13, "d10.0"}));
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, ANewStationNeverBeginsOnLine50OrBelow) {
  struct Case {
    int last_station_rows;
    PageStart next_start;
    int bands_used;
  };
  // Seven single-row stations take bands 7..43; the eighth begins on 49.
  for (const Case& c : {Case{1, {8, 0}, 8}, Case{2, {8, 0}, 9}, Case{3, {7, 2}, 9}}) {
    SCOPED_TRACE(c.last_station_rows);
    std::vector<ReportRecord> stations = SingleRowStations(7);
    stations.push_back(PointStation("R7", c.last_station_rows));
    stations.push_back(PointStation("R8", 1));
    Laid laid = UndividedBook(stations);
    RecordingMessages messages;
    laid.Count(messages);
    EXPECT_EQ(laid.book.page_starts[1], c.next_start);
    EXPECT_EQ(FirstColumnRows(laid.Draw(0, messages), 36).size(),
              static_cast<size_t>(c.bands_used));
  }
}

TEST(PageLayout, AMessageStationTakesOneBandAndNoGrid) {
  Laid laid = UndividedBook({PointStation("R0", 1), MessageStation("M1"), PointStation("R2", 2)});
  RecordingMessages messages;
  laid.Count(messages);
  const RecordingSurface page = laid.Draw(0, messages);
  EXPECT_THAT(page.At(36, 13), ElementsAre("MESSAGE"));
  EXPECT_THAT(page.At(36, 14), ElementsAre("no cross section"));
  for (const auto& t : page.texts) EXPECT_NE(t.text, "never drawn");
  EXPECT_THAT(Headings(page, 7), ElementsAre(std::pair<std::string, int>{"R0", 7},
                                             std::pair<std::string, int>{"M1", 13},
                                             std::pair<std::string, int>{"R2", 19}));
  EXPECT_THAT(FirstColumnRows(page, 36),
              ElementsAre(std::pair<const int, std::string>{7, "d0.0"},
                          std::pair<const int, std::string>{19, "d0.0"},
                          std::pair<const int, std::string>{25, "d1.0"}));
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, AStationWithoutNameIsLaidOutButNotListed) {
  std::vector<ReportRecord> stations = SingleRowStations(3);
  stations[1].region_station.clear();
  Laid laid = UndividedBook(stations);
  RecordingMessages messages;
  laid.Count(messages);
  EXPECT_THAT(laid.Listed(), ElementsAre("1            R0", "1            R2"));
  EXPECT_THAT(laid.Draw(0, messages).At(7, 13), ElementsAre("Cross Sec. Sta."));
}

TEST(PageLayout, AStationWithoutPointsTakesOneBandOfEmptyCells) {
  ReportRecord empty = PointStation("E0", 1);
  empty.cells.clear();
  Laid laid = UndividedBook({empty, PointStation("R1", 1)});
  RecordingMessages messages;
  laid.Count(messages);
  const RecordingSurface page = laid.Draw(0, messages);
  EXPECT_THAT(page.At(36, 7), ElementsAre(""));
  EXPECT_THAT(page.At(76, 7), ElementsAre(""));
  EXPECT_THAT(Headings(page, 7), ElementsAre(std::pair<std::string, int>{"E0", 7},
                                             std::pair<std::string, int>{"R1", 13}));
}

TEST(PageLayout, CellsShowDescriptionElevationAtOffsetAndSlopeBehindThem) {
  ReportRecord r = PointStation("R0", 1);
  r.cells[0] = {"Left Edge", " 12.50", " 1234.56 ", "2.5"};
  r.cells[1] = {"Break", "7.00", "", "-0.5"};  // no elevation: no second line
  r.cells[2] = {"", "", "", "abc"};            // not a number: kept as it is
  Laid laid = UndividedBook({r});
  RecordingMessages messages;
  laid.Count(messages);
  const RecordingSurface page = laid.Draw(0, messages);
  EXPECT_THAT(page.At(36, 7), ElementsAre("Left Edge"));
  EXPECT_THAT(page.At(36, 8), ElementsAre("1234.56 @  12.50"));
  EXPECT_THAT(page.At(36 + 7 + 6, 9), ElementsAre("2.50%"));
  EXPECT_THAT(page.At(56, 7), ElementsAre("Break"));
  EXPECT_THAT(page.At(56, 8), IsEmpty());
  EXPECT_THAT(page.At(56 + 4, 9), ElementsAre("-.50%"));
  EXPECT_THAT(page.At(76, 9), ElementsAre("abc%"));
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, PositionsFollowTheRightEdgeAndWindowsScaleWholeCells) {
  Laid laid = UndividedBook({MessageStation("M0"), PointStation("R1", 1)}, 93.5, 66.2);
  RecordingMessages messages;
  laid.Count(messages);
  RecordingSurface printer;
  DrawPageBody(printer, laid.book, 0, laid.context, messages);
  // round(93.5 - 89) = 4, round(93.5 - 60) = 34 (halves to even), L(0) = round(10.2) = 10.
  EXPECT_THAT(printer.At(4, 11), ElementsAre("M0"));
  EXPECT_THAT(printer.At(34, 10), ElementsAre("MESSAGE"));
  EXPECT_THAT(printer.At(54, 16), ElementsAre("d0.1"));
  EXPECT_THAT(printer.At(74, 16), ElementsAre("d0.2"));
  EXPECT_THAT(printer.At(64, 4), ElementsAre("Page No.:1 of 1"));

  RecordingSurface window(true, 0.5);
  DrawPageBody(window, laid.book, 0, laid.context, messages);
  EXPECT_THAT(window.At(4 * 60, 11 * 120), ElementsAre("M0"));
  EXPECT_THAT(window.At(34 * 60, 10 * 120), ElementsAre("MESSAGE"));
  // The label converts like the heading: round(63.5 * 60), round(4.2 * 120).
  EXPECT_THAT(window.At(3810, 504), ElementsAre("Page No.:1 of 1"));
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, ABookEndingExactlyWithAPageCountsNoFurtherPage) {
  for (const auto& [stations, last_page] : {std::pair{8, 0}, std::pair{9, 1}, std::pair{16, 1}}) {
    Laid laid = UndividedBook(SingleRowStations(stations));
    RecordingMessages messages;
    laid.Count(messages);
    EXPECT_EQ(laid.book.last_page, last_page) << stations;
  }
}

TEST(PageLayout, APageBeyondTheLastStationShowsOnlyItsLabel) {
  Laid laid = UndividedBook(SingleRowStations(3));
  RecordingMessages messages;
  laid.Count(messages);
  laid.book.page_starts.resize(6);
  laid.book.page_starts[5] = {3, 0};
  RecordingSurface page;
  const std::optional<PageStart> next = DrawPageBody(page, laid.book, 5, laid.context, messages);
  ASSERT_EQ(page.texts.size(), 1u);
  EXPECT_EQ(page.texts[0].text, "Page No.:6 of 1");
  EXPECT_EQ(next, (PageStart{3, 0}));
}

TEST(PageLayout, DividedSidesAreCountedIntoTheirOwnStartsAndLists) {
  Laid left = UndividedBook(SingleRowStations(9));
  left.book.side = Side::Left;
  Laid right = UndividedBook(SingleRowStations(9));
  right.book.side = Side::Right;
  right.book.report[0] = PointStation("X0", 11);
  RecordingMessages messages;
  left.Count(messages);
  right.Count(messages);
  EXPECT_EQ(left.book.last_page, 1);
  EXPECT_EQ(right.book.last_page, 2);
  EXPECT_EQ(left.book.station_entries.size(), 9u);
  EXPECT_EQ(right.Listed()[0], "1            X0");
  EXPECT_EQ(right.Listed()[1], "2            X0");

  EXPECT_THAT(left.Draw(0, messages).At(66, 1), ElementsAre("(Left)Page No.:1 of 2"));
  EXPECT_THAT(right.Draw(2, messages).At(66, 1), ElementsAre("(Right)Page No.:3 of 3"));
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, EachPageListsTheStationsItsDrawingHeads) {
  Laid laid = UndividedBook(SingleRowStations(20));
  RecordingMessages messages;
  laid.Count(messages);
  std::vector<std::string> second_page;
  for (const StationEntry& entry : laid.book.station_entries) {
    if (entry.page == 1) second_page.push_back(entry.station);
  }
  ASSERT_EQ(second_page.size(), 8u);
  EXPECT_EQ(second_page.front(), "R8");
  EXPECT_EQ(second_page.back(), "R15");
  std::vector<std::string> drawn;
  for (const auto& [name, line] : Headings(laid.Draw(1, messages), 7)) drawn.push_back(name);
  EXPECT_EQ(drawn, second_page);
}

TEST(PageLayout, CountingAgainStartsTheStartsAndListsAfresh) {
  Laid laid = UndividedBook(SingleRowStations(20));
  RecordingMessages messages;
  laid.Count(messages);
  const std::vector<PageStart> starts = laid.book.page_starts;
  const std::vector<std::string> listed = laid.Listed();
  laid.Count(messages);
  EXPECT_EQ(laid.book.page_starts, starts);
  EXPECT_EQ(laid.Listed(), listed);
}

TEST(PageLayout, APageOf105AndAHalfLinesPlacesNoStationAndCountingEnds) {
  for (double lines : {105.5, 140.0}) {
    Laid laid = UndividedBook(SingleRowStations(3), 96, lines);
    RecordingMessages messages;
    laid.Count(messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_THAT(messages.shown[0], ::testing::HasSubstr("No station fits on a page of"));
    EXPECT_EQ(laid.book.last_page, 0);
    EXPECT_TRUE(laid.book.station_entries.empty());
  }
  // Just below, the first band begins on line round(48.5) = 48.
  Laid laid = UndividedBook(SingleRowStations(3), 96, 104.5);
  RecordingMessages messages;
  laid.Count(messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_EQ(laid.book.page_starts[1], (PageStart{1, 0}));
  EXPECT_EQ(laid.book.last_page, 2);
}

TEST(PageLayout, ABookOfMoreThan501PagesHasEveryPage) {
  // Eight stations a page: 4009 stations need 502 pages.
  Laid laid = UndividedBook(SingleRowStations(4009));
  RecordingMessages messages;
  laid.Count(messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_EQ(laid.book.last_page, 501);
  ASSERT_EQ(laid.book.page_starts.size(), 503u);
  EXPECT_EQ(laid.book.page_starts[501], (PageStart{4008, 0}));
  EXPECT_EQ(laid.book.page_starts[502], (PageStart{4009, 0}));
  EXPECT_EQ(laid.Listed().back(), "502            R4008");
  EXPECT_THAT(laid.Draw(501, messages).At(66, 1), ElementsAre("Page No.:502 of 502"));
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, ThePageMustHoldTheWholeLayoutAndABandAboveTheStationLine) {
  const std::string tall = "No station fits on a page of ";
  const std::string small = "The book does not fit on a page of ";
  const struct {
    double columns;
    double lines;
    std::string refusal;  // empty: the page holds the book
  } cases[] = {
      {96, 63, ""},
      // Texts at cell -0.5 stand in cell 0, as every position is rounded.
      {88.5, 61.5, ""},
      {96, 105, ""},
      {88.4, 63, small + "88.4x63 cells: the smallest page that holds it is 89x62 cells"},
      {96, 61.4, small + "96x61.4 cells: the smallest page that holds it is 89x62 cells"},
      {96, 10, small + "96x10 cells: the smallest page that holds it is 89x62 cells"},
      {1, 1, small + "1x1 cells: the smallest page that holds it is 89x62 cells"},
      // A page too tall says so first, however narrow it is.
      {96, 105.5, tall + "105.5 lines: the first band must begin above line 50"},
      {0.5, 32767, tall + "32767 lines: the first band must begin above line 50"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.columns) + " x " + std::to_string(c.lines));
    const Status fits = CheckPageSize({c.columns, c.lines});
    EXPECT_EQ(fits.ok() ? "" : fits.failure().message, c.refusal);
    Laid laid = UndividedBook(SingleRowStations(3), c.columns, c.lines);
    RecordingMessages messages;
    laid.Count(messages);
    EXPECT_EQ(messages.shown.empty(), c.refusal.empty());
    if (!c.refusal.empty()) {
      EXPECT_TRUE(laid.book.station_entries.empty());
    }
  }
}

TEST(PageLayout, PagesOutsideTheTableAreReportedAndNeverIndexed) {
  Laid laid = UndividedBook(SingleRowStations(3));
  RecordingMessages messages;
  laid.Count(messages);
  for (int32_t page : {-1, 2, 501, 100000}) {
    const RecordingSurface drawn = laid.Draw(page, messages);
    EXPECT_THAT(drawn.texts, IsEmpty());
  }
  EXPECT_THAT(
      messages.shown,
      ElementsAre("Program Error: Page -1 is outside the page table occured in ToPrintAllForms",
                  "Program Error: Page 2 is outside the page table occured in ToPrintAllForms",
                  "Program Error: Page 501 is outside the page table occured in ToPrintAllForms",
                  "Program Error: Page 100000 is outside the page table occured in "
                  "ToPrintAllForms"));
  // The last page of the table is drawn.
  laid.book.page_starts.resize(501);
  laid.book.page_starts[500] = {1, 0};
  messages.shown.clear();
  EXPECT_FALSE(laid.Draw(500, messages).texts.empty());
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, APageStartOutsideTheReportOrTheGridIsReportedNotRead) {
  for (const PageStart start : {PageStart{-1, 0}, PageStart{0, -2}}) {
    SCOPED_TRACE(std::to_string(start.station) + ":" + std::to_string(start.row));
    Laid laid = UndividedBook(SingleRowStations(3));
    laid.book.page_starts = {start};
    RecordingMessages messages;
    RecordingSurface page;
    EXPECT_FALSE(DrawPageBody(page, laid.book, 0, laid.context, messages));
    EXPECT_THAT(messages.shown,
                ElementsAre("Program Error: Subscript out of range occured in ToPrintAllForms"));
  }
}

TEST(PageLayout, AWindowThatRejectsEveryPositionCostsOneMessagePerPage) {
  Laid laid = UndividedBook(SingleRowStations(10));
  RecordingMessages messages;
  laid.Count(messages);
  RecordingSurface window(true, 1000);
  const std::optional<PageStart> next = DrawPageBody(window, laid.book, 0, laid.context, messages);
  EXPECT_THAT(messages.shown, ElementsAre("Program Error: Overflow occured in ToPrintAllForms"));
  EXPECT_EQ(next, (PageStart{8, 0})) << "the page's decisions are still taken";
}

// Every station drawn on page p is listed for page p, and the other way round.
TEST(PageLayout, CountingAndDrawingAgreeOnEveryPage) {
  std::vector<ReportRecord> stations;
  for (int i = 0; i < 60; ++i) {
    const std::string name = "R" + std::to_string(i);
    stations.push_back(i % 7 == 3 ? MessageStation(name) : PointStation(name, 1 + (i * 5) % 11));
  }
  for (double lines : {63.0, 66.2, 70.0, 100.0, 61.5}) {
    SCOPED_TRACE(lines);
    Laid laid = UndividedBook(stations, 96, lines);
    RecordingMessages messages;
    laid.Count(messages);
    ASSERT_THAT(messages.shown, IsEmpty());
    std::vector<std::string> drawn;
    for (int32_t p = 0; p <= laid.book.last_page; ++p) {
      RecordingSurface page;
      const std::optional<PageStart> next =
          DrawPageBody(page, laid.book, p, laid.context, messages);
      EXPECT_EQ(next, laid.book.page_starts[static_cast<size_t>(p) + 1]) << p;
      for (const auto& [name, line] : Headings(page, 7)) {
        drawn.push_back(std::to_string(p + 1) + "            " + name);
      }
    }
    EXPECT_EQ(drawn, laid.Listed());
    EXPECT_EQ(laid.Listed().back().substr(laid.Listed().back().find(' ')), "            R59");
  }
}

}  // namespace
}  // namespace vantrels
