#include <gtest/gtest.h>

#include <string>

#include "book/road.h"
#include "compute/grade.h"
#include "compute/import_stations.h"
#include "criteria_peer.h"
#include "landxml_generator.h"

namespace vantrels {
namespace {

// The headless road after the import, as a preview runs it.
Book CountedBook(RoadwayStations stations, Messages& messages) {
  RoadwayStations sloped = CalculateSlopes(std::move(stations));
  Book book = BuildReport(FilterPoints(std::move(sloped), messages), messages);
  EXPECT_TRUE(CountBook(book, PageGeometry{96, 63}, messages).ok());
  return book;
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
  Result<Book> criteria = ImportAndComputeBytes(peer, memory, messages);
  ASSERT_TRUE(criteria.ok());
  ASSERT_TRUE(CountBook(*criteria, PageGeometry{96, 63}, messages).ok());
  EXPECT_TRUE(messages.shown.empty());

  ASSERT_EQ(book.sides.size(), 1u);
  const SideBook& side = book.sides[0];
  const SideBook& peer_side = criteria->sides.at(0);
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
