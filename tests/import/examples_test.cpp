#include "import/import_test_util.h"

namespace vantrels::import_test {
namespace {

TEST_F(ImportTest, UndividedExampleImportsWithoutMessages) {
  ASSERT_EQ(ImportPath(VANTRELS_EXAMPLES "/undivided.csv"), ImportStatus::kImported);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(stations_.roadway, Roadway::Undivided);
  EXPECT_EQ(StationCount(), 29);
  EXPECT_EQ(stations_.sides.size(), 1u);

  EXPECT_EQ(U(0).station_text, "2389+00.00");
  EXPECT_EQ(U(0).region_station, "2389+00.00 R1");
  EXPECT_EQ(LastPointIndex(U(0)), 4);
  EXPECT_EQ(U(0).points[0].label, "LtSgShldr");
  EXPECT_EQ(U(0).points[2].offset, "0.00");
  EXPECT_EQ(U(0).points[2].elevation, "1234.56");
  EXPECT_EQ(LastPointIndex(U(8)), 19);
  EXPECT_EQ(U(5).section_station, "2391+75.00 R1");
  EXPECT_EQ(U(12).message_keyword, "MESSAGE");
  EXPECT_EQ(LastPointIndex(U(12)), 0);
  EXPECT_EQ(U(21).message_keyword, "ERROR");
  EXPECT_EQ(U(21).message_text, "Shoulder point LtSgShldr not found");
  EXPECT_EQ(U(29).region_station, "2403+50.00 R1");
  for (int32_t i = 0; i <= StationCount(); ++i) {
    EXPECT_GE(LastPointIndex(U(static_cast<size_t>(i))), 0) << i;
    EXPECT_LE(LastPointIndex(U(static_cast<size_t>(i))), 30) << i;
  }
}

TEST_F(ImportTest, DividedExampleImportsWithoutMessages) {
  ASSERT_EQ(ImportPath(VANTRELS_EXAMPLES "/divided.csv"), ImportStatus::kImported);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(stations_.roadway, Roadway::Divided);
  EXPECT_EQ(StationCount(), 19);
  EXPECT_EQ(stations_.sides.at(1).size(), 20u);

  EXPECT_EQ(L(0).region_station, "2389+00.00 R2");
  EXPECT_EQ(LastPointIndex(L(0)), 5);
  EXPECT_EQ(L(0).points[0].offset, "-60.00");
  EXPECT_EQ(R(0).points[5].label, "RtSgShldr");
  EXPECT_EQ(R(0).points[5].offset, "60.00");
  // Median shoulder written first, left for the ordering of the computations.
  EXPECT_EQ(L(1).points[0].label, "LtMedShldr");
  EXPECT_EQ(LastPointIndex(L(6)), 7);
  EXPECT_EQ(L(9).message_keyword, "MESSAGE");
  EXPECT_EQ(LastPointIndex(L(9)), 1);
  EXPECT_EQ(LastPointIndex(R(9)), 5);
  EXPECT_EQ(L(4).section_station, "2391+20.00 R2");
  EXPECT_EQ(R(19).station_text, "2398+50.00");
}

}  // namespace
}  // namespace vantrels::import_test
