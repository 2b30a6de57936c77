#include <algorithm>
#include <functional>

#include "import/import_test_util.h"

namespace vantrels::import_test {
namespace {

class DividedImport : public ImportTest {
 protected:
  ImportStatus ImportRows(const std::vector<std::string>& rows) {
    std::vector<std::string> lines = DividedHeader();
    lines.insert(lines.end(), rows.begin(), rows.end());
    return Import(Join(lines));
  }

  // A previous import of five undivided stations, to see what a failure leaves alone.
  void SetPrevious() {
    std::vector<std::string> lines = UndividedHeader();
    for (int n = 0; n < 5; ++n) {
      if (n > 0) lines.push_back(kSeparator);
      const std::string name = "P" + std::to_string(n);
      lines.push_back(Point(name, name + " R1", "CL", "0", "1"));
    }
    ASSERT_EQ(Import(Join(lines)), ImportStatus::kImported);
    messages_.shown.clear();
  }

  void ExpectPreviousKept() {
    EXPECT_EQ(stations_.roadway, Roadway::Undivided);
    EXPECT_EQ(StationCount(), 4);
    EXPECT_EQ(U(4).region_station, "P4 R1");
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
            ImportStatus::kImported);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(stations_.roadway, Roadway::Divided);
  EXPECT_EQ(StationCount(), 1);
  EXPECT_EQ(stations_.sides.at(1).size(), 2u);

