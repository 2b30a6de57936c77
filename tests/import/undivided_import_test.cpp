#include "import/import_test_util.h"

namespace vantrels::import_test {
namespace {

class UndividedImport : public ImportTest {
 protected:
  int ImportRows(const std::vector<std::string>& rows, const std::string& ending = "\r\n") {
    std::vector<std::string> lines = UndividedHeader();
    lines.insert(lines.end(), rows.begin(), rows.end());
    return Import(Join(lines, ending));
  }
};

TEST_F(UndividedImport, HeaderOnlyGivesOneEmptyStation) {
  ASSERT_EQ(ImportRows({}), kFileAccepted);
  EXPECT_EQ(store_.RoadwayType, "UNDIVIDED");
  EXPECT_EQ(store_.StationCount, 0);
  EXPECT_EQ(U(0).LastPointIndex, -1);
  EXPECT_EQ(store_.UndividedReport.size(), 1u);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UndividedImport, PointRowsFillTheirFieldsAndTheLastRowGivesExtraAndSection) {
  ASSERT_EQ(ImportRows({
                Point("2389+00.00", "2389+00.00 R1", "LtSgShldr", "-24.00", "1234.56", "e1", "s1"),
                Point("2389+00.00", "2389+00.00 R1", "CL", "0.00", "1235.00", "e2", "s2"),
                kSeparator,
                Point("2389+50.00", "2389+50.00 R1", "CL", "0.00", "1236.00"),
            }),
            kFileAccepted);
  EXPECT_EQ(store_.StationCount, 1);
  EXPECT_EQ(store_.UndividedReport.size(), 2u);
  const StationRecord& s = U(0);
  EXPECT_EQ(s.StationText, "2389+00.00");
  EXPECT_EQ(s.RegionStation, "2389+00.00 R1");
  EXPECT_EQ(s.LastPointIndex, 1);
  EXPECT_EQ(s.PointCodes[0], "LtSgShldr");
  EXPECT_EQ(s.PointOffsets[0], "-24.00");
  EXPECT_EQ(s.PointElevations[0], "1234.56");
  EXPECT_EQ(s.PointCodes[1], "CL");
  EXPECT_EQ(s.ExtraText, "e2");
  EXPECT_EQ(s.SectionStation, "s2");
  EXPECT_TRUE(s.MessageKeyword.empty());
  EXPECT_EQ(U(1).LastPointIndex, 0);
  EXPECT_EQ(U(1).SectionStation, "2389+50.00 R1");
  EXPECT_EQ(store_.LastStationText, "2389+50.00");
  EXPECT_EQ(store_.LastRegionStation, "2389+50.00 R1");
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
    ASSERT_EQ(ImportRows(c.rows), kFileAccepted);
    ASSERT_EQ(store_.StationCount + 1, static_cast<int32_t>(c.last_point_indexes.size()));
    for (size_t i = 0; i < c.last_point_indexes.size(); ++i) {
      EXPECT_EQ(U(i).LastPointIndex, c.last_point_indexes[i]) << "station " << i;
    }
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UndividedImport, MessageRowIsAStationOfItsOwn) {
  ASSERT_EQ(ImportRows({Point("A", "A R1", "CL", "0", "1"), kSeparator,
                        UndividedMessage("B", "B R1", "ERROR", "No template found"),
                        Point("C", "C R1", "CL", "0", "1")}),
            kFileAccepted);
  EXPECT_EQ(store_.StationCount, 2);
  EXPECT_EQ(U(1).MessageKeyword, "ERROR");
  EXPECT_EQ(U(1).MessageText, "No template found");
  EXPECT_EQ(U(1).RegionStation, "B R1");
  EXPECT_EQ(U(1).LastPointIndex, 0);
  EXPECT_TRUE(U(1).PointCodes[0].empty());
  EXPECT_EQ(U(2).StationText, "C");
  EXPECT_EQ(U(2).LastPointIndex, 0);
}

TEST_F(UndividedImport, MessageRowAfterAnOpenStationTakesItOver) {
  ASSERT_EQ(ImportRows({Point("A", "A R1", "CL", "0", "1"), Point("A", "A R1", "BR", "5", "1"),
                        UndividedMessage("M", "M R1", "MESSAGE", "Check")}),
            kFileAccepted);
  EXPECT_EQ(store_.StationCount, 1);
  EXPECT_EQ(U(0).StationText, "M");
  EXPECT_EQ(U(0).RegionStation, "M R1");
  EXPECT_EQ(U(0).MessageKeyword, "MESSAGE");
  EXPECT_EQ(U(0).LastPointIndex, 0);
  EXPECT_EQ(U(1).LastPointIndex, -1);
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
    EXPECT_EQ(ImportRows({row}), accepted ? kFileAccepted : kFileRejected) << row;
    EXPECT_EQ(messages_.shown.empty(), accepted) << row;
  }
}

TEST_F(UndividedImport, ThirtyOnePointsFitAndTheThirtySecondFails) {
  std::vector<std::string> rows;
  for (int n = 0; n < 31; ++n)
    rows.push_back(Point("A", "A R1", "P" + std::to_string(n), "0", "1"));
  ASSERT_EQ(ImportRows(rows), kFileAccepted);
  EXPECT_EQ(U(0).LastPointIndex, 30);
  EXPECT_EQ(U(0).PointCodes[30], "P30");

  rows.push_back(Point("A", "A R1", "P31", "0", "1"));
  EXPECT_EQ(ImportRows(rows), kFileRejected);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Error in GPKUndivided"});
  EXPECT_EQ(store_.StationCount, 0);
}

TEST_F(UndividedImport, TwoThousandAndOneStationsFitAndOneMoreFails) {
  std::vector<std::string> rows;
  for (int n = 0; n < 2001; ++n) {
    if (n) rows.push_back(kSeparator);
    rows.push_back(Point("S" + std::to_string(n), "R", "CL", "0", "1"));
  }
  ASSERT_EQ(ImportRows(rows), kFileAccepted);
  EXPECT_EQ(store_.StationCount, 2000);
  EXPECT_EQ(store_.UndividedReport.size(), 2001u);
  EXPECT_EQ(U(2000).StationText, "S2000");

  // A separator after the last station opens station 2001 as well.
  for (const std::string& more : {kSeparator, Point("S2001", "R", "CL", "0", "1")}) {
    messages_.shown.clear();
    std::vector<std::string> longer = rows;
    longer.push_back(kSeparator);
    if (more != kSeparator) longer.push_back(more);
    EXPECT_EQ(ImportRows(longer), kFileRejected);
    EXPECT_EQ(messages_.shown, std::vector<std::string>{"Error in GPKUndivided"});
    EXPECT_EQ(store_.StationCount, 2000);
  }
}

TEST_F(UndividedImport, RowWithoutStationNamesClosesButKeepsTheStationNames) {
  ASSERT_EQ(ImportRows({
                Point("A", "A R1", "CL", "0", "1", "extra", "A R2"),
                Point("", "", "DITCH", "9", "2", "other", "other"),
                Point("B", "B R1", "CL", "0", "1"),
            }),
            kFileAccepted);
  EXPECT_EQ(store_.StationCount, 1);
  const StationRecord& a = U(0);
  EXPECT_EQ(a.LastPointIndex, 0);
  EXPECT_EQ(a.StationText, "A");
  EXPECT_EQ(a.RegionStation, "A R1");
  EXPECT_EQ(a.ExtraText, "extra");
  EXPECT_EQ(a.SectionStation, "A R2");
  EXPECT_EQ(U(1).StationText, "B");
  EXPECT_EQ(U(1).LastPointIndex, 0);
}

TEST_F(UndividedImport, RowWithOnlyOneStationNameIsAnOrdinaryPoint) {
  ASSERT_EQ(ImportRows({Point("A", "A R1", "CL", "0", "1"), Point("", "A R1", "BR", "5", "1")}),
            kFileAccepted);
  EXPECT_EQ(U(0).LastPointIndex, 1);
  EXPECT_EQ(U(0).StationText, "");
}

TEST_F(UndividedImport, LineEndingsCrLfLfAndCrReadAlike) {
  const std::vector<std::string> rows = {Point("A", "A R1", "CL", "0", "1"), kSeparator,
                                         Point("B", "B R1", "CL", "0", "1")};
  for (const std::string ending : {"\r\n", "\n", "\r"}) {
    ASSERT_EQ(ImportRows(rows, ending), kFileAccepted);
    EXPECT_EQ(store_.StationCount, 1);
    EXPECT_EQ(U(1).PointElevations[0], "1");
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UndividedImport, EachImportStartsFromClearedStations) {
  ASSERT_EQ(ImportRows({UndividedMessage("A", "A R1", "ERROR", "x"), kSeparator,
                        Point("B", "B R1", "CL", "0", "1"), Point("B", "B R1", "BR", "5", "1")}),
            kFileAccepted);
  RecreateReport(store_.LeftReport, 7);
  ASSERT_EQ(ImportRows({Point("C", "C R1", "CL", "0", "1")}), kFileAccepted);
  EXPECT_EQ(store_.StationCount, 0);
  EXPECT_EQ(store_.UndividedReport.size(), 1u);
  EXPECT_TRUE(U(0).MessageKeyword.empty());
  EXPECT_TRUE(U(0).MessageText.empty());
  EXPECT_TRUE(U(1).StationText.empty());
  EXPECT_TRUE(U(1).PointCodes[1].empty());
  EXPECT_EQ(store_.LeftReport.size(), 8u);
}

TEST_F(UndividedImport, FailureKeepsStationCountReportAndRoadwayType) {
  ASSERT_EQ(Import(Join(DividedHeader()) +
                   Join({SideRow("A", "A R1", "LEFT", "CL", "-12", "1"), kTerminator,
                         SideRow("A", "A R1", "RIGHT", "CL", "12", "1"), kTerminator,
                         SideRow("B", "B R1", "LEFT", "CL", "-12", "1")})),
            kFileAccepted);
  ASSERT_EQ(store_.StationCount, 1);
  RecreateReport(store_.UndividedReport, 5);
  store_.UndividedReport[0].StationText = "kept";
  EXPECT_EQ(ImportRows({Point("C", "C R1", "CL", "0", "1"), kSeparator, "bad"}), kFileRejected);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Error in GPKUndivided"});
  EXPECT_EQ(store_.RoadwayType, "DIVIDED");
  EXPECT_EQ(store_.StationCount, 1);
  EXPECT_EQ(store_.UndividedReport.size(), 6u);
  EXPECT_EQ(store_.UndividedReport[0].StationText, "kept");
  EXPECT_EQ(U(0).StationText, "C");
  EXPECT_EQ(store_.LeftReport.size(), 2u);
}

TEST_F(UndividedImport, DirectCallOnAMissingFileFails) {
  store_.InputFilePath = (dir_ / "missing.csv").string();
  EXPECT_FALSE(GPKUndivided(store_, messages_));
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Error in GPKUndivided"});
}

}  // namespace
}  // namespace vantrels::import_test
