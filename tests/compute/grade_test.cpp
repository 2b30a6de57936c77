#include "compute/grade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/messages.h"
#include "model/store.h"

namespace vantrels {
namespace {

using Texts = std::vector<std::string>;

// A point station whose codes and elevations derive from its offsets ("P5", "E5"), so a moved
// point is visible in every slot array; explicit elevations replace the derived ones.
StationRecord Station(const Texts& offsets, const Texts& elevations = {}) {
  StationRecord s;
  s.LastPointIndex = static_cast<int32_t>(offsets.size()) - 1;
  s.StationText = "1+00";
  s.RegionStation = s.SectionStation = "1+00 R1";
  for (size_t j = 0; j < offsets.size(); ++j) {
    s.PointCodes[j] = "P" + offsets[j];
    s.PointOffsets[j] = offsets[j];
    s.PointElevations[j] = elevations.empty() ? "E" + offsets[j] : elevations[j];
    s.PointSlopes[j] = "S" + offsets[j];
  }
  return s;
}

StationRecord MessageStation(const std::string& keyword, int32_t last_point_index) {
  StationRecord s = Station({"9", "-9"}, {"1", "2"});
  s.LastPointIndex = last_point_index;
  s.RegionStation = "5+00 R1";
  s.MessageKeyword = keyword;
  s.MessageText = "no template found";
  return s;
}

// Small station arrays: the computations must keep to StationCount and to the array sizes.
Store StoreWith(const std::string& roadway, const std::vector<StationRecord>& stations) {
  Store store;
  for (StationArray* a : {&store.UndividedStations, &store.UndividedFiltered, &store.LeftStations,
                          &store.LeftFiltered, &store.RightStations, &store.RightFiltered}) {
    a->assign(6, StationRecord{});
  }
  store.RoadwayType = roadway;
  store.StationCount = static_cast<int32_t>(stations.size()) - 1;
  for (StationArray* a : {&store.UndividedStations, &store.LeftStations, &store.RightStations}) {
    std::copy(stations.begin(), stations.end(), a->begin());
  }
  for (ReportArray* r : {&store.UndividedReport, &store.LeftReport, &store.RightReport}) {
    RecreateReport(*r, store.StationCount);
  }
  return store;
}

Texts Offsets(const StationRecord& s) {
  return {s.PointOffsets.begin(), s.PointOffsets.begin() + s.LastPointIndex + 1};
}

Texts Slopes(const StationRecord& s) {
  return {s.PointSlopes.begin(), s.PointSlopes.begin() + s.LastPointIndex + 1};
}

TEST(CalculateSlopes, WorkedValuesAndSign) {
  Store store = StoreWith("UNDIVIDED", {Station({"0.00", "12.00", "5.00", "17.00"},
                                                {"100.00", "99.76", "100.00", "100.06"}),
                                        Station({"12", "0"}, {"100", "99.76"})});
  RecordingMessages messages;
  CalculateSlopes(store, messages);
  // The slope follows the elevation whatever the direction of the offsets.
  EXPECT_EQ(Slopes(store.UndividedStations[0]), (Texts{"-2.00", "3.43", ".50", ""}));
  EXPECT_EQ(Slopes(store.UndividedStations[1]), (Texts{"-2.00", ""}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(CalculateSlopes, SpanRulesDifferOnlyAtExactlyPointTwo) {
  const struct {
    const char* o0;
    const char* o1;
    const char* undivided;
    const char* divided;
  } cases[] = {
      {"0", "0.2", "", "50.00"},       {"10.0", "10.2", "", ""},  // computed span just below 0.2
      {"0", "0.19", "", ""},           {"5", "5", "", ""},
      {"0", "0.21", "47.62", "47.62"}, {"-0.2", "0", "", "50.00"},
  };
  for (const auto& c : cases) {
    Store undivided = StoreWith("UNDIVIDED", {Station({c.o0, c.o1}, {"100", "100.1"})});
    Store divided = StoreWith("DIVIDED", {Station({c.o0, c.o1}, {"100", "100.1"})});
    RecordingMessages messages;
    CalculateSlopes(undivided, messages);
    CalculateSlopes(divided, messages);
    EXPECT_EQ(undivided.UndividedStations[0].PointSlopes[0], c.undivided) << c.o0 << " " << c.o1;
    EXPECT_EQ(divided.LeftStations[0].PointSlopes[0], c.divided) << c.o0 << " " << c.o1;
    EXPECT_EQ(divided.RightStations[0].PointSlopes[0], c.divided) << c.o0 << " " << c.o1;
  }
}

TEST(CalculateSlopes, UnreadableNumbersEmptyOnlyTheirSteps) {
  StationRecord s = Station({"0", "abc", "10", "20", "30", "40", "50"},
                            {"100", "100", "101", "", "100", "101", ""});
  s.PointSlopes[7] = "beyond the points";
  Store store = StoreWith("UNDIVIDED", {s});
  RecordingMessages messages;
  CalculateSlopes(store, messages);
  EXPECT_EQ(Slopes(store.UndividedStations[0]), (Texts{"", "", "", "", "10.00", "", ""}));
  EXPECT_EQ(store.UndividedStations[0].PointSlopes[7], "beyond the points");
  EXPECT_TRUE(messages.shown.empty());
}

TEST(CalculateSlopes, OrderingPassMovesTheFirstPointIntoPlace) {
  const struct {
    Texts before;
    Texts after;
  } cases[] = {
      {{"5", "-10", "-3", "8", "12"}, {"-10", "-3", "5", "8", "12"}},
      {{"20", "-10", "-3", "8"}, {"-10", "-3", "8", "20"}},
      {{"-20", "-10", "-3", "8"}, {"-20", "-10", "-3", "8"}},
      {{"7"}, {"7"}},
      // A tail that is not ascending: the first point stops before the first greater offset.
      {{"9", "8", "-10", "12"}, {"8", "-10", "9", "12"}},
      {{"5", "8", "-10", "12"}, {"5", "8", "-10", "12"}},
      // An offset that cannot be compared leaves the station as the file gave it.
      {{"9", "8", "abc", "12"}, {"9", "8", "abc", "12"}},
      {{"", "-8", "1"}, {"", "-8", "1"}},
      {{"-9", "-8", "abc"}, {"-9", "-8", "abc"}},
  };
  for (const auto& c : cases) {
    Store store = StoreWith("divided", {Station(c.before)});
    RecordingMessages messages;
    CalculateSlopes(store, messages);
    for (const StationRecord* s : {&store.LeftStations[0], &store.RightStations[0]}) {
      EXPECT_EQ(Offsets(*s), c.after) << c.before.front();
      for (size_t j = 0; j < c.after.size(); ++j) {
        EXPECT_EQ(s->PointCodes[j], "P" + c.after[j]);
        EXPECT_EQ(s->PointElevations[j], "E" + c.after[j]);
      }
    }
  }
}

TEST(CalculateSlopes, OrderingPutsTheFirstPointAfterEqualOffsetsThenSlopes) {
  StationRecord s = Station({"5", "-10", "5", "8"}, {"100", "101", "102", "103"});
  s.PointCodes = {"first", "a", "later", "b"};
  Store store = StoreWith("DIVIDED", {s});
  RecordingMessages messages;
  CalculateSlopes(store, messages);
  const StationRecord& out = store.LeftStations[0];
  EXPECT_EQ(Offsets(out), (Texts{"-10", "5", "5", "8"}));
  EXPECT_EQ((Texts{out.PointCodes[1], out.PointCodes[2]}), (Texts{"later", "first"}));
  EXPECT_EQ(Slopes(out), (Texts{"6.67", "", "100.00", ""}));
  const StationRecord once = out;
  CalculateSlopes(store, messages);
  EXPECT_EQ(out.PointOffsets, once.PointOffsets);
  EXPECT_EQ(out.PointSlopes, once.PointSlopes);
}

TEST(CalculateSlopes, LeavesAloneWhatItMustNotTouch) {
  const StationRecord unordered = Station({"5", "-10", "-3"}, {"100", "101", "102"});
  RecordingMessages messages;

  Store undivided = StoreWith("undivided", {unordered});
  CalculateSlopes(undivided, messages);
  EXPECT_EQ(Offsets(undivided.UndividedStations[0]), Offsets(unordered));  // never reordered
  EXPECT_EQ(Slopes(undivided.UndividedStations[0]), (Texts{"6.67", "14.29", ""}));

  Store other = StoreWith("DIVIDE", {unordered});
  CalculateSlopes(other, messages);
  for (const StationArray* a :
       {&other.UndividedStations, &other.LeftStations, &other.RightStations}) {
    EXPECT_EQ(Offsets((*a)[0]), Offsets(unordered));
    EXPECT_EQ(Slopes((*a)[0]), Slopes(unordered));
  }

  Store beyond = StoreWith("DIVIDED", {unordered, unordered});
  beyond.StationCount = 0;
  CalculateSlopes(beyond, messages);
  EXPECT_EQ(Offsets(beyond.LeftStations[0]), (Texts{"-10", "-3", "5"}));
  EXPECT_EQ(Offsets(beyond.RightStations[1]), Offsets(unordered));

  for (const char* roadway : {"UNDIVIDED", "DIVIDED"}) {
    StationRecord overfull = unordered;
    overfull.LastPointIndex = 31;
    Store store = StoreWith(roadway, {MessageStation("ERROR", 1), MessageStation("MESSAGE", 0),
                                      overfull, Station({"5"})});
    store.StationCount = 5000;
    CalculateSlopes(store, messages);
    const StationArray& a = roadway[0] == 'U' ? store.UndividedStations : store.RightStations;
    for (int i = 0; i < 3; ++i) {
      const StationRecord expected = i == 2 ? overfull : MessageStation(i ? "MESSAGE" : "ERROR", 1);
      EXPECT_EQ(a[i].PointOffsets, expected.PointOffsets) << roadway << i;
      EXPECT_EQ(a[i].PointSlopes, expected.PointSlopes) << roadway << i;
    }
    EXPECT_EQ(Slopes(a[3]), (Texts{""})) << roadway;  // one point: no slope
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST(FilterPoints, CopiesEveryFieldOfBothSides) {
  StationRecord left = Station({"-12", "0"}, {"100", "100.24"});
  left.ExtraText = "extra";
  left.SectionStation = "2+00 R1";
  Store store = StoreWith("DIVIDED", {left, MessageStation("ERROR", 1)});
  store.RightStations[0] = Station({"0", "6", "9"});
  store.RightStations[1] = MessageStation("MESSAGE", 1);
  RecordingMessages messages;
  FilterPoints(store, messages);
  EXPECT_TRUE(messages.shown.empty());
  for (const auto& [source, copy] : {std::pair{&store.LeftStations, &store.LeftFiltered},
                                     std::pair{&store.RightStations, &store.RightFiltered}}) {
    for (int i = 0; i <= 1; ++i) {
      const StationRecord& s = (*source)[i];
      const StationRecord& f = (*copy)[i];
      EXPECT_EQ(f.LastPointIndex, s.LastPointIndex);
      EXPECT_EQ((Texts{f.StationText, f.RegionStation, f.ExtraText, f.SectionStation,
                       f.MessageKeyword, f.MessageText}),
                (Texts{s.StationText, s.RegionStation, s.ExtraText, s.SectionStation,
                       s.MessageKeyword, s.MessageText}));
      EXPECT_EQ(f.PointCodes, s.PointCodes);
      EXPECT_EQ(f.PointOffsets, s.PointOffsets);
      EXPECT_EQ(f.PointElevations, s.PointElevations);
      EXPECT_EQ(f.PointSlopes, s.PointSlopes);
    }
  }
  EXPECT_EQ(store.RightFiltered[1].MessageKeyword, "MESSAGE");
}

TEST(FilterPoints, NoPointStationCopiesFieldsAndLeavesHigherSlotsAlone) {
  StationRecord empty = Station({"1"});
  empty.LastPointIndex = -1;
  Store store = StoreWith("UNDIVIDED", {empty});
  store.UndividedFiltered[0].PointCodes[0] = "earlier run";
  store.RoadwayType = "";
  RecordingMessages messages;
  FilterPoints(store, messages);
  EXPECT_EQ(store.UndividedFiltered[0].RegionStation, "");  // other roadway types copy nothing
  store.RoadwayType = "Undivided";
  FilterPoints(store, messages);
  EXPECT_EQ(store.UndividedFiltered[0].LastPointIndex, -1);
  EXPECT_EQ(store.UndividedFiltered[0].RegionStation, "1+00 R1");
  EXPECT_EQ(store.UndividedFiltered[0].PointCodes[0], "earlier run");
  EXPECT_TRUE(messages.shown.empty());
}

TEST(FilterPoints, RecordsThatCannotBeCopiedAreSkippedWithOneMessage) {
  StationRecord overfull = Station({"1"});
  overfull.LastPointIndex = 31;
  overfull.RegionStation = "overfull";
  Store store = StoreWith("DIVIDED", {Station({"1", "2"}), overfull, overfull, Station({"3"})});
  RecordingMessages messages;
  FilterPoints(store, messages);
  EXPECT_EQ(messages.shown,
            (Texts{"Program Error: Subscript out of range occured in FilterPoints"}));
  EXPECT_EQ(store.LeftFiltered[1].RegionStation, "");
  EXPECT_EQ(Offsets(store.LeftFiltered[3]), (Texts{"3"}));
  EXPECT_EQ(Offsets(store.RightFiltered[3]), (Texts{"3"}));

  Store beyond = StoreWith("UNDIVIDED", {Station({"1"})});
  beyond.StationCount = 2500;
  beyond.UndividedStations.back() = Station({"7"});
  RecordingMessages beyond_messages;
  FilterPoints(beyond, beyond_messages);
  EXPECT_EQ(beyond_messages.shown.size(), 1u);
  EXPECT_EQ(Offsets(beyond.UndividedFiltered.back()), (Texts{"7"}));
}

// Runs the report over stations placed in both the filtered and the station arrays.
Store ReportOf(const std::vector<StationRecord>& stations, RecordingMessages& messages) {
  Store store = StoreWith("UNDIVIDED", stations);
  std::copy(stations.begin(), stations.end(), store.UndividedFiltered.begin());
  WritetoFinalReport(store, messages);
  return store;
}

StationRecord StationOfSize(int points) {
  Texts offsets;
  for (int j = 0; j < points; ++j) offsets.push_back(std::to_string(j));
  return Station(offsets);
}

TEST(WritetoFinalReport, PlacesThreePointsToARow) {
  const struct {
    int points;
    int last_row;
  } cases[] = {{1, 0}, {2, 0}, {3, 0}, {4, 1}, {6, 1}, {7, 2}, {30, 9}, {31, 10}};
  for (const auto& c : cases) {
    RecordingMessages messages;
    const Store store = ReportOf({StationOfSize(c.points)}, messages);
    const ReportRecord& r = store.UndividedReport[0];
    EXPECT_EQ(r.LastRow, c.last_row) << c.points;
    for (int row = 0; row < kGridRows; ++row) {
      for (int column = 0; column < kGridColumns; ++column) {
        const std::string j = std::to_string(row * 3 + column);
        const bool used = column < 3 && row * 3 + column < c.points;
        const auto& cell = r.Cells[row][column];
        const Texts expected = used ? Texts{"P" + j, j, "E" + j, "S" + j, ""} : Texts(5);
        EXPECT_EQ((Texts{cell[0], cell[1], cell[2], cell[3], cell[4]}), expected)
            << c.points << " points, cell " << row << "," << column;
      }
    }
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(WritetoFinalReport, SectionLabelComparesTheStationsExactly) {
  StationRecord design = StationOfSize(1);
  design.SectionStation = "1+00 r1";
  StationRecord message = MessageStation("MESSAGE", 0);
  message.SectionStation = message.RegionStation;
  RecordingMessages messages;
  const Store store =
      ReportOf({StationOfSize(1), design, message, MessageStation("ERROR", 0)}, messages);
  const ReportArray& r = store.UndividedReport;
  EXPECT_EQ((Texts{r[0].SectionLabel, r[1].SectionLabel, r[2].SectionLabel, r[3].SectionLabel}),
            (Texts{"Cross Sec. Sta.", "Design Sec. Sta.", "Cross Sec. Sta.", "Design Sec. Sta."}));
  EXPECT_EQ(r[1].RegionStation, "1+00 R1");
  EXPECT_EQ(r[1].StationText, "1+00");
}

TEST(WritetoFinalReport, MessageStationsGetTheirTextAndNoCells) {
  RecordingMessages messages;
  const Store store = ReportOf(
      {MessageStation("ERROR", 0), MessageStation("MESSAGE", 1), StationOfSize(2)}, messages);
  const ReportArray& r = store.UndividedReport;
  EXPECT_EQ((Texts{r[0].MessageKeyword, r[0].MessageText}), (Texts{"ERROR", "no template found"}));
  EXPECT_EQ(r[1].MessageKeyword, "MESSAGE");
  EXPECT_EQ(r[0].LastRow, 1);
  EXPECT_EQ(r[1].LastRow, 2);
  for (int i = 0; i < 2; ++i) {
    for (const auto& row : r[i].Cells) {
      for (const auto& cell : row) EXPECT_EQ(cell, CellGrid::value_type::value_type{}) << i;
    }
  }
  // The next station starts its grid afresh.
  EXPECT_EQ((Texts{r[2].Cells[0][0][1], r[2].Cells[0][1][1]}), (Texts{"0", "1"}));
  EXPECT_EQ(r[2].LastRow, 0);
  EXPECT_TRUE(r[2].MessageKeyword.empty());
}

TEST(WritetoFinalReport, FaultsShowOneMessageAndNeverCrash) {
  StationRecord overfull = StationOfSize(3);
  overfull.LastPointIndex = 40;
  RecordingMessages messages;
  const Store store = ReportOf({StationOfSize(1), overfull, overfull, StationOfSize(2)}, messages);
  EXPECT_EQ(messages.shown, (Texts{"Error in WritetoFinalReport"}));
  EXPECT_EQ(store.UndividedReport[0].Cells[0][0][1], "0");
  EXPECT_TRUE(store.UndividedReport[1].SectionLabel.empty());
  EXPECT_EQ(store.UndividedReport[3].Cells[0][1][1], "1");

  Store short_report = StoreWith("UNDIVIDED", {StationOfSize(1), StationOfSize(1)});
  short_report.UndividedFiltered = short_report.UndividedStations;
  RecreateReport(short_report.UndividedReport, 0);
  RecordingMessages short_messages;
  WritetoFinalReport(short_report, short_messages);
  EXPECT_EQ(short_messages.shown, (Texts{"Error in WritetoFinalReport"}));
  EXPECT_EQ(short_report.UndividedReport[0].SectionLabel, "Cross Sec. Sta.");
}

TEST(DescribePoint, TranslatesTheFiveCodesExactly) {
  const struct {
    const char* code;
    const char* description;
  } cases[] = {
      {"LtSgShldr", "Left Shoulder"},
      {"LtSgEOP", "Left Edge"},
      {"RtSgEOP", "Right Edge"},
      {"RtSgShldr", "Right Shoulder"},
      {"BR", "Break"},
      {"ltsgeop", "ltsgeop"},
      {"LTSGEOP", "LTSGEOP"},
      {" BR", " BR"},
      {"CL", "CL"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DescribePoint(c.code), c.description) << c.code;
}

TEST(GradeComputations, DividedStationsRunThroughAllThreeLeftAndRight) {
  StationRecord s = Station({"5", "-12", "0", "12"}, {"100.24", "100", "100.24", "100"});
  s.PointCodes = {"BR", "LtSgShldr", "LtSgEOP", "RtSgEOP"};
  Store store = StoreWith("DIVIDED", {s, MessageStation("ERROR", 1)});
  store.RightStations[0] = StationOfSize(7);
  RecordingMessages messages;
  CalculateSlopes(store, messages);
  FilterPoints(store, messages);
  WritetoFinalReport(store, messages);
  EXPECT_TRUE(messages.shown.empty());
  const ReportRecord& left = store.LeftReport[0];
  const std::vector<Texts> expected = {
      {"Left Shoulder", "-12", "100", "2.00"},
      {"Left Edge", "0", "100.24", ".00"},
      {"Break", "5", "100.24", "-3.43"},
      {"Right Edge", "12", "100", ""},
  };
  for (int j = 0; j < 4; ++j) {
    const auto& cell = left.Cells[j / 3][j % 3];
    EXPECT_EQ((Texts{cell[0], cell[1], cell[2], cell[3]}), expected[j]) << j;
  }
  EXPECT_EQ(left.LastRow, 1);
  EXPECT_EQ(store.RightReport[0].LastRow, 2);
  EXPECT_EQ(store.RightReport[0].Cells[2][0][1], "6");
  EXPECT_EQ(store.RightReport[1].MessageKeyword, "ERROR");
  EXPECT_TRUE(store.UndividedReport[0].SectionLabel.empty());
}

}  // namespace
}  // namespace vantrels
