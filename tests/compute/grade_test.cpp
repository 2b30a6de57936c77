#include "compute/grade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/book.h"
#include "model/messages.h"

namespace vantrels {
namespace {

using Texts = std::vector<std::string>;

// A point station whose codes and elevations derive from its offsets ("P5", "E5"), so a moved
// point is visible in every field; explicit elevations replace the derived ones.
StationRecord Station(const Texts& offsets, const Texts& elevations = {}) {
  StationRecord s;
  s.station_text = "1+00";
  s.region_station = s.section_station = "1+00 R1";
  for (size_t j = 0; j < offsets.size(); ++j) {
    s.points.push_back(Point{"P" + offsets[j], offsets[j],
                             elevations.empty() ? "E" + offsets[j] : elevations[j],
                             "S" + offsets[j]});
  }
  return s;
}

// A message station with `slots` point slots, as the imports give it one or two.
StationRecord MessageStation(const std::string& keyword, size_t slots) {
  StationRecord s = Station({"9", "-9"}, {"1", "2"});
  s.points.resize(slots);
  s.region_station = "5+00 R1";
  s.message_keyword = keyword;
  s.message_text = "no template found";
  return s;
}

// The stations on every side of the roadway: one side, or the same stations left and right.
RoadwayStations With(Roadway roadway, const std::vector<StationRecord>& stations) {
  RoadwayStations r;
  r.roadway = roadway;
  r.sides.assign(roadway == Roadway::Divided ? 2 : 1, stations);
  return r;
}

Texts Offsets(const StationRecord& s) {
  Texts texts;
  for (const Point& p : s.points) texts.push_back(p.offset);
  return texts;
}

Texts Slopes(const StationRecord& s) {
  Texts texts;
  for (const Point& p : s.points) texts.push_back(p.slope);
  return texts;
}

Texts Codes(const StationRecord& s) {
  Texts texts;
  for (const Point& p : s.points) texts.push_back(p.label);
  return texts;
}

TEST(CalculateSlopes, WorkedValuesAndSign) {
  const RoadwayStations out = CalculateSlopes(
      With(Roadway::Undivided,
           {Station({"0.00", "12.00", "5.00", "17.00"}, {"100.00", "99.76", "100.00", "100.06"}),
            Station({"12", "0"}, {"100", "99.76"})}));
  // The slope follows the elevation whatever the direction of the offsets.
  EXPECT_EQ(Slopes(out.sides[0][0]), (Texts{"-2.00", "3.43", ".50", ""}));
  EXPECT_EQ(Slopes(out.sides[0][1]), (Texts{"-2.00", ""}));
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
    const StationRecord s = Station({c.o0, c.o1}, {"100", "100.1"});
    const RoadwayStations undivided = CalculateSlopes(With(Roadway::Undivided, {s}));
    const RoadwayStations divided = CalculateSlopes(With(Roadway::Divided, {s}));
    EXPECT_EQ(undivided.sides[0][0].points[0].slope, c.undivided) << c.o0 << " " << c.o1;
    EXPECT_EQ(divided.sides[0][0].points[0].slope, c.divided) << c.o0 << " " << c.o1;
    EXPECT_EQ(divided.sides[1][0].points[0].slope, c.divided) << c.o0 << " " << c.o1;
  }
}

TEST(CalculateSlopes, UnreadableNumbersEmptyOnlyTheirSteps) {
  const StationRecord s = Station({"0", "abc", "10", "20", "30", "40", "50"},
                                  {"100", "100", "101", "", "100", "101", ""});
  const RoadwayStations out = CalculateSlopes(With(Roadway::Undivided, {s}));
  EXPECT_EQ(Slopes(out.sides[0][0]), (Texts{"", "", "", "", "10.00", "", ""}));
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
    const RoadwayStations out = CalculateSlopes(With(Roadway::Divided, {Station(c.before)}));
    for (const Stations& side : out.sides) {
      const StationRecord& s = side[0];
      EXPECT_EQ(Offsets(s), c.after) << c.before.front();
      for (size_t j = 0; j < c.after.size(); ++j) {
        EXPECT_EQ(s.points[j].label, "P" + c.after[j]);
        EXPECT_EQ(s.points[j].elevation, "E" + c.after[j]);
      }
    }
  }
}

