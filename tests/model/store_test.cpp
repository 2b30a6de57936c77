#include "model/store.h"

#include <gtest/gtest.h>

namespace vantrels {
namespace {

TEST(Store, InitialiseCreatesSixStationArraysOf2001EmptyRecords) {
  Store s;
  s.UndividedStations.resize(3);
  s.UndividedStations[0].StationText = "left over";
  InitialiseStore(s);
  for (const StationArray* a : {&s.UndividedStations, &s.UndividedFiltered, &s.LeftStations,
                                &s.LeftFiltered, &s.RightStations, &s.RightFiltered}) {
    ASSERT_EQ(a->size(), 2001u);
    EXPECT_TRUE(a->front().StationText.empty());
    EXPECT_EQ(a->back().LastPointIndex, 0);
  }
}

TEST(Store, RecreateReportDiscardsContentAndSizesToUpperBoundPlusOne) {
  ReportArray r(5);
  r[0].SectionLabel = "Cross Sec. Sta.";
  r[0].Cells[10][3][4] = "x";
  RecreateReport(r, 2);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_TRUE(r[0].SectionLabel.empty());
  EXPECT_TRUE(r[0].Cells[10][3][4].empty());
  RecreateReport(r, 0);
  EXPECT_EQ(r.size(), 1u);
}

}  // namespace
}  // namespace vantrels
