#include <algorithm>
#include <functional>

#include "import/import_test_util.h"

namespace vantrels::import_test {
namespace {

class DividedImport : public ImportTest {
 protected:
  int ImportRows(const std::vector<std::string>& rows) {
    std::vector<std::string> lines = DividedHeader();
    lines.insert(lines.end(), rows.begin(), rows.end());
    return Import(Join(lines));
  }

  // A previous import's values, to see what a failure leaves alone.
  void SetPrevious() {
    store_.RoadwayType = "UNDIVIDED";
    store_.StationCount = 4;
    RecreateReport(store_.LeftReport, 4);
    RecreateReport(store_.RightReport, 4);
    RecreateReport(store_.UndividedReport, 4);
  }

  void ExpectPreviousKept() {
    EXPECT_EQ(store_.RoadwayType, "UNDIVIDED");
    EXPECT_EQ(store_.StationCount, 4);
    EXPECT_EQ(store_.LeftReport.size(), 5u);
    EXPECT_EQ(store_.RightReport.size(), 5u);
  }
};

// One station block: left rows, terminating line, right rows, terminating line.
std::vector<std::string> Block(const std::string& name, int left_rows, int right_rows) {
  const std::string region = name + " R1";
  std::vector<std::string> lines;
  for (int n = 0; n < left_rows; ++n) {
    lines.push_back(SideRow(name, region, "LEFT", "L" + std::to_string(n),
                            std::to_string(-60 + n) + ".00", "1234.5" + std::to_string(n)));
  }
  lines.push_back(kTerminator);
  for (int n = 0; n < right_rows; ++n) {
    lines.push_back(SideRow(name, region, "RIGHT", "R" + std::to_string(n),
                            std::to_string(12 + n) + ".00", "1233.5" + std::to_string(n)));
  }
  lines.push_back(kTerminator);
  return lines;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(DividedImport, BlocksFillLeftAndRightStationsAtTheSameIndex) {
  ASSERT_EQ(ImportRows(Concat({Block("2389+00.00", 3, 2), Block("2389+50.00", 1, 4)})),
            kFileAccepted);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(store_.RoadwayType, "DIVIDED");
  EXPECT_EQ(store_.StationCount, 1);
  EXPECT_EQ(store_.DividedStationIndex, 1);
  EXPECT_EQ(store_.LeftReport.size(), 2u);
  EXPECT_EQ(store_.RightReport.size(), 2u);

  EXPECT_EQ(L(0).StationText, "2389+00.00");
  EXPECT_EQ(L(0).RegionStation, "2389+00.00 R1");
  EXPECT_EQ(L(0).LastPointIndex, 2);
  EXPECT_EQ(L(0).PointCodes[2], "L2");
  EXPECT_EQ(L(0).PointOffsets[2], "-58.00");
  EXPECT_EQ(L(0).PointElevations[2], "1234.52");
  EXPECT_EQ(L(0).ExtraText, "x");
  EXPECT_EQ(L(0).SectionStation, "2389+00.00 R1");
  EXPECT_EQ(R(0).LastPointIndex, 1);
  EXPECT_EQ(R(0).PointCodes[1], "R1");
  EXPECT_EQ(L(1).LastPointIndex, 0);
  EXPECT_EQ(R(1).LastPointIndex, 3);
  EXPECT_EQ(R(1).RegionStation, "2389+50.00 R1");
  EXPECT_EQ(R(1).PointElevations[3], "1233.53");
}

struct EndCase {
  const char* name;
  std::vector<std::string> rows;
  int32_t station_count;
};

TEST_F(DividedImport, WhereTheFileEndsDecidesTheStationCount) {
  const std::vector<EndCase> cases = {
      {"after the last terminating line", Concat({Block("A", 1, 1), Block("B", 1, 1)}), 1},
      {"one more line after it", Concat({Block("A", 1, 1), Block("B", 1, 1), {"extra,line"}}), 2},
      {"one more blank line after it", Concat({Block("A", 1, 1), {""}}), 1},
      {"only line five", {SideRow("A", "A R1", "LEFT", "CL", "-12", "1")}, 0},
      {"after the left terminating line",
       Concat({Block("A", 1, 1), {Block("B", 1, 0)[0], kTerminator}}), 1},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(ImportRows(c.rows), kFileAccepted);
    EXPECT_EQ(store_.StationCount, c.station_count);
    EXPECT_EQ(store_.LeftReport.size(), static_cast<size_t>(c.station_count) + 1);
    EXPECT_EQ(store_.RightReport.size(), static_cast<size_t>(c.station_count) + 1);
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, EndOfFileInsideASideClosesThatSide) {
  ASSERT_EQ(ImportRows(Concat({Block("A", 1, 1),
                               {Block("B", 3, 0)[0], Block("B", 3, 0)[1], Block("B", 3, 0)[2]}})),
            kFileAccepted);
  EXPECT_EQ(store_.StationCount, 1);
  EXPECT_EQ(L(1).LastPointIndex, 2);
  EXPECT_EQ(L(1).PointCodes[2], "L2");

  const std::vector<std::string> block = Block("C", 1, 2);
  ASSERT_EQ(ImportRows({block[0], block[1], block[2], block[3]}), kFileAccepted);
  EXPECT_EQ(store_.StationCount, 0);
  EXPECT_EQ(R(0).LastPointIndex, 1);
  EXPECT_EQ(R(0).PointCodes[1], "R1");

  ASSERT_EQ(ImportRows({block[0], kTerminator, SideMessage("C", "C R1", "RIGHT", "ERROR", "t")}),
            kFileAccepted);
  EXPECT_EQ(R(0).LastPointIndex, 1);
  EXPECT_EQ(R(0).MessageKeyword, "ERROR");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, MessageRowsMarkTheSideWithLastPointIndexOne) {
  ASSERT_EQ(ImportRows({SideMessage("A", "A R1", "LEFT", "MESSAGE", "Left roadway not designed"),
                        kTerminator, SideMessage("A", "A R1", "RIGHT", "Error", "No template"),
                        kTerminator, SideMessage("B", "B R1", "LEFT", "message", ""), kTerminator,
                        SideMessage("B", "B R1", "RIGHT", "mEsSaGe", "m"), kTerminator}),
            kFileAccepted);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(L(0).MessageKeyword, "MESSAGE");
  EXPECT_EQ(L(0).MessageText, "Left roadway not designed");
  EXPECT_EQ(L(0).LastPointIndex, 1);
  EXPECT_EQ(R(0).MessageKeyword, "Error");
  EXPECT_EQ(R(0).MessageText, "No template");
  EXPECT_EQ(R(0).LastPointIndex, 1);
  // The left side takes the keywords in upper case only: this row is an ordinary point.
  EXPECT_TRUE(L(1).MessageKeyword.empty());
  EXPECT_EQ(L(1).LastPointIndex, 0);
  EXPECT_EQ(R(1).MessageKeyword, "mEsSaGe");
}

TEST_F(DividedImport, LeftBlockWhoseFirstLineIsNoLeftRowHasNoPoints) {
  ASSERT_EQ(ImportRows(Concat(
                {Block("A", 1, 1),
                 {"B,B R1,,,,,,,,", SideRow("B", "B R1", "RIGHT", "CL", "12", "1"), kTerminator}})),
            kFileAccepted);
  EXPECT_EQ(store_.StationCount, 1);
  EXPECT_EQ(L(1).LastPointIndex, -1);
  EXPECT_EQ(L(1).StationText, "B");
  EXPECT_EQ(L(1).RegionStation, "B R1");
  EXPECT_EQ(R(1).LastPointIndex, 0);
}

TEST_F(DividedImport, LeftRowsAfterTheTerminatingLineAreSkippedWithTheLineAfterThem) {
  ASSERT_EQ(ImportRows({SideRow("A", "A R1", "LEFT", "L0", "-12", "1"), kTerminator,
                        SideRow("A", "A R1", "LEFT", "late1", "-11", "1"),
                        SideRow("A", "A R1", "LEFT", "late2", "-10", "1"), "skipped,line",
                        SideRow("A", "A R1", "RIGHT", "R0", "12", "1"), kTerminator}),
            kFileAccepted);
  EXPECT_EQ(L(0).LastPointIndex, 0);
  EXPECT_EQ(L(0).PointCodes[0], "L0");
  EXPECT_TRUE(L(0).PointCodes[1].empty());
  EXPECT_EQ(R(0).LastPointIndex, 0);
  EXPECT_EQ(R(0).PointCodes[0], "R0");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, LineWithFourteenCommasIsNoSideRow) {
  ASSERT_EQ(ImportRows({SideRow("A", "A R1", "LEFT", "L0", "-12", "1"), kTerminator + "LEFT",
                        SideRow("A", "A R1", "RIGHT", "R0", "12", "1"), kTerminator}),
            kFileAccepted);
  EXPECT_EQ(L(0).LastPointIndex, 0);
  EXPECT_EQ(R(0).PointCodes[0], "R0");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, MoreThanThirtyOneRowsKeepTheFirstThirtyOne) {
  for (const auto& [left, right] : {std::pair{31, 1}, std::pair{33, 1}, std::pair{1, 32}}) {
    SCOPED_TRACE(std::to_string(left) + " left, " + std::to_string(right) + " right");
    messages_.shown.clear();
    std::vector<std::string> rows = Block("A", left, right);
    // The rows beyond the 31st carry other values that must not reach the station.
    for (std::string& row : rows) {
      if (row.find(",L31,") != std::string::npos || row.find(",L32,") != std::string::npos ||
          row.find(",R31,") != std::string::npos) {
        row = SideRow("A", "A R1", row.find("LEFT") != std::string::npos ? "LEFT" : "RIGHT", "late",
                      "99", "9", "late", "late");
      }
    }
    ASSERT_EQ(ImportRows(rows), kFileAccepted);
    const int extra = std::max(left, right) - 31;
    EXPECT_EQ(messages_.shown, std::vector<std::string>(static_cast<size_t>(std::max(extra, 0)),
                                                        "Error in StoreSide"));
    const StationRecord& side = left >= 31 ? L(0) : R(0);
    EXPECT_EQ(side.LastPointIndex, 30);
    EXPECT_EQ(side.PointCodes[30], left >= 31 ? "L30" : "R30");
    EXPECT_EQ(side.ExtraText, "x");
    EXPECT_EQ(side.SectionStation, "A R1");
  }
}

struct WrongSideCase {
  const char* name;
  std::vector<std::string> rows;
  std::string message;
};

TEST_F(DividedImport, WrongSideWordEndsTheProgramAtOnce) {
  const std::string left0 = SideRow("2389+00.00", "2389+00.00 R1", "LEFT", "CL", "-12", "1");
  const std::vector<WrongSideCase> cases = {
      {"left",
       {left0, SideRow("2389+00.00", "2389+00.00 R1", "RIGHT", "LEFTDITCH", "-10", "1"),
        kTerminator, SideRow("2389+00.00", "2389+00.00 R1", "RIGHT", "CL", "12", "1"), kTerminator},
       "Error at LeftSide Station: 2389+00.00 R1(LineNumber: 1) Program Exiting"},
      {"right",
       {left0, kTerminator,
        SideRow("2389+00.00", "2389+00.00 R1", "Right", "RIGHTDITCH", "12", "1"), kTerminator},
       "Error at RightSide Station: 2389+00.00 R1(LineNumber: 0) Program Exiting"},
      {"row without a region station names an empty station",
       {left0, SideRow("", "", "left", "LEFT", "-10", "1"), kTerminator},
       "Error at LeftSide Station: (LineNumber: 1) Program Exiting"},
  };
  for (const WrongSideCase& c : cases) {
    SCOPED_TRACE(c.name);
    InitialiseStore(store_);
    SetPrevious();
    store_.ProgramEnded = false;
    messages_ = RecordingMessages{};
    std::vector<std::string> rows = c.rows;
    rows.insert(rows.end(), {SideRow("B", "B R1", "LEFT", "CL", "-12", "1"), kTerminator});
    EXPECT_EQ(ImportRows(rows), kFileRejected);
    EXPECT_EQ(messages_.shown, std::vector<std::string>{c.message});
    EXPECT_TRUE(messages_.ended);
    EXPECT_TRUE(store_.ProgramEnded);
    EXPECT_TRUE(L(1).StationText.empty());
    EXPECT_EQ(store_.StationCount, 4);
  }
}

TEST_F(DividedImport, LaterRowsUpdateTheNamesOnlyWhenTheyAreNotEmpty) {
  ASSERT_EQ(ImportRows({SideRow("A", "A R1", "LEFT", "L0", "-12", "1"),
                        SideRow("", "", "LEFT", "L1", "-11", "1"),
                        SideRow("A2", "A2 R1", "LEFT", "L2", "-10", "1"), kTerminator,
                        SideRow("", "", "RIGHT", "R0", "12", "1"), kTerminator}),
            kFileAccepted);
  EXPECT_EQ(L(0).StationText, "A2");
  EXPECT_EQ(L(0).RegionStation, "A2 R1");
  EXPECT_EQ(L(0).LastPointIndex, 2);
  // The right head sets both names even when they are empty.
  EXPECT_EQ(R(0).StationText, "");
  EXPECT_EQ(R(0).RegionStation, "");
}

TEST_F(DividedImport, CommaOfFieldZeroIsFoundBeforeTrimmingButCutAfterIt) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "2389+00.00 R1"}, {" ", "389+00.00 R1"}, {"  ", "89+00.00 R1"}};
  for (const auto& [blanks, region] : cases) {
    ASSERT_EQ(
        ImportRows({blanks + SideRow("2389+00.00", "2389+00.00 R1", "LEFT", "CL", "-12", "1"),
                    kTerminator, SideRow("2389+00.00", "2389+00.00 R1", "RIGHT", "CL", "12", "1"),
                    kTerminator}),
        kFileAccepted);
    EXPECT_EQ(L(0).StationText, blanks + "2389+00.00");
    EXPECT_EQ(L(0).RegionStation, region);
    EXPECT_EQ(L(0).PointOffsets[0], "-12");
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, TooFewLinesIsSomethingWrongAtTheLastStation) {
  SetPrevious();
  store_.LastRegionStation = "2390+00.00 R1";
  EXPECT_EQ(ImportRows({}), kFileRejected);
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{" There is something wrong at Sta. 2390+00.00 R1"});
  ExpectPreviousKept();
}

TEST_F(DividedImport, TwoThousandAndOneStationsFitAndOneMoreFails) {
  std::vector<std::string> rows;
  for (int n = 0; n < 2001; ++n) {
    const std::vector<std::string> block = Block("S" + std::to_string(n), 1, 1);
    rows.insert(rows.end(), block.begin(), block.end());
  }
  ASSERT_EQ(ImportRows(rows), kFileAccepted);
  EXPECT_EQ(store_.StationCount, 2000);
  EXPECT_EQ(R(2000).RegionStation, "S2000 R1");

  SetPrevious();
  rows.push_back(SideRow("S2001", "S2001 R1", "LEFT", "CL", "-12", "1"));
  rows.push_back(kTerminator);
  EXPECT_EQ(ImportRows(rows), kFileRejected);
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{" There is something wrong at Sta. S2001 R1"});
  ExpectPreviousKept();
}