TEST(CalculateSlopes, OrderingPutsTheFirstPointAfterEqualOffsetsThenSlopes) {
  StationRecord s = Station({"5", "-10", "5", "8"}, {"100", "101", "102", "103"});
  const Texts codes = {"first", "a", "later", "b"};
  for (size_t j = 0; j < codes.size(); ++j) s.points[j].label = codes[j];
  RoadwayStations out = CalculateSlopes(With(Roadway::Divided, {s}));
  const StationRecord& ordered = out.sides[0][0];
  EXPECT_EQ(Offsets(ordered), (Texts{"-10", "5", "5", "8"}));
  EXPECT_EQ(Codes(ordered), (Texts{"a", "later", "first", "b"}));
  EXPECT_EQ(Slopes(ordered), (Texts{"6.67", "", "100.00", ""}));
  const StationRecord once = ordered;
  out = CalculateSlopes(std::move(out));
  EXPECT_EQ(Offsets(out.sides[0][0]), Offsets(once));
  EXPECT_EQ(Slopes(out.sides[0][0]), Slopes(once));
}

TEST(CalculateSlopes, LeavesAloneWhatItMustNotTouch) {
  const StationRecord unordered = Station({"5", "-10", "-3"}, {"100", "101", "102"});

  const RoadwayStations undivided = CalculateSlopes(With(Roadway::Undivided, {unordered}));
  EXPECT_EQ(Offsets(undivided.sides[0][0]), Offsets(unordered));  // never reordered
  EXPECT_EQ(Slopes(undivided.sides[0][0]), (Texts{"6.67", "14.29", ""}));

  for (const Roadway roadway : {Roadway::Undivided, Roadway::Divided}) {
    StationRecord overfull = unordered;
    overfull.points.resize(kMaxPoints + 1, overfull.points.back());
    const RoadwayStations out =
        CalculateSlopes(With(roadway, {MessageStation("ERROR", 2), MessageStation("MESSAGE", 1),
                                       overfull, Station({"5"})}));
    const Stations& a = out.sides.back();
    const StationRecord expected[3] = {MessageStation("ERROR", 2), MessageStation("MESSAGE", 1),
                                       overfull};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Offsets(a[i]), Offsets(expected[i])) << i;
      EXPECT_EQ(Slopes(a[i]), Slopes(expected[i])) << i;
    }
    EXPECT_EQ(Slopes(a[3]), (Texts{""}));  // one point: no slope
  }
}

TEST(FilterPoints, KeepsEveryFieldOfBothSides) {
  StationRecord left = Station({"-12", "0"}, {"100", "100.24"});
  left.extra_text = "extra";
  left.section_station = "2+00 R1";
  RoadwayStations stations = With(Roadway::Divided, {left, MessageStation("ERROR", 2)});
  stations.sides[1][0] = Station({"0", "6", "9"});
  stations.sides[1][1] = MessageStation("MESSAGE", 2);
  const RoadwayStations before = stations;
  RecordingMessages messages;
  const RoadwayStations filtered = FilterPoints(std::move(stations), messages);
  EXPECT_TRUE(messages.shown.empty());
  for (size_t side = 0; side < 2; ++side) {
    for (int i = 0; i <= 1; ++i) {
      const StationRecord& s = before.sides[side][i];
      const StationRecord& f = filtered.sides[side][i];
      EXPECT_EQ((Texts{f.station_text, f.region_station, f.extra_text, f.section_station,
                       f.message_keyword, f.message_text}),
                (Texts{s.station_text, s.region_station, s.extra_text, s.section_station,
                       s.message_keyword, s.message_text}));
      EXPECT_EQ(Codes(f), Codes(s));
      EXPECT_EQ(Offsets(f), Offsets(s));
      EXPECT_EQ(Slopes(f), Slopes(s));
    }
  }
  EXPECT_EQ(filtered.sides[1][1].message_keyword, "MESSAGE");
}

