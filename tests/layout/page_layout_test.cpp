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
  r.SectionLabel = "Cross Sec. Sta.";
  r.RegionStation = name;
  r.StationText = "S" + name;
  r.LastRow = rows - 1;
  for (int row = 0; row < rows; ++row) {
    for (int c = 0; c < kGridColumns; ++c) {
      r.Cells[row][c][0] = "d" + std::to_string(row) + "." + std::to_string(c);
    }
  }
  return r;
}

ReportRecord MessageStation(const std::string& name) {
  ReportRecord r;
  r.SectionLabel = "Design Sec. Sta.";
  r.RegionStation = name;
  r.StationText = "S" + name;
  r.MessageKeyword = "MESSAGE";
  r.MessageText = "no cross section";
  r.LastRow = 2;
  r.Cells[0][0][0] = "never drawn";
  return r;
}

std::vector<ReportRecord> SingleRowStations(int count) {
  std::vector<ReportRecord> stations;
  for (int i = 0; i < count; ++i) stations.push_back(PointStation("R" + std::to_string(i), 1));
  return stations;
}

Store UndividedBook(std::vector<ReportRecord> stations, double columns = 96, double lines = 63) {
  Store store;
  store.RoadwayType = "Undivided";
  store.UndividedReport = std::move(stations);
  store.StationCount = static_cast<int32_t>(store.UndividedReport.size()) - 1;
  store.UndividedPageStarts[0] = store.LeftPageStarts[0] = store.RightPageStarts[0] = "0:0";
  store.PageColumns = columns;
  store.PageLines = lines;
  return store;
}

RecordingSurface DrawPage(Store& store, int32_t page, RecordingMessages& messages) {
  RecordingSurface printer;
  store.CurrentPage = page;
  ToPrintAllForms(store, messages, printer);
  return printer;
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
  Store store = UndividedBook(SingleRowStations(20));
  RecordingMessages messages;
  PageCount(store, messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_EQ(store.UndividedLastPage, 2);
  EXPECT_EQ(store.CurrentPage, 0);
  EXPECT_EQ(store.UndividedPageStarts[1], "8:0");
  EXPECT_EQ(store.UndividedPageStarts[2], "16:0");
  EXPECT_EQ(store.UndividedPageStarts[3], "20:0");
  ASSERT_EQ(store.StationList.size(), 20u);
  EXPECT_EQ(store.StationList[0], "1            R0");
  EXPECT_EQ(store.StationList[7], "1            R7");
  EXPECT_EQ(store.StationList[8], "2            R8");
  EXPECT_EQ(store.StationList[19], "3            R19");

  const RecordingSurface page0 = DrawPage(store, 0, messages);
  std::vector<int> lines;
  for (const auto& [name, line] : Headings(page0, 7)) lines.push_back(line);
  EXPECT_THAT(lines, ElementsAre(7, 13, 19, 25, 31, 37, 43, 49));
  EXPECT_THAT(page0.At(66, 1), ElementsAre("Page No.:1 of 3"));
  EXPECT_THAT(DrawPage(store, 2, messages).At(66, 1), ElementsAre("Page No.:3 of 3"));
}

TEST(PageLayout, A66LinePageHasBands10To46AndSevenStations) {
  Store store = UndividedBook(SingleRowStations(15), 96, 66);
  RecordingMessages messages;
  PageCount(store, messages);
  EXPECT_EQ(store.UndividedPageStarts[1], "7:0");
  EXPECT_EQ(store.UndividedPageStarts[2], "14:0");
  EXPECT_EQ(store.UndividedLastPage, 2);
  std::vector<int> lines;
  for (const auto& [name, line] : Headings(DrawPage(store, 1, messages), 7)) lines.push_back(line);
  EXPECT_THAT(lines, ElementsAre(10, 16, 22, 28, 34, 40, 46));
}

TEST(PageLayout, ALongStationUsesTheBandOnLine55AndIsCutAcrossPages) {
  Store store = UndividedBook({PointStation("R0", 11)});
  RecordingMessages messages;
  PageCount(store, messages);
  EXPECT_EQ(store.UndividedPageStarts[1], "0:9") << "the next page resumes at row 9";
  EXPECT_EQ(store.UndividedPageStarts[2], "1:0");
  EXPECT_EQ(store.UndividedLastPage, 1);
  EXPECT_THAT(store.StationList, ElementsAre("1            R0", "2            R0"));

  const RecordingSurface page0 = DrawPage(store, 0, messages);
  std::map<int, std::string> rows = FirstColumnRows(page0, 36);
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows.begin()->first, 7);
  EXPECT_EQ(rows.begin()->second, "d0.0");
  EXPECT_EQ(rows.rbegin()->first, 55);
  EXPECT_EQ(rows.rbegin()->second, "d8.0");

  const RecordingSurface page1 = DrawPage(store, 1, messages);
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
    const char* next_start;
    int bands_used;
  };
  // Seven single-row stations take bands 7..43; the eighth begins on 49.
  for (const Case& c : {Case{1, "8:0", 8}, Case{2, "8:0", 9}, Case{3, "7:2", 9}}) {
    SCOPED_TRACE(c.last_station_rows);
    std::vector<ReportRecord> stations = SingleRowStations(7);
    stations.push_back(PointStation("R7", c.last_station_rows));
    stations.push_back(PointStation("R8", 1));
    Store store = UndividedBook(stations);
    RecordingMessages messages;
    PageCount(store, messages);
    EXPECT_EQ(store.UndividedPageStarts[1], c.next_start);
    EXPECT_EQ(FirstColumnRows(DrawPage(store, 0, messages), 36).size(),
              static_cast<size_t>(c.bands_used));
  }
}

