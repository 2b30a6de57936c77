#include "book/station_range.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book/road.h"
#include "layout/text_surface.h"

namespace vantrels {
namespace {

using ::testing::ElementsAre;

struct Span {
  int32_t first;
  int32_t last;
  bool operator==(const Span&) const = default;
};

void PrintTo(const Span& s, std::ostream* out) {
  *out << "pages " << s.first << "-" << s.last;
}

std::vector<Span> Spans(const PageSelection& selection, Side side) {
  std::vector<Span> spans;
  for (const PageSpan& span : selection) {
    EXPECT_EQ(span.side, side);
    spans.push_back({span.first, span.last});
  }
  return spans;
}

ReportRecord Named(const std::string& region_station) {
  ReportRecord record;
  record.region_station = region_station;
  return record;
}

// Four pages: 10+01 is cut from page 0 to page 1; the unnamed station is cut from page 1 to
// page 2 without an entry; the last station's value (9+50) is lower than the others'.
SideBook FourPages() {
  SideBook book;
  book.report = {Named("10+00.00 R1"), Named("10+01.00 R1"), Named("10+02.00 R1"), Named(""),
                 Named("10+04.00 R1"), Named("9+50.00 R2")};
  book.page_starts = {{0, 0}, {1, 3}, {3, 2}, {5, 0}, {6, 0}};
  book.last_page = 3;
  book.station_entries = {{0, "10+00.00 R1"}, {0, "10+01.00 R1"}, {1, "10+01.00 R1"},
                          {1, "10+02.00 R1"}, {2, "10+04.00 R1"}, {3, "9+50.00 R2"}};
  return book;
}

TEST(PagesShowingStations, ChooseEveryPageThatDrawsAStationOfTheRange) {
  const struct {
    const char* name;
    StationRange range;
    std::vector<Span> pages;
  } cases[] = {
      {"the first station", {1000, 1000}, {{0, 0}}},
      {"the last station, whatever its region", {950, 950}, {{3, 3}}},
      {"a station cut across two pages", {1001, 1001}, {{0, 1}}},
      {"inside the cut station's value", {1000.5, 1001.5}, {{0, 1}}},
      {"a station after the unnamed one", {1003, 1004}, {{2, 2}}},
      {"pages apart are runs of their own", {0, 1000}, {{0, 0}, {3, 3}}},
      {"open at its start", {std::nullopt, 1000}, {{0, 0}, {3, 3}}},
      {"open at its end", {1002, std::nullopt}, {{1, 2}}},
      {"both ends open", {}, {{0, 3}}},
      {"between stations", {1002.5, 1003.5}, {}},
      {"beyond every station", {2000, 3000}, {}},
  };
  const SideBook book = FourPages();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Spans(PagesShowingStations(book, Side::Right, c.range), Side::Right), c.pages);
  }
}

TEST(PagesShowingStations, AStationWithoutANumberIsNeverChosen) {
  SideBook book;
  book.report = {Named("R1"), Named("  10+00.00 R1")};
  book.station_entries = {{0, "R1"}, {1, "  10+00.00 R1"}};
  EXPECT_EQ(Spans(PagesShowingStations(book, Side::Left, {}), Side::Left),
            (std::vector<Span>{{1, 1}}));
}

std::vector<std::pair<std::string, int32_t>> Marks(const std::vector<StationEntry>& entries) {
  std::vector<std::pair<std::string, int32_t>> marks;
  for (const StationEntry& entry : entries) marks.emplace_back(entry.station, entry.page);
  return marks;
}

