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
    const RoadResult road =
        BuildBook(std::string(VANTRELS_EXAMPLES) + "/" + c.example, &printer, memory_, messages_);
    ASSERT_EQ(road.status, RoadStatus::kBook);
    ASSERT_TRUE(road.book);
    EXPECT_EQ(road.book->roadway, c.roadway);
    EXPECT_EQ(road.book->page, (PageGeometry{96, 63}));
    ASSERT_EQ(road.book->sides.size(), c.pages.size());
    for (size_t s = 0; s < c.pages.size(); ++s) {
      EXPECT_EQ(road.book->sides[s].Pages(), c.pages[s]);
      EXPECT_FALSE(road.book->sides[s].station_entries.empty());
    }
    EXPECT_TRUE(messages_.shown.empty());
  }
}

TEST_F(Road, ADividedImportThatFailsAtOnceNamesTheStationAnEarlierImportReadLast) {
  TextSurface printer(96, 63);
  ASSERT_EQ(
      BuildBook(std::string(VANTRELS_EXAMPLES) + "/undivided.csv", &printer, memory_, messages_)
          .status,
      RoadStatus::kBook);
  EXPECT_EQ(memory_.import.last_region_station, "2403+50.00 R1");
  const RoadResult failed = BuildBook(Write(kDividedHeaderOnly), &printer, memory_, messages_);
  EXPECT_EQ(failed.status, RoadStatus::kRejected);
  EXPECT_FALSE(failed.book);
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{" There is something wrong at Sta. 2403+50.00 R1"});

  // A first preview has read no station before.
  RoadMemory fresh;
  messages_.shown.clear();
  BuildBook(Write(kDividedHeaderOnly), &printer, fresh, messages_);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{" There is something wrong at Sta. "});
}

TEST_F(Road, RejectedFilesAndTheWrongSideStopGiveNoBook) {
  const struct {
    const char* name;
    std::string bytes;
    RoadStatus status;
  } cases[] = {
      {"not a criteria report", "\"CRITERIA,x\r\nJob\r\nUNDIVIDED,\r\n", RoadStatus::kRejected},
      {"wrong side",
       "\"VANTREL REPORT,x\r\nJob\r\nDIVIDED,\r\nHeader\r\nA,A R1,,,x,A "
       "R1,,,RIGHT,LEFTDITCH,0,1\r\n,,,,,,,,,,,,,,,\r\n",
       RoadStatus::kProgramEnded},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages_ = RecordingMessages{};
    const RoadResult road = ImportAndCompute(Write(c.bytes), memory_, messages_);
    EXPECT_EQ(road.status, c.status);
    EXPECT_FALSE(road.book);
    EXPECT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.ended, c.status == RoadStatus::kProgramEnded);
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
  RoadResult road =
      ImportAndCompute(std::string(VANTRELS_EXAMPLES) + "/divided.csv", memory_, messages_);
  ASSERT_TRUE(road.book);
  Book& book = *road.book;
  // Not counted yet: every side is one page beginning at its first station.
  for (const SideBook& side : book.sides) {
    EXPECT_EQ(side.page_starts.size(), 1u);
    EXPECT_TRUE(side.station_entries.empty());
  }
  CountBook(book, {96, 63}, messages_);
  EXPECT_EQ(book.page, (PageGeometry{96, 63}));
  EXPECT_EQ(book.Of(Side::Left).Pages(), 5);
  EXPECT_EQ(book.Of(Side::Right).Pages(), 5);
  CountBook(book, {96, 126}, messages_);
  EXPECT_EQ(book.Of(Side::Left).Pages(), 1) << "a page of 126 lines puts no station on it";
  EXPECT_EQ(messages_.shown.size(), 2u);
}

}  // namespace
}  // namespace vantrels