TEST(PageLayout, AMessageStationTakesOneBandAndNoGrid) {
  Store store = UndividedBook({PointStation("R0", 1), MessageStation("M1"), PointStation("R2", 2)});
  RecordingMessages messages;
  PageCount(store, messages);
  const RecordingSurface page = DrawPage(store, 0, messages);
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
  stations[1].RegionStation.clear();
  Store store = UndividedBook(stations);
  RecordingMessages messages;
  PageCount(store, messages);
  EXPECT_THAT(store.StationList, ElementsAre("1            R0", "1            R2"));
  EXPECT_THAT(DrawPage(store, 0, messages).At(7, 13), ElementsAre("Cross Sec. Sta."));
}

TEST(PageLayout, CellsShowDescriptionElevationAtOffsetAndSlopeBehindThem) {
  ReportRecord r = PointStation("R0", 1);
  r.Cells[0][0] = {"Left Edge", " 12.50", " 1234.56 ", "2.5", ""};
  r.Cells[0][1] = {"Break", "7.00", "", "-0.5", ""};  // no elevation: no second line
  r.Cells[0][2] = {"", "", "", "abc", ""};            // not a number: kept as it is
  r.Cells[0][3] = {"Column 3", "1", "2", "3", ""};    // never drawn
  Store store = UndividedBook({r});
  RecordingMessages messages;
  PageCount(store, messages);
  const RecordingSurface page = DrawPage(store, 0, messages);
  EXPECT_THAT(page.At(36, 7), ElementsAre("Left Edge"));
  EXPECT_THAT(page.At(36, 8), ElementsAre("1234.56 @  12.50"));
  EXPECT_THAT(page.At(36 + 7 + 6, 9), ElementsAre("2.50%"));
  EXPECT_THAT(page.At(56, 7), ElementsAre("Break"));
  EXPECT_THAT(page.At(56, 8), IsEmpty());
  EXPECT_THAT(page.At(56 + 4, 9), ElementsAre("-.50%"));
  EXPECT_THAT(page.At(76, 9), ElementsAre("abc%"));
  for (const auto& t : page.texts) EXPECT_NE(t.text, "Column 3");
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, PositionsFollowTheRightEdgeAndWindowsScaleWholeCells) {
  Store store = UndividedBook({MessageStation("M0"), PointStation("R1", 1)}, 93.5, 66.2);
  store.ViewScale = 0.5;
  RecordingMessages messages;
  PageCount(store, messages);
  RecordingSurface printer;
  ToPrintAllForms(store, messages, printer);
  // round(93.5 - 89) = 4, round(93.5 - 60) = 34 (halves to even), L(0) = round(10.2) = 10.
  EXPECT_THAT(printer.At(4, 11), ElementsAre("M0"));
  EXPECT_THAT(printer.At(34, 10), ElementsAre("MESSAGE"));
  EXPECT_THAT(printer.At(54, 16), ElementsAre("d0.1"));
  EXPECT_THAT(printer.At(74, 16), ElementsAre("d0.2"));
  EXPECT_THAT(printer.At(64, 4), ElementsAre("Page No.:1 of 1"));

  RecordingSurface window(true);
  ToPrintAllForms(store, messages, window);
  EXPECT_THAT(window.At(4 * 60, 11 * 120), ElementsAre("M0"));
  EXPECT_THAT(window.At(34 * 60, 10 * 120), ElementsAre("MESSAGE"));
  // The label converts like the heading: round(63.5 * 60), round(4.2 * 120).
  EXPECT_THAT(window.At(3810, 504), ElementsAre("Page No.:1 of 1"));
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, ABookEndingExactlyWithAPageCountsNoFurtherPage) {
  for (const auto& [stations, last_page] : {std::pair{8, 0}, std::pair{9, 1}, std::pair{16, 1}}) {
    Store store = UndividedBook(SingleRowStations(stations));
    RecordingMessages messages;
    PageCount(store, messages);
    EXPECT_EQ(store.UndividedLastPage, last_page) << stations;
  }
}

