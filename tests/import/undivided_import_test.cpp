#include "import/import_test_util.h"

namespace vantrels::import_test {
namespace {

class UndividedImport : public ImportTest {
 protected:
  ImportStatus ImportRows(const std::vector<std::string>& rows,
                          const std::string& ending = "\r\n") {
    std::vector<std::string> lines = UndividedHeader();
    lines.insert(lines.end(), rows.begin(), rows.end());
    return Import(Join(lines, ending));
  }
};

TEST_F(UndividedImport, HeaderOnlyGivesOneEmptyStation) {
  ASSERT_EQ(ImportRows({}), ImportStatus::kImported);
  EXPECT_EQ(stations_.roadway, Roadway::Undivided);
  EXPECT_EQ(StationCount(), 0);
  EXPECT_EQ(LastPointIndex(U(0)), -1);
  EXPECT_EQ(stations_.sides.size(), 1u);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UndividedImport, PointRowsFillTheirFieldsAndTheLastRowGivesExtraAndSection) {
  ASSERT_EQ(ImportRows({
                Point("2389+00.00", "2389+00.00 R1", "LtSgShldr", "-24.00", "1234.56", "e1", "s1"),
                Point("2389+00.00", "2389+00.00 R1", "CL", "0.00", "1235.00", "e2", "s2"),
                kSeparator,
                Point("2389+50.00", "2389+50.00 R1", "CL", "0.00", "1236.00"),
            }),
            ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 1);
  const StationRecord& s = U(0);
  EXPECT_EQ(s.station_text, "2389+00.00");
  EXPECT_EQ(s.region_station, "2389+00.00 R1");
  EXPECT_EQ(LastPointIndex(s), 1);
  EXPECT_EQ(s.points[0].label, "LtSgShldr");
  EXPECT_EQ(s.points[0].offset, "-24.00");
  EXPECT_EQ(s.points[0].elevation, "1234.56");
  EXPECT_EQ(s.points[1].label, "CL");
  EXPECT_EQ(s.extra_text, "e2");
  EXPECT_EQ(s.section_station, "s2");
  EXPECT_TRUE(s.message_keyword.empty());
  EXPECT_EQ(LastPointIndex(U(1)), 0);
  EXPECT_EQ(U(1).section_station, "2389+50.00 R1");
  EXPECT_EQ(memory_.last_region_station, "2389+50.00 R1");
}

struct ClosingCase {
  const char* name;
  std::vector<std::string> rows;
  std::vector<int32_t> last_point_indexes;  // stations 0 to StationCount
};

TEST_F(UndividedImport, SeparatorsAndBlankLinesCloseStations) {
  const std::string a = Point("A", "A R1", "CL", "0", "1");
  const std::string b = Point("B", "B R1", "CL", "0", "1");
  const std::vector<ClosingCase> cases = {
      {"separator", {a, a, kSeparator, b}, {1, 0}},
      {"seven commas inside a longer line", {a, "x,y" + std::string(7, ',') + "z", b}, {0, 0}},
      {"six commas are no separator", {a, Point("B", "B R1", "CL", "0", "1") + ",,,,,,"}, {1}},
      {"blank line", {a, "", b}, {0, 0}},
      {"line of blanks", {a, "    ", b}, {0, 0}},
      {"two separators make an empty station", {a, kSeparator, kSeparator, b}, {0, -1, 0}},
      {"trailing separator makes a counted empty station", {a, kSeparator}, {0, -1}},
      {"leading separator", {kSeparator, a}, {-1, 0}},
  };
  for (const ClosingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(ImportRows(c.rows), ImportStatus::kImported);
    ASSERT_EQ(StationCount() + 1, static_cast<int32_t>(c.last_point_indexes.size()));
    for (size_t i = 0; i < c.last_point_indexes.size(); ++i) {
      EXPECT_EQ(LastPointIndex(U(i)), c.last_point_indexes[i]) << "station " << i;
    }
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UndividedImport, MessageRowIsAStationOfItsOwn) {
  ASSERT_EQ(ImportRows({Point("A", "A R1", "CL", "0", "1"), kSeparator,
                        UndividedMessage("B", "B R1", "ERROR", "No template found"),
                        Point("C", "C R1", "CL", "0", "1")}),
            ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 2);
  EXPECT_EQ(U(1).message_keyword, "ERROR");
  EXPECT_EQ(U(1).message_text, "No template found");
  EXPECT_EQ(U(1).region_station, "B R1");
  EXPECT_EQ(LastPointIndex(U(1)), 0);
  EXPECT_TRUE(U(1).points[0].label.empty());
  EXPECT_EQ(U(2).station_text, "C");
  EXPECT_EQ(LastPointIndex(U(2)), 0);
}

TEST_F(UndividedImport, MessageRowAfterAnOpenStationTakesItOver) {
  ASSERT_EQ(ImportRows({Point("A", "A R1", "CL", "0", "1"), Point("A", "A R1", "BR", "5", "1"),
                        UndividedMessage("M", "M R1", "MESSAGE", "Check")}),
            ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 1);
  EXPECT_EQ(U(0).station_text, "M");
  EXPECT_EQ(U(0).region_station, "M R1");
  EXPECT_EQ(U(0).message_keyword, "MESSAGE");
  EXPECT_EQ(LastPointIndex(U(0)), 0);
  EXPECT_EQ(LastPointIndex(U(1)), -1);
}

TEST_F(UndividedImport, FieldCountLimits) {
  const std::string twelve = Point("A", "A R1", "CL", "0", "1");
  const std::string eleven = twelve.substr(0, twelve.rfind(','));
  const std::vector<std::pair<std::string, bool>> cases = {
      {twelve, true},
      {eleven, false},
      {twelve + ",13,14", true},
      {UndividedMessage("A", "A R1", "ERROR", ""), true},
      {"A,A R1,MESSAGE", false},
      // Keywords are case-sensitive: this is a point row, too short.
      {UndividedMessage("A", "A R1", "error", "x"), false},
      {Fields({"A", "A R1", "Error", "t", "e", "s", "", "", "", "CL", "0", "1"}), true},
      {"A", false},
  };
  for (const auto& [row, accepted] : cases) {
    messages_.shown.clear();
    EXPECT_EQ(ImportRows({row}), accepted ? ImportStatus::kImported : ImportStatus::kRejected)
        << row;
    EXPECT_EQ(messages_.shown.empty(), accepted) << row;
  }
}

TEST_F(UndividedImport, ThirtyOnePointsFitAndTheThirtySecondFails) {
  std::vector<std::string> rows;
  for (int n = 0; n < 31; ++n)
    rows.push_back(Point("A", "A R1", "P" + std::to_string(n), "0", "1"));
  ASSERT_EQ(ImportRows(rows), ImportStatus::kImported);
  EXPECT_EQ(LastPointIndex(U(0)), 30);
  EXPECT_EQ(U(0).points[30].label, "P30");

  rows.push_back(Point("A", "A R1", "P31", "0", "1"));
  EXPECT_EQ(ImportRows(rows), ImportStatus::kRejected);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Error in GPKUndivided"});
  EXPECT_EQ(StationCount(), 0);
}

TEST_F(UndividedImport, TwoThousandAndOneStationsFitAndOneMoreFails) {
  std::vector<std::string> rows;
  for (int n = 0; n < 2001; ++n) {
    if (n) rows.push_back(kSeparator);
    rows.push_back(Point("S" + std::to_string(n), "R", "CL", "0", "1"));
  }
  ASSERT_EQ(ImportRows(rows), ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 2000);
  EXPECT_EQ(U(2000).station_text, "S2000");

  // A separator after the last station opens station 2001 as well.
  for (const std::string& more : {kSeparator, Point("S2001", "R", "CL", "0", "1")}) {
    messages_.shown.clear();
    std::vector<std::string> longer = rows;
    longer.push_back(kSeparator);
    if (more != kSeparator) longer.push_back(more);
    EXPECT_EQ(ImportRows(longer), ImportStatus::kRejected);
    EXPECT_EQ(messages_.shown, std::vector<std::string>{"Error in GPKUndivided"});
    EXPECT_EQ(StationCount(), 2000);
  }
}

TEST_F(UndividedImport, RowWithoutStationNamesClosesButKeepsTheStationNames) {
  ASSERT_EQ(ImportRows({
                Point("A", "A R1", "CL", "0", "1", "extra", "A R2"),
                Point("", "", "DITCH", "9", "2", "other", "other"),
                Point("B", "B R1", "CL", "0", "1"),
            }),
            ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 1);
  const StationRecord& a = U(0);
  EXPECT_EQ(LastPointIndex(a), 0);
  EXPECT_EQ(a.station_text, "A");
  EXPECT_EQ(a.region_station, "A R1");
  EXPECT_EQ(a.extra_text, "extra");
  EXPECT_EQ(a.section_station, "A R2");
  EXPECT_EQ(U(1).station_text, "B");
  EXPECT_EQ(LastPointIndex(U(1)), 0);
}

TEST_F(UndividedImport, RowWithOnlyOneStationNameIsAnOrdinaryPoint) {
  ASSERT_EQ(ImportRows({Point("A", "A R1", "CL", "0", "1"), Point("", "A R1", "BR", "5", "1")}),
            ImportStatus::kImported);
  EXPECT_EQ(LastPointIndex(U(0)), 1);
  EXPECT_EQ(U(0).station_text, "");
}

TEST_F(UndividedImport, LineEndingsCrLfLfAndCrReadAlike) {
  const std::vector<std::string> rows = {Point("A", "A R1", "CL", "0", "1"), kSeparator,
                                         Point("B", "B R1", "CL", "0", "1")};
  for (const std::string ending : {"\r\n", "\n", "\r"}) {
    ASSERT_EQ(ImportRows(rows, ending), ImportStatus::kImported);
    EXPECT_EQ(StationCount(), 1);
    EXPECT_EQ(U(1).points[0].elevation, "1");
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UndividedImport, EachImportStartsFromClearedStations) {
  ASSERT_EQ(ImportRows({UndividedMessage("A", "A R1", "ERROR", "x"), kSeparator,
                        Point("B", "B R1", "CL", "0", "1"), Point("B", "B R1", "BR", "5", "1")}),
            ImportStatus::kImported);
  ASSERT_EQ(ImportRows({Point("C", "C R1", "CL", "0", "1")}), ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 0);
  EXPECT_TRUE(U(0).message_keyword.empty());
  EXPECT_TRUE(U(0).message_text.empty());
  EXPECT_EQ(U(0).points.size(), 1u);
}

TEST_F(UndividedImport, FailureKeepsThePreviousStationsAndRoadwayType) {
  ASSERT_EQ(Import(Join(DividedHeader()) +
                   Join({SideRow("A", "A R1", "LEFT", "CL", "-12", "1"), kTerminator,
                         SideRow("A", "A R1", "RIGHT", "CL", "12", "1"), kTerminator,
                         SideRow("B", "B R1", "LEFT", "CL", "-12", "1")})),
            ImportStatus::kImported);
  ASSERT_EQ(StationCount(), 1);
  EXPECT_EQ(ImportRows({Point("C", "C R1", "CL", "0", "1"), kSeparator, "bad"}),
            ImportStatus::kRejected);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Error in GPKUndivided"});
  EXPECT_EQ(stations_.roadway, Roadway::Divided);
  EXPECT_EQ(StationCount(), 1);
  EXPECT_EQ(L(0).station_text, "A");
  EXPECT_EQ(R(1).station_text, "");
}

TEST_F(UndividedImport, DirectCallOnFewerThanThreeLinesFails) {
  EXPECT_EQ(Take(ImportUndivided("\"VANTREL REPORT,\r\nx\r\n", memory_)),
            ImportStatus::kRejected);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Error in GPKUndivided"});
}

}  // namespace
}  // namespace vantrels::import_test