  EXPECT_EQ(L(0).station_text, "2389+00.00");
  EXPECT_EQ(L(0).region_station, "2389+00.00 R1");
  EXPECT_EQ(LastPointIndex(L(0)), 2);
  EXPECT_EQ(L(0).points[2].label, "L2");
  EXPECT_EQ(L(0).points[2].offset, "-58.00");
  EXPECT_EQ(L(0).points[2].elevation, "1234.52");
  EXPECT_EQ(L(0).extra_text, "x");
  EXPECT_EQ(L(0).section_station, "2389+00.00 R1");
  EXPECT_EQ(LastPointIndex(R(0)), 1);
  EXPECT_EQ(R(0).points[1].label, "R1");
  EXPECT_EQ(LastPointIndex(L(1)), 0);
  EXPECT_EQ(LastPointIndex(R(1)), 3);
  EXPECT_EQ(R(1).region_station, "2389+50.00 R1");
  EXPECT_EQ(R(1).points[3].elevation, "1233.53");
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
    ASSERT_EQ(ImportRows(c.rows), ImportStatus::kImported);
    EXPECT_EQ(StationCount(), c.station_count);
    // Both sides hold every station, a side the file did not reach as an empty station.
    EXPECT_EQ(stations_.sides.at(1).size(), static_cast<size_t>(c.station_count) + 1);
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, EndOfFileInsideASideClosesThatSide) {
  ASSERT_EQ(ImportRows(Concat({Block("A", 1, 1),
                               {Block("B", 3, 0)[0], Block("B", 3, 0)[1], Block("B", 3, 0)[2]}})),
            ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 1);
  EXPECT_EQ(LastPointIndex(L(1)), 2);
  EXPECT_EQ(L(1).points[2].label, "L2");

  const std::vector<std::string> block = Block("C", 1, 2);
  ASSERT_EQ(ImportRows({block[0], block[1], block[2], block[3]}), ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 0);
  EXPECT_EQ(LastPointIndex(R(0)), 1);
  EXPECT_EQ(R(0).points[1].label, "R1");

  ASSERT_EQ(ImportRows({block[0], kTerminator, SideMessage("C", "C R1", "RIGHT", "ERROR", "t")}),
            ImportStatus::kImported);
  EXPECT_EQ(LastPointIndex(R(0)), 1);
  EXPECT_EQ(R(0).message_keyword, "ERROR");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, MessageRowsMarkTheSideWithLastPointIndexOne) {
  ASSERT_EQ(ImportRows({SideMessage("A", "A R1", "LEFT", "MESSAGE", "Left roadway not designed"),
                        kTerminator, SideMessage("A", "A R1", "RIGHT", "Error", "No template"),
                        kTerminator, SideMessage("B", "B R1", "LEFT", "message", ""), kTerminator,
                        SideMessage("B", "B R1", "RIGHT", "mEsSaGe", "m"), kTerminator}),
            ImportStatus::kImported);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(L(0).message_keyword, "MESSAGE");
  EXPECT_EQ(L(0).message_text, "Left roadway not designed");
  EXPECT_EQ(LastPointIndex(L(0)), 1);
  EXPECT_EQ(R(0).message_keyword, "Error");
  EXPECT_EQ(R(0).message_text, "No template");
  EXPECT_EQ(LastPointIndex(R(0)), 1);
  // The left side takes the keywords in upper case only: this row is an ordinary point.
  EXPECT_TRUE(L(1).message_keyword.empty());
  EXPECT_EQ(LastPointIndex(L(1)), 0);
  EXPECT_EQ(R(1).message_keyword, "mEsSaGe");
}

TEST_F(DividedImport, LeftBlockWhoseFirstLineIsNoLeftRowHasNoPoints) {
  ASSERT_EQ(ImportRows(Concat(
                {Block("A", 1, 1),
                 {"B,B R1,,,,,,,,", SideRow("B", "B R1", "RIGHT", "CL", "12", "1"), kTerminator}})),
            ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 1);
  EXPECT_EQ(LastPointIndex(L(1)), -1);
  EXPECT_EQ(L(1).station_text, "B");
  EXPECT_EQ(L(1).region_station, "B R1");
  EXPECT_EQ(LastPointIndex(R(1)), 0);
}

TEST_F(DividedImport, LeftRowsAfterTheTerminatingLineAreSkippedWithTheLineAfterThem) {
  ASSERT_EQ(ImportRows({SideRow("A", "A R1", "LEFT", "L0", "-12", "1"), kTerminator,
                        SideRow("A", "A R1", "LEFT", "late1", "-11", "1"),
                        SideRow("A", "A R1", "LEFT", "late2", "-10", "1"), "skipped,line",
                        SideRow("A", "A R1", "RIGHT", "R0", "12", "1"), kTerminator}),
            ImportStatus::kImported);
  EXPECT_EQ(LastPointIndex(L(0)), 0);
  EXPECT_EQ(L(0).points[0].label, "L0");
  EXPECT_EQ(L(0).points.size(), 1u);
  EXPECT_EQ(LastPointIndex(R(0)), 0);
  EXPECT_EQ(R(0).points[0].label, "R0");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, LineWithFourteenCommasIsNoSideRow) {
  ASSERT_EQ(ImportRows({SideRow("A", "A R1", "LEFT", "L0", "-12", "1"), kTerminator + "LEFT",
                        SideRow("A", "A R1", "RIGHT", "R0", "12", "1"), kTerminator}),
            ImportStatus::kImported);
  EXPECT_EQ(LastPointIndex(L(0)), 0);
  EXPECT_EQ(R(0).points[0].label, "R0");
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
    ASSERT_EQ(ImportRows(rows), ImportStatus::kImported);
    const int extra = std::max(left, right) - 31;
    EXPECT_EQ(messages_.shown, std::vector<std::string>(static_cast<size_t>(std::max(extra, 0)),
                                                        "Error in StoreSide"));
    const StationRecord& side = left >= 31 ? L(0) : R(0);
    EXPECT_EQ(LastPointIndex(side), 30);
    EXPECT_EQ(side.points[30].label, left >= 31 ? "L30" : "R30");
    EXPECT_EQ(side.extra_text, "x");
    EXPECT_EQ(side.section_station, "A R1");
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
    SetPrevious();
    messages_ = RecordingMessages{};
    std::vector<std::string> rows = c.rows;
    rows.insert(rows.end(), {SideRow("B", "B R1", "LEFT", "CL", "-12", "1"), kTerminator});
    EXPECT_EQ(ImportRows(rows), ImportStatus::kProgramEnded);
    EXPECT_EQ(messages_.shown, std::vector<std::string>{c.message});
    EXPECT_TRUE(ended_);
    ExpectPreviousKept();
  }
}

TEST_F(DividedImport, LaterRowsUpdateTheNamesOnlyWhenTheyAreNotEmpty) {
  ASSERT_EQ(ImportRows({SideRow("A", "A R1", "LEFT", "L0", "-12", "1"),
                        SideRow("", "", "LEFT", "L1", "-11", "1"),
                        SideRow("A2", "A2 R1", "LEFT", "L2", "-10", "1"), kTerminator,
                        SideRow("", "", "RIGHT", "R0", "12", "1"), kTerminator}),
            ImportStatus::kImported);
  EXPECT_EQ(L(0).station_text, "A2");
  EXPECT_EQ(L(0).region_station, "A2 R1");
  EXPECT_EQ(LastPointIndex(L(0)), 2);
  // The right head sets both names even when they are empty.
  EXPECT_EQ(R(0).station_text, "");
  EXPECT_EQ(R(0).region_station, "");
}

TEST_F(DividedImport, CommaOfFieldZeroIsFoundBeforeTrimmingButCutAfterIt) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "2389+00.00 R1"}, {" ", "389+00.00 R1"}, {"  ", "89+00.00 R1"}};
  for (const auto& [blanks, region] : cases) {
    ASSERT_EQ(
        ImportRows({blanks + SideRow("2389+00.00", "2389+00.00 R1", "LEFT", "CL", "-12", "1"),
                    kTerminator, SideRow("2389+00.00", "2389+00.00 R1", "RIGHT", "CL", "12", "1"),
                    kTerminator}),
        ImportStatus::kImported);
    EXPECT_EQ(L(0).station_text, blanks + "2389+00.00");
    EXPECT_EQ(L(0).region_station, region);
    EXPECT_EQ(L(0).points[0].offset, "-12");
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DividedImport, TooFewLinesIsSomethingWrongAtTheLastStation) {
  SetPrevious();
  memory_.last_region_station = "2390+00.00 R1";
  EXPECT_EQ(ImportRows({}), ImportStatus::kRejected);
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
  ASSERT_EQ(ImportRows(rows), ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 2000);
  EXPECT_EQ(R(2000).region_station, "S2000 R1");

  SetPrevious();
  rows.push_back(SideRow("S2001", "S2001 R1", "LEFT", "CL", "-12", "1"));
  rows.push_back(kTerminator);
  EXPECT_EQ(ImportRows(rows), ImportStatus::kRejected);
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{" There is something wrong at Sta. S2001 R1"});
  ExpectPreviousKept();
}