TEST(FilterPoints, NoPointStationKeepsItsFields) {
  StationRecord empty = Station({});
  RecordingMessages messages;
  const RoadwayStations filtered = FilterPoints(With(Roadway::Undivided, {empty}), messages);
  EXPECT_TRUE(filtered.sides[0][0].points.empty());
  EXPECT_EQ(filtered.sides[0][0].region_station, "1+00 R1");
  EXPECT_TRUE(messages.shown.empty());
}

TEST(FilterPoints, StationsThatCannotBeTakenAreEmptiedWithOneMessage) {
  StationRecord overfull = Station({"1"});
  overfull.points.resize(kMaxPoints + 1);
  overfull.region_station = "overfull";
  RecordingMessages messages;
  const RoadwayStations filtered = FilterPoints(
      With(Roadway::Divided, {Station({"1", "2"}), overfull, overfull, Station({"3"})}), messages);
  EXPECT_EQ(messages.shown,
            (Texts{"Program Error: Subscript out of range occured in FilterPoints"}));
  EXPECT_EQ(filtered.sides[0][1].region_station, "");
  EXPECT_EQ(Offsets(filtered.sides[0][3]), (Texts{"3"}));
  EXPECT_EQ(Offsets(filtered.sides[1][3]), (Texts{"3"}));
}

std::vector<ReportRecord> ReportOf(const std::vector<StationRecord>& stations,
                                   RecordingMessages& messages) {
  return BuildReport(Stations(stations), messages);
}

StationRecord StationOfSize(int points) {
  Texts offsets;
  for (int j = 0; j < points; ++j) offsets.push_back(std::to_string(j));
  return Station(offsets);
}

Texts CellTexts(const Cell* cell) {
  if (cell == nullptr) return Texts(4);
  return {cell->label, cell->offset, cell->elevation, cell->slope};
}