TEST(PageLayout, APageBeyondTheLastStationShowsOnlyItsLabel) {
  Store store = UndividedBook(SingleRowStations(3));
  RecordingMessages messages;
  PageCount(store, messages);
  store.UndividedPageStarts[5] = "3:0";
  const RecordingSurface page = DrawPage(store, 5, messages);
  ASSERT_EQ(page.texts.size(), 1u);
  EXPECT_EQ(page.texts[0].text, "Page No.:6 of 1");
  EXPECT_EQ(store.UndividedPageStarts[6], "3:0");
}

TEST(PageLayout, DividedSidesAreCountedIntoTheirOwnTablesAndLists) {
  Store store;
  store.RoadwayType = "DIVIDED";
  store.StationCount = 8;
  store.LeftReport = SingleRowStations(9);
  store.RightReport = SingleRowStations(9);
  store.RightReport[0] = PointStation("X0", 11);
  store.LeftPageStarts[0] = store.RightPageStarts[0] = "0:0";
  store.UndividedLastPage = 7;
  store.PageColumns = 96;
  store.PageLines = 63;
  RecordingMessages messages;
  PageCount(store, messages);
  EXPECT_EQ(store.CurrentSide, "LeftSide");
  PageCountRight(store, messages);
  EXPECT_EQ(store.CurrentSide, "RightSide");
  EXPECT_EQ(store.CurrentPage, 0);
  EXPECT_EQ(store.LeftLastPage, 1);
  EXPECT_EQ(store.RightLastPage, 2);
  EXPECT_EQ(store.UndividedLastPage, 7);
  EXPECT_EQ(store.StationList.size(), 9u);
  EXPECT_EQ(store.StationListRight.front(), "1            X0");
  EXPECT_EQ(store.StationListRight[1], "2            X0");

  store.CurrentSide = "LeftSide";
  EXPECT_THAT(DrawPage(store, 0, messages).At(66, 1), ElementsAre("(Left)Page No.:1 of 2"));
  store.CurrentSide = "RightSide";
  EXPECT_THAT(DrawPage(store, 2, messages).At(66, 1), ElementsAre("(Right)Page No.:3 of 3"));
}

TEST(PageLayout, ToCountAllFormsListsOnePageAndDrawsNothing) {
  Store store = UndividedBook(SingleRowStations(20));
  RecordingMessages messages;
  PageCount(store, messages);
  store.StationList.clear();
  store.UndividedPageStarts[2].clear();
  store.CurrentPage = 1;
  RecordingSurface hidden(true);
  ToCountAllForms(store, messages, hidden);
  EXPECT_TRUE(hidden.texts.empty());
  EXPECT_EQ(store.UndividedPageStarts[2], "16:0");
  ASSERT_EQ(store.StationList.size(), 8u);
  EXPECT_EQ(store.StationList.front(), "2            R8");
  EXPECT_EQ(store.StationList.back(), "2            R15");
}

TEST(PageLayout, PageCountRightLeavesAnUndividedBookAlone) {
  Store store = UndividedBook(SingleRowStations(3));
  store.LeftLastPage = 4;
  store.RightLastPage = 5;
  store.CurrentSide = "LeftSide";
  store.CurrentPage = 3;
  RecordingMessages messages;
  PageCountRight(store, messages);
  EXPECT_EQ(store.RightLastPage, 5);
  EXPECT_EQ(store.LeftLastPage, 4);
  EXPECT_EQ(store.CurrentSide, "LeftSide");
  EXPECT_EQ(store.CurrentPage, 3);
  EXPECT_TRUE(store.StationListRight.empty());
}

