#include "book/road.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/recording_surface.h"
#include "layout/text_surface.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

using testing::RecordingSurface;

const std::string kDividedHeaderOnly =
    "\"VANTREL REPORT,x\r\nJob\r\nDIVIDED,\r\nStation,Region,,,,,,,Side\r\n";

class Road : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    return folder_.Write(bytes, "file" + std::to_string(++files_) + ".csv");
  }

  TemporaryFolder folder_{"vantrels-road"};
  int files_ = 0;
  RoadMemory memory_;
  RecordingMessages messages_;
};

TEST_F(Road, TheExamplesBecomeCountedBooksOnThePrintersPage) {
  const struct {
    const char* example;
    Roadway roadway;
    std::vector<int32_t> pages;
  } cases[] = {
      {"undivided.csv", Roadway::Undivided, {10}},
      {"divided.csv", Roadway::Divided, {5, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.example);
    TextSurface printer(96, 63);
    const Result<ImportedBook> road = BuildBook(std::string(VANTRELS_EXAMPLES) + "/" + c.example,
                                                {}, &printer, memory_, messages_);
    ASSERT_TRUE(road.ok());
    EXPECT_EQ(road->kind, InputKind::kCriteriaReport);
    EXPECT_TRUE(road->notes.empty());
    const Book& book = road->book;
    EXPECT_EQ(book.roadway, c.roadway);
    EXPECT_EQ(book.page, (PageGeometry{96, 63}));
    ASSERT_EQ(book.sides.size(), c.pages.size());
    for (size_t s = 0; s < c.pages.size(); ++s) {
      EXPECT_EQ(book.sides[s].Pages(), c.pages[s]);
      EXPECT_FALSE(book.sides[s].station_entries.empty());
    }
    EXPECT_TRUE(messages_.shown.empty());
  }
}

TEST_F(Road, ADividedImportThatFailsAtOnceNamesTheStationAnEarlierImportReadLast) {
  TextSurface printer(96, 63);
  ASSERT_TRUE(
      BuildBook(std::string(VANTRELS_EXAMPLES) + "/undivided.csv", {}, &printer, memory_, messages_)
          .ok());
  EXPECT_EQ(memory_.import.last_region_station, "2403+50.00 R1");
  const Result<ImportedBook> failed =
      BuildBook(Write(kDividedHeaderOnly), {}, &printer, memory_, messages_);
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.failure(),
            Rejected(" There is something wrong at Sta. 2403+50.00 R1"));
  EXPECT_TRUE(messages_.shown.empty()) << "the failure is shown by whoever ends the command";

  // A first preview has read no station before.
  RoadMemory fresh;
  EXPECT_EQ(BuildBook(Write(kDividedHeaderOnly), {}, &printer, fresh, messages_).failure(),
            Rejected(" There is something wrong at Sta. "));
}

TEST_F(Road, RejectedFilesAndTheWrongSideStopGiveNoBook) {
  const struct {
    const char* name;
    std::string bytes;
    Failure failure;
  } cases[] = {
      {"not a criteria report", "\"CRITERIA,x\r\nJob\r\nUNDIVIDED,\r\n",
       Rejected("Invalid File Type check file format")},
      {"wrong side",
       "\"VANTREL REPORT,x\r\nJob\r\nDIVIDED,\r\nHeader\r\nA,A R1,,,x,A "
       "R1,,,RIGHT,LEFTDITCH,0,1\r\n,,,,,,,,,,,,,,,\r\n",
       ProgramEnded("Error at LeftSide Station: A R1(LineNumber: 0) Program Exiting")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages_ = RecordingMessages{};
    const Result<ImportedBook> road = ImportAndCompute(Write(c.bytes), {}, memory_, messages_);
    ASSERT_FALSE(road.ok());
    EXPECT_EQ(road.failure(), c.failure);
    EXPECT_TRUE(messages_.shown.empty());
  }
}

TEST_F(Road, APrinterThatCannotBeMeasuredKeepsThePageMeasuredLast) {
  EXPECT_EQ(MeasurePrinterPage(nullptr, memory_), (PageGeometry{0, 0}));
  TextSurface letter(93.3, 66.2);
  EXPECT_EQ(MeasurePrinterPage(&letter, memory_), PageGeometry::Measured(93.3, 66.2));
  RecordingSurface unmeasurable;
  EXPECT_EQ(MeasurePrinterPage(&unmeasurable, memory_), PageGeometry::Measured(93.3, 66.2));
  EXPECT_EQ(MeasurePrinterPage(nullptr, memory_), PageGeometry::Measured(93.3, 66.2));
  EXPECT_EQ(memory_.page, PageGeometry::Measured(93.3, 66.2));
}

TEST_F(Road, CountingLaysEverySideOutOnThePage) {
  Result<ImportedBook> road =
      ImportAndCompute(std::string(VANTRELS_EXAMPLES) + "/divided.csv", {}, memory_, messages_);
  ASSERT_TRUE(road.ok());
  Book& book = road->book;
  // Not counted yet: every side is one page beginning at its first station.
  for (const SideBook& side : book.sides) {
    EXPECT_EQ(side.page_starts.size(), 1u);
    EXPECT_TRUE(side.station_entries.empty());
  }
  ASSERT_TRUE(CountBook(book, {96, 63}, messages_).ok());
  EXPECT_EQ(book.page, (PageGeometry{96, 63}));
  EXPECT_EQ(book.Of(Side::Left).Pages(), 5);
  EXPECT_EQ(book.Of(Side::Right).Pages(), 5);
  const Status tall = CountBook(book, {96, 126}, messages_);
  ASSERT_FALSE(tall.ok()) << "a page of 126 lines puts no station on it";
  EXPECT_EQ(tall.failure(),
            Rejected("No station fits on a page of 126 lines: the first band must begin above "
                     "line 50"));
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace vantrels

namespace vantrels {
namespace {

TEST(ReadSummary, CountsTheStationsAndNamesTheLinesNotUsed) {
  const auto book_of = [](size_t stations, int64_t unused) {
    Book book;
    book.sides.emplace_back().report.resize(stations);
    for (int64_t n = 0; n < unused; ++n) book.unused_lines.Add(10 + 2 * n, "why");
    return book;
  };
  EXPECT_EQ(ReadSummary(book_of(2001, 0)), "2001 stations read");
  EXPECT_EQ(ReadSummary(book_of(1, 1)), "1 station read; 1 line not used: line 10");
  EXPECT_EQ(ReadSummary(book_of(3, 3)), "3 stations read; 3 lines not used: lines 10, 12, 14");
  EXPECT_EQ(ReadSummary(book_of(3, 12)),
            "3 stations read; 12 lines not used: lines 10, 12, 14, 16, 18, 20, 22, 24, 26, 28 "
            "and 2 more");
  EXPECT_EQ(UnusedLineWarnings(book_of(3, 11).unused_lines).back(), "1 more line not used");
  EXPECT_EQ(UnusedLineWarnings(book_of(3, 2).unused_lines),
            (std::vector<std::string>{"line 10 not used: why", "line 12 not used: why"}));
}

}  // namespace
}  // namespace vantrels