TEST_F(DividedImport, EachImportStartsFromClearedStations) {
  ASSERT_EQ(ImportRows(Concat({Block("A", 2, 2), Block("B", 2, 2)})), ImportStatus::kImported);
  ASSERT_EQ(ImportRows(Block("C", 1, 1)), ImportStatus::kImported);
  EXPECT_EQ(StationCount(), 0);
  EXPECT_EQ(L(0).points.size(), 1u);
  EXPECT_EQ(stations_.sides.at(1).size(), 1u);
  EXPECT_EQ(R(0).station_text, "C");
}

struct StoreSideCase {
  const char* name;
  std::string rest;
  Side side;
  int32_t slot;
  bool error;
  StationRecord expected;
};

StationRecord Expect(std::function<void(StationRecord&)> set) {
  StationRecord r;
  set(r);
  return r;
}

std::vector<std::string> PointTexts(const StationRecord& r) {
  std::vector<std::string> texts;
  for (const vantrels::Point& p : r.points)
    texts.push_back(p.label + "|" + p.offset + "|" + p.elevation);
  return texts;
}

TEST_F(DividedImport, StoreSideStoresFieldsInRowOrderUntilOneIsMissing) {
  const std::string full = ",,e,s,,,LEFT,CL,-12.00,1234.56";
  const std::vector<StoreSideCase> cases = {
      {"whole row", full, Side::Left, 2, false, Expect([](StationRecord& r) {
         r.extra_text = "e";
         r.section_station = "s";
         r.points.resize(3);
         r.points[2] = {"CL", "-12.00", "1234.56", ""};
       })},
      {"no elevation", ",,e,s,,,LEFT,CL,-12.00", Side::Left, 0, true, Expect([](StationRecord& r) {
         r.extra_text = "e";
         r.section_station = "s";
         r.points = {{"CL", "-12.00", "", ""}};
       })},
      {"no side word", ",,e,s,,", Side::Left, 0, true, Expect([](StationRecord& r) {
         r.extra_text = "e";
         r.section_station = "s";
       })},
      {"one field", "x", Side::Left, 0, true, StationRecord{}},
      {"message without text", ",MESSAGE", Side::Left, 0, true,
       Expect([](StationRecord& r) { r.message_keyword = "MESSAGE"; })},
      {"slot 31", full, Side::Left, 31, true, StationRecord{}},
      {"right side", ",,e,s,,,RIGHT,CL,12,1", Side::Right, 0, false, Expect([](StationRecord& r) {
         r.extra_text = "e";
         r.section_station = "s";
         r.points = {{"CL", "12", "1", ""}};
       })},
  };
  for (const StoreSideCase& c : cases) {
    SCOPED_TRACE(c.name);
    messages_.shown.clear();
    StationRecord got;
    const Result<RowStored> stored = StoreSide(got, c.rest, c.side, c.slot, "A R1", messages_);
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(*stored, c.error ? RowStored::kPartly : RowStored::kWhole);
    EXPECT_EQ(messages_.shown, c.error ? std::vector<std::string>{"Error in StoreSide"}
                                       : std::vector<std::string>{});
    EXPECT_EQ(got.extra_text, c.expected.extra_text);
    EXPECT_EQ(got.section_station, c.expected.section_station);
    EXPECT_EQ(got.message_keyword, c.expected.message_keyword);
    EXPECT_EQ(PointTexts(got), PointTexts(c.expected));
  }
  EXPECT_FALSE(ended_);
}

}  // namespace
}  // namespace vantrels::import_test