TEST(BuildReport, PlacesThreePointsToARow) {
  const struct {
    int points;
    int last_row;
  } cases[] = {{1, 0}, {2, 0}, {3, 0}, {4, 1}, {6, 1}, {7, 2}, {30, 9}, {31, 10}};
  for (const auto& c : cases) {
    RecordingMessages messages;
    const std::vector<ReportRecord> report = ReportOf({StationOfSize(c.points)}, messages);
    const ReportRecord& r = report[0];
    EXPECT_EQ(r.last_row, c.last_row) << c.points;
    for (int row = 0; row < kGridRows; ++row) {
      for (int column = 0; column < kPointsPerRow; ++column) {
        const std::string j = std::to_string(row * 3 + column);
        const bool used = row * 3 + column < c.points;
        const Texts expected = used ? Texts{"P" + j, j, "E" + j, "S" + j} : Texts(4);
        EXPECT_EQ(CellTexts(r.CellAt(row, column)), expected)
            << c.points << " points, cell " << row << "," << column;
      }
    }
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(BuildReport, SectionLabelComparesTheStationsExactly) {
  StationRecord design = StationOfSize(1);
  design.section_station = "1+00 r1";
  StationRecord message = MessageStation("MESSAGE", 1);
  message.section_station = message.region_station;
  RecordingMessages messages;
  const std::vector<ReportRecord> r =
      ReportOf({StationOfSize(1), design, message, MessageStation("ERROR", 1)}, messages);
  EXPECT_EQ(
      (Texts{r[0].SectionLabel(), r[1].SectionLabel(), r[2].SectionLabel(), r[3].SectionLabel()}),
      (Texts{"Cross Sec. Sta.", "Design Sec. Sta.", "Cross Sec. Sta.", "Design Sec. Sta."}));
  EXPECT_EQ(r[1].region_station, "1+00 R1");
  EXPECT_EQ(r[1].station_text, "1+00");
}

TEST(BuildReport, MessageStationsGetTheirTextAndNoCells) {
  RecordingMessages messages;
  const std::vector<ReportRecord> r = ReportOf(
      {MessageStation("ERROR", 1), MessageStation("MESSAGE", 2), StationOfSize(2)}, messages);
  EXPECT_EQ((Texts{r[0].message_keyword, r[0].message_text}),
            (Texts{"ERROR", "no template found"}));
  EXPECT_EQ(r[1].message_keyword, "MESSAGE");
  EXPECT_EQ(r[0].last_row, 1);
  EXPECT_EQ(r[1].last_row, 2);
  EXPECT_TRUE(r[0].cells.empty());
  EXPECT_TRUE(r[1].cells.empty());
  // The next station starts its grid afresh.
  EXPECT_EQ((Texts{r[2].CellAt(0, 0)->offset, r[2].CellAt(0, 1)->offset}), (Texts{"0", "1"}));
  EXPECT_EQ(r[2].last_row, 0);
  EXPECT_TRUE(r[2].message_keyword.empty());
}

TEST(BuildReport, FaultsShowOneMessageAndNeverCrash) {
  StationRecord overfull = StationOfSize(3);
  overfull.points.resize(41);
  RecordingMessages messages;
  const std::vector<ReportRecord> report =
      ReportOf({StationOfSize(1), overfull, overfull, StationOfSize(2)}, messages);
  EXPECT_EQ(messages.shown, (Texts{"Error in WritetoFinalReport"}));
  ASSERT_EQ(report.size(), 4u);
  EXPECT_EQ(report[0].CellAt(0, 0)->offset, "0");
  EXPECT_TRUE(report[1].region_station.empty());
  EXPECT_TRUE(report[1].cells.empty());
  EXPECT_EQ(report[3].CellAt(0, 1)->offset, "1");
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
  const Texts codes = {"BR", "LtSgShldr", "LtSgEOP", "RtSgEOP"};
  for (size_t j = 0; j < codes.size(); ++j) s.points[j].label = codes[j];
  RoadwayStations stations = With(Roadway::Divided, {s, MessageStation("ERROR", 2)});
  stations.sides[1][0] = StationOfSize(7);
  RecordingMessages messages;
  const Book book =
      BuildReport(FilterPoints(CalculateSlopes(std::move(stations)), messages), messages);
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(book.sides.size(), 2u);
  EXPECT_EQ(book.sides[0].side, Side::Left);
  EXPECT_EQ(book.sides[1].side, Side::Right);
  const ReportRecord& left = book.Of(Side::Left).report[0];
  const std::vector<Texts> expected = {
      {"Left Shoulder", "-12", "100", "2.00"},
      {"Left Edge", "0", "100.24", ".00"},
      {"Break", "5", "100.24", "-3.43"},
      {"Right Edge", "12", "100", ""},
  };
  for (int j = 0; j < 4; ++j) EXPECT_EQ(CellTexts(left.CellAt(j / 3, j % 3)), expected[j]) << j;
  EXPECT_EQ(left.last_row, 1);
  const std::vector<ReportRecord>& right = book.Of(Side::Right).report;
  EXPECT_EQ(right[0].last_row, 2);
  EXPECT_EQ(right[0].CellAt(2, 0)->offset, "6");
  EXPECT_EQ(right[1].message_keyword, "ERROR");
}

TEST(GradeComputations, AFaultOnBothSidesIsShownOnce) {
  StationRecord overfull = StationOfSize(3);
  overfull.points.resize(40);
  RecordingMessages messages;
  const Book book = BuildReport(With(Roadway::Divided, {overfull}), messages);
  EXPECT_EQ(messages.shown, (Texts{"Error in WritetoFinalReport"}));
  EXPECT_EQ(book.Of(Side::Right).report.size(), 1u);
  const Book undivided = BuildReport(With(Roadway::Undivided, {StationOfSize(2)}), messages);
  ASSERT_EQ(undivided.sides.size(), 1u);
  EXPECT_FALSE(undivided.sides[0].side.has_value());
}

}  // namespace
}  // namespace vantrels