TEST(PageLayout, APageOf105AndAHalfLinesPlacesNoStationAndCountingEnds) {
  for (double lines : {105.5, 140.0}) {
    Store store = UndividedBook(SingleRowStations(3), 96, lines);
    RecordingMessages messages;
    PageCount(store, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_THAT(messages.shown[0], ::testing::HasSubstr("No station fits on a page of"));
    EXPECT_EQ(store.UndividedLastPage, 0);
    EXPECT_TRUE(store.StationList.empty());
  }
  // Just below, the first band begins on line round(48.5) = 48.
  Store store = UndividedBook(SingleRowStations(3), 96, 104.5);
  RecordingMessages messages;
  PageCount(store, messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_EQ(store.UndividedPageStarts[1], "1:0");
  EXPECT_EQ(store.UndividedLastPage, 2);
}

TEST(PageLayout, ABookNeedingMoreThan501PagesIsCutWithOneMessage) {
  // Eight stations a page: 4008 stations fill exactly 501 pages, one more needs a 502nd.
  for (const auto& [stations, message] : {std::pair{4008, false}, std::pair{4009, true}}) {
    Store store = UndividedBook(SingleRowStations(stations));
    RecordingMessages messages;
    PageCount(store, messages);
    EXPECT_EQ(store.UndividedLastPage, 500);
    EXPECT_EQ(store.CurrentPage, 0);
    EXPECT_EQ(store.UndividedPageStarts[500], "4000:0");
    if (message) {
      EXPECT_THAT(messages.shown, ElementsAre("The book needs more than 501 pages and is cut "
                                              "after page 501"));
    } else {
      EXPECT_THAT(messages.shown, IsEmpty());
    }
    EXPECT_EQ(store.StationList.size(), 4008u);
    EXPECT_EQ(store.StationList.back(), "501            R4007");
  }
}

TEST(PageLayout, PagesOutsideTheTableAreReportedAndNeverIndexed) {
  Store store = UndividedBook(SingleRowStations(3));
  RecordingMessages messages;
  for (int32_t page : {-1, 501, 100000}) {
    const RecordingSurface drawn = DrawPage(store, page, messages);
    EXPECT_THAT(drawn.texts, IsEmpty());
  }
  EXPECT_THAT(
      messages.shown,
      ElementsAre("Program Error: Page -1 is outside the page table occured in ToPrintAllForms",
                  "Program Error: Page 501 is outside the page table occured in ToPrintAllForms",
                  "Program Error: Page 100000 is outside the page table occured in "
                  "ToPrintAllForms"));
  // The last page of the table is drawn, but there is no entry after it to write.
  store.UndividedPageStarts[500] = "1:0";
  messages.shown.clear();
  EXPECT_FALSE(DrawPage(store, 500, messages).texts.empty());
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST(PageLayout, AnUnreadablePageStartIsReportedOnceAndCountingEnds) {
  for (const char* entry : {"abc", "", "3", "x:1"}) {
    Store store = UndividedBook(SingleRowStations(3));
    store.UndividedPageStarts[0] = entry;
    RecordingMessages messages;
    PageCount(store, messages);
    EXPECT_THAT(messages.shown, ElementsAre(std::string("Program Error: Invalid page start \"") +
                                            entry + "\" occured in ToPrintAllForms"));
    EXPECT_EQ(store.UndividedLastPage, 0);
  }
}

TEST(PageLayout, AStationCountBeyondTheReportIsReportedNotRead) {
  Store store = UndividedBook(SingleRowStations(3));
  store.StationCount = 5;
  RecordingMessages messages;
  PageCount(store, messages);
  EXPECT_THAT(messages.shown,
              ElementsAre("Program Error: Subscript out of range occured in ToPrintAllForms"));
}

TEST(PageLayout, AWindowThatRejectsEveryPositionCostsOneMessagePerPage) {
  Store store = UndividedBook(SingleRowStations(10));
  RecordingMessages messages;
  PageCount(store, messages);
  store.ViewScale = 1000;
  RecordingSurface window(true);
  ToPrintAllForms(store, messages, window);
  EXPECT_THAT(messages.shown, ElementsAre("Program Error: Overflow occured in ToPrintAllForms"));
  EXPECT_EQ(store.UndividedPageStarts[1], "8:0") << "the page's decisions are still taken";
}

// Every station drawn on page p is listed for page p, and the other way round.
TEST(PageLayout, CountingAndDrawingAgreeOnEveryPage) {
  std::vector<ReportRecord> stations;
  for (int i = 0; i < 60; ++i) {
    const std::string name = "R" + std::to_string(i);
    stations.push_back(i % 7 == 3 ? MessageStation(name) : PointStation(name, 1 + (i * 5) % 11));
  }
  for (double lines : {63.0, 66.2, 70.0, 100.0, 40.0}) {
    SCOPED_TRACE(lines);
    Store store = UndividedBook(stations, 96, lines);
    RecordingMessages messages;
    PageCount(store, messages);
    ASSERT_THAT(messages.shown, IsEmpty());
    std::vector<std::string> drawn;
    for (int32_t p = 0; p <= store.UndividedLastPage; ++p) {
      for (const auto& [name, line] : Headings(DrawPage(store, p, messages), 7)) {
        drawn.push_back(std::to_string(p + 1) + "            " + name);
      }
    }
    EXPECT_EQ(drawn, store.StationList);
    EXPECT_EQ(store.StationList.back().substr(store.StationList.back().find(' ')),
              "            R59");
  }
}

}  // namespace
}  // namespace vantrels
