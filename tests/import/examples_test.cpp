#include "import/import_test_util.h"

namespace vantrels::import_test {
namespace {

TEST_F(ImportTest, UndividedExampleImportsWithoutMessages) {
  store_.InputFilePath = VANTRELS_EXAMPLES "/undivided.csv";
  ASSERT_EQ(GpkVantrels(store_, messages_), kFileAccepted);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(store_.RoadwayType, "UNDIVIDED");
  EXPECT_EQ(store_.StationCount, 29);
  EXPECT_EQ(store_.UndividedReport.size(), 30u);

  EXPECT_EQ(U(0).StationText, "2389+00.00");
  EXPECT_EQ(U(0).RegionStation, "2389+00.00 R1");
  EXPECT_EQ(U(0).LastPointIndex, 4);
  EXPECT_EQ(U(0).PointCodes[0], "LtSgShldr");
  EXPECT_EQ(U(0).PointOffsets[2], "0.00");
  EXPECT_EQ(U(0).PointElevations[2], "1234.56");
  EXPECT_EQ(U(8).LastPointIndex, 19);
  EXPECT_EQ(U(5).SectionStation, "2391+75.00 R1");
  EXPECT_EQ(U(12).MessageKeyword, "MESSAGE");
  EXPECT_EQ(U(12).LastPointIndex, 0);
  EXPECT_EQ(U(21).MessageKeyword, "ERROR");
  EXPECT_EQ(U(21).MessageText, "Shoulder point LtSgShldr not found");
  EXPECT_EQ(U(29).RegionStation, "2403+50.00 R1");
  for (int32_t i = 0; i <= store_.StationCount; ++i) {
    EXPECT_GE(U(static_cast<size_t>(i)).LastPointIndex, 0) << i;
    EXPECT_LE(U(static_cast<size_t>(i)).LastPointIndex, 30) << i;
  }
}

TEST_F(ImportTest, DividedExampleImportsWithoutMessages) {
  store_.InputFilePath = VANTRELS_EXAMPLES "/divided.csv";
  ASSERT_EQ(GpkVantrels(store_, messages_), kFileAccepted);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(store_.RoadwayType, "DIVIDED");
  EXPECT_EQ(store_.StationCount, 19);
  EXPECT_EQ(store_.LeftReport.size(), 20u);
  EXPECT_EQ(store_.RightReport.size(), 20u);

  EXPECT_EQ(L(0).RegionStation, "2389+00.00 R2");
  EXPECT_EQ(L(0).LastPointIndex, 5);
  EXPECT_EQ(L(0).PointOffsets[0], "-60.00");
  EXPECT_EQ(R(0).PointCodes[5], "RtSgShldr");
  EXPECT_EQ(R(0).PointOffsets[5], "60.00");
  // Median shoulder written first, left for the ordering of the computations.
  EXPECT_EQ(L(1).PointCodes[0], "LtMedShldr");
  EXPECT_EQ(L(6).LastPointIndex, 7);
  EXPECT_EQ(L(9).MessageKeyword, "MESSAGE");
  EXPECT_EQ(L(9).LastPointIndex, 1);
  EXPECT_EQ(R(9).LastPointIndex, 5);
  EXPECT_EQ(L(4).SectionStation, "2391+20.00 R2");
  EXPECT_EQ(R(19).StationText, "2398+50.00");
}

}  // namespace
}  // namespace vantrels::import_test