TEST(BookmarkEntries, OneEntryPerStationOnTheFirstPagePutOut) {
  Book book;
  book.sides = {FourPages()};
  using Marked = std::vector<std::pair<std::string, int32_t>>;
  const struct {
    const char* name;
    PageSelection selection;
    Marked marks;
  } cases[] = {
      {"the whole book",
       {{Side::Left, 0, 3}},
       {{"10+00.00 R1", 0},
        {"10+01.00 R1", 0},
        {"10+02.00 R1", 1},
        {"10+04.00 R1", 2},
        {"9+50.00 R2", 3}}},
      {"a cut station whose first page is left out",
       {{Side::Left, 1, 3}},
       {{"10+01.00 R1", 0}, {"10+02.00 R1", 0}, {"10+04.00 R1", 1}, {"9+50.00 R2", 2}}},
      {"two runs count their pages on",
       {{Side::Left, 0, 0}, {Side::Left, 3, 3}},
       {{"10+00.00 R1", 0}, {"10+01.00 R1", 0}, {"9+50.00 R2", 1}}},
      {"a run that starts inside the cut station",
       {{Side::Left, 1, 1}},
       {{"10+01.00 R1", 0}, {"10+02.00 R1", 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Marks(BookmarkEntries(book, c.selection, Side::Left)), c.marks);
  }
}

TEST(BookmarkEntries, TheRightSideCountsItsPagesAfterTheLeftPages) {
  Book book;
  book.roadway = Roadway::Divided;
  SideBook left = FourPages();
  left.side = Side::Left;
  SideBook right = FourPages();
  right.side = Side::Right;
  book.sides = {left, right};
  const PageSelection selection = {{Side::Left, 2, 3}, {Side::Right, 0, 1}};
  EXPECT_THAT(Marks(BookmarkEntries(book, selection, Side::Left)),
              ElementsAre(std::pair<std::string, int32_t>{"10+04.00 R1", 0},
                          std::pair<std::string, int32_t>{"9+50.00 R2", 1}));
  EXPECT_THAT(Marks(BookmarkEntries(book, selection, Side::Right)),
              ElementsAre(std::pair<std::string, int32_t>{"10+00.00 R1", 2},
                          std::pair<std::string, int32_t>{"10+01.00 R1", 2},
                          std::pair<std::string, int32_t>{"10+02.00 R1", 3}));
}

// An undivided file of one-point stations, but station `long_one` has 31 points.
std::string Road(int stations, int long_one) {
  std::string text = "\"VANTREL REPORT,Test\r\nJob\r\nUNDIVIDED,Roadway 1\r\n";
  for (int i = 0; i < stations; ++i) {
    const std::string sta = std::to_string(100 + i) + "+00.00";
    for (int p = 0; p < (i == long_one ? 31 : 1); ++p) {
      text += sta + "," + sta + " R1,,,x," + sta + " R1,,,,P" + std::to_string(p) + "," +
              std::to_string(p) + ".00,100.00\r\n";
    }
    if (i + 1 < stations) text += ",,,,,,,,,,,\r\n";
  }
  return text;
}

TEST(BookmarkEntries, ACountedBookMarksEachStationOnceOnItsFirstPage) {
  RoadMemory memory;
  RecordingMessages messages;
  TextSurface page(96, 63);
  const Result<ImportedBook> road = BuildBookFromBytes(Road(20, 5), {}, &page, memory, messages);
  ASSERT_TRUE(road.ok());
  const Book& book = road->book;
  const SideBook& side = book.sides.front();
  const std::vector<StationEntry> marks = BookmarkEntries(book, WholeBook(book), Side::Left);
  ASSERT_EQ(marks.size(), 20u);
  // The Go To list names the cut station once more, on the page it continues on.
  ASSERT_EQ(side.station_entries.size(), 21u);
  for (size_t n = 0; n < marks.size(); ++n) {
    const std::string name = std::to_string(100 + n) + "+00.00 R1";
    EXPECT_EQ(marks[n].station, name);
    const auto first = std::find_if(side.station_entries.begin(), side.station_entries.end(),
                                    [&](const StationEntry& e) { return e.station == name; });
    EXPECT_EQ(marks[n].page, first->page) << name;
  }
}

TEST(NoStationFits, OnlyAPageWhoseFirstBandIsTooLow) {
  const struct {
    double lines;
    bool fits;
  } cases[] = {{63, true}, {105, true}, {105.5, false}, {32767, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    RoadMemory memory;
    RecordingMessages messages;
    TextSurface page(96, c.lines);
    const Result<ImportedBook> road = BuildBookFromBytes(Road(3, -1), {}, &page, memory, messages);
    EXPECT_EQ(road.ok(), c.fits);
    if (!c.fits) {
      EXPECT_THAT(road.failure().message, ::testing::StartsWith("No station fits"));
    }
    EXPECT_TRUE(messages.shown.empty());
  }
}

}  // namespace
}  // namespace vantrels
