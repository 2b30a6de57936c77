#include <gtest/gtest.h>

#include <string>

#include "book/road.h"
#include "compute/grade.h"
#include "compute/import_stations.h"
#include "criteria_peer.h"
#include "landxml_generator.h"
#include "layout/text_surface.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

// The headless road after the import, as a preview runs it.
Book CountedBook(RoadwayStations stations, Messages& messages) {
  RoadwayStations sloped = CalculateSlopes(std::move(stations));
  Book book = BuildReport(FilterPoints(std::move(sloped), messages), messages);
  EXPECT_TRUE(CountBook(book, PageGeometry{96, 63}, messages).ok());
  return book;
}

TEST(LandXmlRoad, TheRoadGivesTheCountedBookWithTheImportsNotes) {
  const std::string xml = bench::GenerateLandXml({.stations = 5}).xml;
  const std::string two = bench::WithSecondAlignment(xml, "Ramp A");
  TemporaryFolder folder("vantrels-landxml-road");
  TextSurface page(96, 63);
  RoadMemory memory;
  RecordingMessages messages;
  const Result<ImportedBook> road =
      BuildBook(folder.Write(xml, "road.xml"), {}, &page, memory, messages);
  ASSERT_TRUE(road.ok()) << road.failure().message;
  EXPECT_EQ(road->kind, InputKind::kLandXml);
  ASSERT_EQ(road->notes.size(), 3u);
  EXPECT_EQ(road->notes[0], "Alignment \"Main Street\": 5 cross sections");
  EXPECT_EQ(road->book.sides.at(0).station_entries.size(), 5u);

  const std::string path = folder.Write(two, "two.xml");
  EXPECT_EQ(BuildBook(path, {}, &page, memory, messages).failure(),
            UsageError("The LandXML file has several alignments with cross sections: \"Main "
                       "Street\", \"Ramp A\""));
  const Result<ImportedBook> ramp =
      BuildBookFromBytes(two, {.alignment = "Ramp A"}, &page, memory, messages);
  ASSERT_TRUE(ramp.ok());
  EXPECT_EQ(ramp->notes.at(0), "Alignment \"Ramp A\": 5 cross sections");
  // The desktop's list, cancelled: no book, and no printer asked for.
  ImportChoices cancelled;
  cancelled.choose_alignment = [](const std::vector<std::string>&) -> Result<std::string> {
    return Failure{FailureKind::kCancelled, ""};
  };
  const auto no_printer = [&]() -> Surface* {
    ADD_FAILURE() << "a printer was asked for without a book";
    return &page;
  };
  EXPECT_EQ(BuildBook(path, cancelled, no_printer, memory, messages).failure().kind,
            FailureKind::kCancelled);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(LandXmlRoad, ALandXmlFileMakesTheBookItsCriteriaPeerMakes) {
  const bench::GeneratedLandXml generated = bench::GenerateLandXml({.stations = 40});
  ImportMemory import_memory;
  RecordingMessages messages;
  Result<ImportedStations> imported = ImportStations(generated.xml, {}, import_memory, messages);
  ASSERT_TRUE(imported.ok()) << imported.failure().message;
  const std::string peer = bench::CriteriaFileOf(imported->stations.sides.at(0));
  const Book book = CountedBook(std::move(imported->stations), messages);

  RoadMemory memory;
  Result<ImportedBook> criteria = ImportAndComputeBytes(peer, {}, memory, messages);
  ASSERT_TRUE(criteria.ok());
  ASSERT_TRUE(CountBook(criteria->book, PageGeometry{96, 63}, messages).ok());
  EXPECT_TRUE(messages.shown.empty());

  ASSERT_EQ(book.sides.size(), 1u);
  const SideBook& side = book.sides[0];
  const SideBook& peer_side = criteria->book.sides.at(0);
  EXPECT_GT(side.Pages(), 1);
  EXPECT_EQ(side.page_starts, peer_side.page_starts);
  EXPECT_EQ(side.station_entries, peer_side.station_entries);
  EXPECT_EQ(side.station_entries.at(0).station, "10+00.00 R1");
  ASSERT_EQ(side.report.size(), 40u);
  bool cut_and_fill = false;
  for (size_t s = 0; s < side.report.size(); ++s) {
    const ReportRecord& record = side.report[s];
    const ReportRecord& want = peer_side.report[s];
    EXPECT_STREQ(record.SectionLabel(), "Cross Sec. Sta.");
    EXPECT_EQ(record.region_station, want.region_station);
    EXPECT_EQ(record.station_text, want.station_text);
    EXPECT_EQ(record.last_row, want.last_row);
    ASSERT_EQ(record.cells.size(), want.cells.size());
    for (size_t p = 0; p < record.cells.size(); ++p) {
      EXPECT_EQ(record.cells[p].label, want.cells[p].label);
      EXPECT_EQ(record.cells[p].elevation + " @ " + record.cells[p].offset,
                want.cells[p].elevation + " @ " + want.cells[p].offset);
      EXPECT_EQ(record.cells[p].slope, want.cells[p].slope);
      EXPECT_FALSE(want.cells[p].cut_fill);
      cut_and_fill = cut_and_fill || record.cells[p].cut_fill.has_value();
    }
  }
  // The report keeps the cut and fill for the pages and exports to show.
  EXPECT_TRUE(cut_and_fill);
  EXPECT_EQ(side.report[0].cells.at(0).slope, "-33.40");
}

}  // namespace
}  // namespace vantrels