namespace vantrels::import_test {
namespace {

// Data lines start at line 5, after the four header lines.
TEST_F(DividedImport, LinesPassedOverAreRecordedWithTheirNumberAndWhy) {
  const std::string l1 = SideRow("A", "A R1", "LEFT", "CL", "0", "1");
  const std::string r1 = SideRow("A", "A R1", "RIGHT", "CL", "0", "1");
  const std::string lower = SideRow("A", "A R1", "left", "CL", "0", "1");
  const struct {
    const char* name;
    std::vector<std::string> rows;
    std::vector<UnusedLine> unused;
  } cases[] = {
      {"a whole block", {l1, l1, kTerminator, r1, "", l1, kTerminator, r1, kTerminator}, {}},
      {"a side word in lower case ends the rows, the rows after it are late",
       {l1, lower, l1, kTerminator, r1, kTerminator},
       {{6, "the side is \"left\", not \"LEFT\""},
        {7, "a LEFT row after its station's LEFT rows ended"}}},
      {"no terminating line between the sides",
       {l1, r1, r1, kTerminator, l1},
       {{6, "the side is \"RIGHT\", not \"LEFT\""}, {9, "the last line starts no station"}}},
      {"the line after late LEFT rows is skipped",
       {l1, kTerminator, l1, r1, r1, kTerminator},
       {{7, "a LEFT row after its station's LEFT rows ended"},
        {8, "skipped after late LEFT rows"}}},
      {"a short line and a long side word", {"A,A R1,x", l1, kTerminator,
        SideRow("A", "A R1", "\x1b" + std::string(30, 'W'), "CL", "0", "1"), kTerminator},
       {{5, "it has no side field"},
        {6, "a LEFT row after its station's LEFT rows ended"},
        {8, "the side is \"?WWWWWWWWWWWWWWWWWWWWWWW...\", not \"RIGHT\""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(ImportRows(c.rows), ImportStatus::kImported);
    EXPECT_EQ(stations_.unused.count, static_cast<int64_t>(c.unused.size()));
    EXPECT_EQ(stations_.unused.first, c.unused);
  }
}

TEST_F(DividedImport, KeepsTheFirstTenLinesPassedOverAndCountsTheRest) {
  std::vector<std::string> rows = {SideRow("A", "A R1", "LEFT", "CL", "0", "1"), kTerminator};
  for (int n = 0; n < 25; ++n) rows.push_back(SideRow("A", "A R1", "LEFT", "CL", "0", "1"));
  rows.push_back(kTerminator);
  ASSERT_EQ(ImportRows(rows), ImportStatus::kImported);
  EXPECT_EQ(stations_.unused.count, 25);
  ASSERT_EQ(stations_.unused.first.size(), UnusedLines::kKept);
  EXPECT_EQ(stations_.unused.first.back().line, 16);
}

TEST_F(ImportTest, AUtf8FileWithAByteOrderMarkIsReadAsWindows1252) {
  // Degree sign, euro sign and an arrow, which Windows-1252 lacks; then a byte that is not UTF-8.
  const std::string row = Point("S\xC2\xB0", "S R1", "E\xE2\x82\xAC", "0", "1\xE2\x86\x92\xFF");
  ASSERT_EQ(Import("\xEF\xBB\xBF" + Join(UndividedHeader()) + row + "\r\n"),
            ImportStatus::kImported);
  EXPECT_EQ(U(0).station_text, "S\xB0");
  EXPECT_EQ(U(0).points[0].label, "E\x80");
  EXPECT_EQ(U(0).points[0].elevation, "1??");
  // Without the mark the same bytes are the file's own Windows-1252, and the mark is no header.
  ASSERT_EQ(Import(Join(UndividedHeader()) + row + "\r\n"), ImportStatus::kImported);
  EXPECT_EQ(U(0).station_text, "S\xC2\xB0");
  EXPECT_EQ(Import("\xEF\xBB" + Join(UndividedHeader())), ImportStatus::kRejected);
}

}  // namespace
}  // namespace vantrels::import_test