TEST_F(DividedImport, EachImportStartsFromClearedStations) {
  ASSERT_EQ(ImportRows(Concat({Block("A", 2, 2), Block("B", 2, 2)})), kFileAccepted);
  RecreateReport(store_.UndividedReport, 6);
  ASSERT_EQ(ImportRows(Block("C", 1, 1)), kFileAccepted);
  EXPECT_EQ(store_.StationCount, 0);
  EXPECT_TRUE(L(0).PointCodes[1].empty());
  EXPECT_TRUE(R(1).StationText.empty());
  EXPECT_EQ(store_.UndividedReport.size(), 7u);
}

struct StoreSideCase {
  const char* name;
  std::string rest;
  std::string side;
  int32_t slot;
  bool error;
  StationRecord expected;
};

StationRecord Expect(std::function<void(StationRecord&)> set) {
  StationRecord r;
  set(r);
  return r;
}

TEST_F(DividedImport, StoreSideStoresFieldsInRowOrderUntilOneIsMissing) {
  const std::string full = ",,e,s,,,LEFT,CL,-12.00,1234.56";
  const std::vector<StoreSideCase> cases = {
      {"whole row", full, "LeftSide", 2, false, Expect([](StationRecord& r) {
         r.ExtraText = "e";
         r.SectionStation = "s";
         r.PointCodes[2] = "CL";
         r.PointOffsets[2] = "-12.00";
         r.PointElevations[2] = "1234.56";
       })},
      {"no elevation", ",,e,s,,,LEFT,CL,-12.00", "LeftSide", 0, true, Expect([](StationRecord& r) {
         r.ExtraText = "e";
         r.SectionStation = "s";
         r.PointCodes[0] = "CL";
         r.PointOffsets[0] = "-12.00";
       })},
      {"no side word", ",,e,s,,", "LeftSide", 0, true, Expect([](StationRecord& r) {
         r.ExtraText = "e";
         r.SectionStation = "s";
       })},
      {"one field", "x", "LeftSide", 0, true, StationRecord{}},
      {"message without text", ",MESSAGE", "LeftSide", 0, true,
       Expect([](StationRecord& r) { r.MessageKeyword = "MESSAGE"; })},
      {"slot 31", full, "LeftSide", 31, true, StationRecord{}},
      {"right side", ",,e,s,,,RIGHT,CL,12,1", "RightSide", 0, false, Expect([](StationRecord& r) {
         r.ExtraText = "e";
         r.SectionStation = "s";
         r.PointCodes[0] = "CL";
         r.PointOffsets[0] = "12";
         r.PointElevations[0] = "1";
       })},
      {"unknown side", full, "leftside", 0, false, StationRecord{}},
  };
  for (const StoreSideCase& c : cases) {
    SCOPED_TRACE(c.name);
    InitialiseStore(store_);
    messages_.shown.clear();
    EXPECT_TRUE(StoreSide(store_, messages_, "A R1", c.rest, 3, c.side, c.slot));
    EXPECT_EQ(messages_.shown, c.error ? std::vector<std::string>{"Error in StoreSide"}
                                       : std::vector<std::string>{});
    const StationRecord& got = c.side == "RightSide" ? R(3) : L(3);
    EXPECT_EQ(got.ExtraText, c.expected.ExtraText);
    EXPECT_EQ(got.SectionStation, c.expected.SectionStation);
    EXPECT_EQ(got.MessageKeyword, c.expected.MessageKeyword);
    EXPECT_EQ(got.PointCodes, c.expected.PointCodes);
    EXPECT_EQ(got.PointOffsets, c.expected.PointOffsets);
    EXPECT_EQ(got.PointElevations, c.expected.PointElevations);
  }
  EXPECT_FALSE(messages_.ended);
}

}  // namespace
}  // namespace vantrels::import_test
