#include <gmock/gmock.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "reliability/reliability_test_util.h"

namespace vantrels::reliability {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kUndividedHeader = "\"VANTREL REPORT,Hostile\r\nJob 7\r\nUNDIVIDED,Roadway 1\r\n";
const std::string kDividedHeader =
    "\"VANTREL REPORT,Hostile\r\nJob 7\r\nDIVIDED,Roadway 2\r\n"
    "Station,Region,,Type,Extra,Section,,,Side,Code,Offset,Elevation\r\n";

std::string Hostile(const std::string& name) {
  return std::string(VANTRELS_TEST_DATA) + "/hostile/" + name;
}

std::string UndividedRow(const std::string& region, const std::string& code,
                         const std::string& offset = "-12.00") {
  return "10+00.00," + region + ",,,x," + region + ",,,," + code + "," + offset + ",100.00\r\n";
}

std::string SideRow(const std::string& region, const char* side, const std::string& offset) {
  return "10+00.00," + region + ",,,x," + region + ",,," + side + ",BR," + offset + ",50.00\r\n";
}

// `stations` one-point undivided stations "S0 R1", "S1 R1", ...
std::string UndividedStations(int stations, int points = 1) {
  std::string text = kUndividedHeader;
  for (int s = 0; s < stations; ++s) {
    if (s > 0) text += ",,,,,,,,,,,\r\n";
    for (int p = 0; p < points; ++p) {
      text += UndividedRow("S" + std::to_string(s) + " R1", "BR", std::to_string(p) + ".00");
    }
  }
  return text;
}

std::string DividedStations(int stations, int points = 1) {
  std::string text = kDividedHeader;
  for (int s = 0; s < stations; ++s) {
    const std::string region = "S" + std::to_string(s) + " R2";
    for (const char* side : {"LEFT", "RIGHT"}) {
      for (int p = 0; p < points; ++p) text += SideRow(region, side, std::to_string(p) + ".00");
      text += ",,,,,,,,,,,,,,,\r\n";
    }
  }
  return text;
}

struct HostileCase {
  const char* name;
  std::function<std::string()> bytes;
  bool book;                          // a book is counted and drawn
  std::vector<std::string> messages;  // exactly these, in this order
  PageSize size = kPageSizes[0];
};

void PrintTo(const HostileCase& c, std::ostream* out) {
  *out << c.name;
}

class HostileFiles : public ReliabilityTest, public ::testing::WithParamInterface<HostileCase> {};

// Each file gives its one clear message or a book, never more; the road keeps every invariant
// and leaves the input file as it was, closed.
TEST_P(HostileFiles, GiveOneClearMessageOrABook) {
  const HostileCase& c = GetParam();
  const std::string path = Write(c.bytes());
  const int descriptors = OpenDescriptors();
  const BookRun run = RunFresh(path, c.size);
  EXPECT_EQ(run.counted, c.book);
  EXPECT_FALSE(run.ended);
  EXPECT_EQ(run.messages, c.messages);
  const std::vector<std::string> violations = Violations(run);
  EXPECT_THAT(violations, IsEmpty()) << Violated(violations);
  EXPECT_TRUE(run.input_unchanged);
  EXPECT_EQ(OpenDescriptors(), descriptors);
  if (c.book) {
    EXPECT_GT(run.pages, 0);
  }
}

std::string File(const std::string& name) {
  return ReadAll(Hostile(name));
}

const HostileCase kCases[] = {
    {"Undivided2002Stations",
     [] { return UndividedStations(2002); },
     false,
     {"Error in GPKUndivided"}},
    {"Undivided2001StationsAreABook", [] { return UndividedStations(2001); }, true, {}},
    {"Divided2002Stations",
     [] { return DividedStations(2002); },
     false,
     {" There is something wrong at Sta. S2001 R2"}},
    {"Undivided32Points",
     [] { return File("thirty_two_points_undivided.csv"); },
     false,
     {"Error in GPKUndivided"}},
    {"Divided32PointsKeepsTheFirst31",
     [] { return File("thirty_two_points_divided.csv"); },
     true,
     {"Error in StoreSide"}},
    {"FiftyMegabytePointCode",
     [] { return kUndividedHeader + UndividedRow("S0 R1", std::string(50 << 20, 'C')); },
     true,
     {}},
    {"FiftyMegabyteLineWithoutCommas",
     [] { return kUndividedHeader + std::string(50 << 20, 'x') + "\r\n"; },
     false,
     {"Error in GPKUndivided"}},
    {"FiftyMegabyteFirstLine",
     [] { return std::string(50 << 20, 'V') + "\r\nJob\r\nUNDIVIDED,\r\n"; },
     false,
     {"Program Error : No comma in line 1 occured in GpkVantrels"}},
    {"FiftyMegabyteDividedRow",
     [] { return kDividedHeader + SideRow("S0 R2", "LEFT", std::string(50 << 20, '7')); },
     true,
     {}},
    // The slope behind a 50 MB elevation would start beyond the 16-bit coordinate range.
    {"FiftyMegabyteElevation",
     [] {
       return kUndividedHeader + "10+00.00,S0 R1,,,x,S0 R1,,,,BR,0.00,100." +
              std::string(50 << 20, '0') + "\r\n" + UndividedRow("S0 R1", "CL", "12.00");
     },
     true,
     {"Program Error: Overflow occured in ToPrintAllForms"}},
    {"NulBytesInFields", [] { return File("nul_bytes.csv"); }, true, {}},
    {"NulByteInTheHeader",
     [] { return File("nul_header.csv"); },
     false,
     {"Invalid File Type check file format"}},
    {"OnlyCommas",
     [] { return File("only_commas.csv"); },
     false,
     {"Invalid File Type check file format"}},
    {"UndividedHeaderOnly", [] { return File("header_only_undivided.csv"); }, true, {}},
    {"DividedHeaderOnly",
     [] { return File("header_only_divided.csv"); },
     false,
     {" There is something wrong at Sta. "}},
    {"UndividedTruncatedMidRow",
     [] { return File("truncated_undivided.csv"); },
     false,
     {"Error in GPKUndivided"}},
    {"DividedTruncatedMidRow",
     [] { return File("truncated_divided.csv"); },
     true,
     {"Error in StoreSide"}},
    {"Utf16File", [] { return File("utf16.csv"); }, false, {"Invalid File Type check file format"}},
    {"EmptyFile",
     [] { return std::string(); },
     false,
     {"Program Error : the file has fewer than three lines occured in GpkVantrels"}},
    {"TenThousandSeparatorLines",
     [] {
       std::string text = kUndividedHeader;
       for (int n = 0; n < 10000; ++n) text += ",,,,,,,,,,,\r\n";
       return text;
     },
     false,
     {"Error in GPKUndivided"}},
    {"TenThousandCommasInOneLine",
     [] { return kUndividedHeader + UndividedRow("S0 R1", "BR") + std::string(10000, ','); },
     true,
     {}},
    {"TenThousandDividedTerminators",
     [] {
       std::string text = kDividedHeader;
       for (int n = 0; n < 10000; ++n) text += ",,,,,,,,,,,,,,,\r\n";
       return text;
     },
     false,
     {" There is something wrong at Sta. "}},
    // 491 stations of 31 points need some 600 pages of 63 lines: every one is a page.
    {"UndividedBookOf600Pages", [] { return UndividedStations(491, 31); }, true, {}},
    {"DividedBookOf600PagesASide", [] { return DividedStations(491, 31); }, true, {}},
    {"PageTooSmallForTheHeading",
     [] { return UndividedStations(3); },
     false,
     {"The book does not fit on a page of 88.5x61.4 cells: the smallest page that holds it is "
      "89x62 cells"},
     {88.5, 61.4}},
    {"PageTooTallForAnyBand",
     [] { return UndividedStations(3); },
     false,
     {"No station fits on a page of 110 lines: the first band must begin above line 50"},
     kPageSizes[3]},
};

INSTANTIATE_TEST_SUITE_P(Cases, HostileFiles, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReliabilityTest, LineEndingsDoNotChangeTheBook) {
  const BookRun crlf = RunFresh(Hostile("crlf.csv"));
  ASSERT_TRUE(crlf.counted);
  ASSERT_THAT(crlf.messages, IsEmpty());
  EXPECT_EQ(crlf.book->sides.at(0).report.size(), 3u);
  for (const char* name : {"lone_cr.csv", "lone_lf.csv", "mixed_endings.csv"}) {
    SCOPED_TRACE(name);
    const BookRun run = RunFresh(Hostile(name));
    EXPECT_THAT(run.messages, IsEmpty());
    EXPECT_EQ(run.text, crlf.text);
    EXPECT_EQ(run.sides.at(0).station_list, crlf.sides.at(0).station_list);
  }
}

TEST_F(ReliabilityTest, BookOf600PagesHasEveryPageAndEveryStation) {
  const BookRun run = RunFresh(Write(UndividedStations(491, 31)));
  ASSERT_EQ(run.sides.size(), 1u);
  EXPECT_GT(run.pages, 501);
  EXPECT_EQ(run.pages, run.sides[0].last_page + 1);
  const std::string last = std::to_string(run.pages);
  EXPECT_NE(run.text.find("Page No.:" + last + " of " + last), std::string::npos);
  EXPECT_EQ(run.sides[0].station_list.back(), last + "            S490 R1");
}

TEST_F(ReliabilityTest, FiftyMegabyteFieldIsCutAtTheEdgeOfThePage) {
  const BookRun run =
      RunFresh(Write(kUndividedHeader + UndividedRow("S0 R1", std::string(50 << 20, 'C'))));
  ASSERT_TRUE(run.counted);
  // The description starts at the first point column (36) and runs to the last column (95).
  EXPECT_NE(run.text.find(std::string(60, 'C') + "\n"), std::string::npos);
  EXPECT_EQ(run.text.find(std::string(61, 'C')), std::string::npos);
}

TEST_F(ReliabilityTest, DividedFileOf32PointsKeepsItsFirst31) {
  const BookRun run = RunFresh(Hostile("thirty_two_points_divided.csv"));
  ASSERT_TRUE(run.counted);
  EXPECT_EQ(run.book->Of(Side::Left).report[0].cells.size(), 31u);
  EXPECT_EQ(run.book->Of(Side::Left).report[0].last_row, 10);
  EXPECT_EQ(run.book->Of(Side::Right).report[0].cells.size(), 3u);
}

TEST_F(ReliabilityTest, UnreadablePathsGiveOneMessageAndNoBook) {
  const std::string fifo = (dir_ / "pipe.csv").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {(dir_ / "missing.csv").string(), "Program Error : File not found occured in GpkVantrels"},
      {dir_.string(), "Program Error : Path is a directory occured in GpkVantrels"},
      // Endless and blocking sources are refused before anything is read.
      {"/dev/zero", "Program Error : Not a regular file occured in GpkVantrels"},
      {fifo, "Program Error : Not a regular file occured in GpkVantrels"},
  };
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    const BookRun run = RunFresh(path);
    EXPECT_FALSE(run.counted);
    EXPECT_THAT(run.messages, ElementsAre(message));
    EXPECT_THAT(Violations(run), IsEmpty());
  }
}

}  // namespace
}  // namespace vantrels::reliability
