#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "import/import_test_util.h"

namespace vantrels::import_test {
namespace {

using Lines = std::vector<std::string_view>;
using namespace std::string_literals;

struct LineCase {
  std::string bytes;
  Lines lines;
};

TEST(SplitLines, EndsLinesAtCrCrLfAndLoneLf) {
  const std::vector<LineCase> cases = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {std::string("a\0b\rc", 5), {std::string_view("a\0b", 3), "c"}},
  };
  for (const LineCase& c : cases)
    EXPECT_EQ(SplitLines(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST(SplitFields, CutsAtEveryCommaWithoutQuotingOrTrimming) {
  EXPECT_EQ(SplitFields(""), Lines({""}));
  EXPECT_EQ(SplitFields(",,"), Lines({"", "", ""}));
  EXPECT_EQ(SplitFields(" a ,\"b,c\""), Lines({" a ", "\"b", "c\""}));
}

TEST(SplitFields, LimitKeepsTheRestOfTheLineInTheLastField) {
  EXPECT_EQ(SplitFields("a,b,c,d", 3), Lines({"a", "b", "c,d"}));
  EXPECT_EQ(SplitFields("a,b", 3), Lines({"a", "b"}));
  EXPECT_EQ(SplitFields("a,b,c", 3), Lines({"a", "b", "c"}));
}

TEST(TrimBlanks, RemovesSpacesOnly) {
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
}

TEST(UpperCase, ChangesAsciiLettersOnly) {
  EXPECT_EQ(UpperCase("Divided 1"), "DIVIDED 1");
  EXPECT_EQ(UpperCase("\xe9t\xe9"), "\xe9T\xe9");
}

struct HeaderCase {
  std::string line1;
  std::string message;  // empty when the file is accepted
};

TEST_F(ImportTest, HeaderIsTheTextFromTheSecondCharacterToTheFirstComma) {
  const std::vector<HeaderCase> cases = {
      {"\"VANTREL REPORT,x", ""},
      {"\"  vantrel Report  ,x,y", ""},
      {"XVANTREL REPORT,", ""},
      {"\"VANTREL REPORT\",x", "Invalid File Type check file format"},
      {"VANTREL REPORT,x", "Invalid File Type check file format"},
      {",VANTREL REPORT,x", "Invalid File Type check file format"},
      {"\"VANTREL\tREPORT,x", "Invalid File Type check file format"},
      {"\"VANTREL REPORT", "Program Error : No comma in line 1 occured in GpkVantrels"},
  };
  for (const HeaderCase& c : cases) {
    messages_.shown.clear();
    const ImportStatus result = Import(Join({c.line1, "two", "UNDIVIDED,"}));
    EXPECT_EQ(result, c.message.empty() ? ImportStatus::kImported : ImportStatus::kRejected)
        << c.line1;
    EXPECT_EQ(messages_.shown,
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message})
        << c.line1;
  }
}

TEST_F(ImportTest, LineThreeFieldZeroChoosesTheRoadwayType) {
  constexpr Roadway kDivided = Roadway::Divided;
  constexpr Roadway kUndivided = Roadway::Undivided;
  const std::vector<std::pair<std::string, Roadway>> cases = {
      {"DIVIDED,", kDivided},     {"  divided  ,x", kDivided},  {"Divided,", kDivided},
      {"UNDIVIDED,", kUndivided}, {",DIVIDED", kUndivided},     {"DIVIDED X,", kUndivided},
      {"\tDIVIDED,", kUndivided}, {"\"DIVIDED\",", kUndivided},
  };
  for (const auto& [line3, type] : cases) {
    // Both bodies are valid for either import: only separators or terminating lines.
    EXPECT_EQ(Import(Join({"\"VANTREL REPORT,", "", line3, kTerminator, kTerminator})),
              ImportStatus::kImported)
        << line3;
    EXPECT_EQ(stations_.roadway, type) << line3;
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ImportTest, RejectedFileLeavesThePreviousImportUntouched) {
  ASSERT_EQ(Import(Join(UndividedHeader()) + Join({Point("A", "A R1", "CL", "0", "100"), kSeparator,
                                                   Point("B", "B R1", "CL", "0", "101")})),
            ImportStatus::kImported);
  for (const std::string& bad :
       {Join({"VANTREL REPORT,", "", "DIVIDED,"}), Join({"\"VANTREL REPORT,", "", "DIVIDED"})}) {
    EXPECT_EQ(Import(bad), ImportStatus::kRejected);
    EXPECT_EQ(stations_.roadway, Roadway::Undivided);
    EXPECT_EQ(StationCount(), 1);
    EXPECT_EQ(U(1).station_text, "B");
  }
  EXPECT_EQ(messages_.shown, (std::vector<std::string>{
                                 "Invalid File Type check file format",
                                 "Program Error : No comma in line 3 occured in GpkVantrels"}));
}

// Every kind of bad input ends with one message of its own, the file closed and the stations of
// the file imported before kept whole.
struct BadInput {
  const char* name;
  std::function<std::string(ImportTest&, const std::filesystem::path&)> make_path;
  std::string message;
  bool program_error_family = false;
};

TEST_F(ImportTest, BadInputGivesItsMessageAndLeavesTheStoreConsistent) {
  const std::string header = Join(UndividedHeader());
  auto file = [](std::string bytes) {
    return [bytes](ImportTest& t, const std::filesystem::path&) { return t.Write(bytes); };
  };
  std::string fields11 = Point("A", "A R1", "CL", "0", "100");
  fields11 = fields11.substr(0, fields11.rfind(','));
  std::string points32;
  for (int n = 0; n < 32; ++n) points32 += Point("A", "A R1", "P", std::to_string(n), "1") + "\r\n";
  std::string stations2002;
  for (int n = 0; n < 2002; ++n) {
    stations2002 += (n ? kSeparator + "\r\n" : "") + Point("S", "S R1", "CL", "0", "1") + "\r\n";
  }
  const std::vector<BadInput> cases = {
      {"missing",
       [](ImportTest&, const std::filesystem::path& d) { return (d / "no.csv").string(); },
       "Program Error : File not found occured in GpkVantrels"},
      {"directory", [](ImportTest&, const std::filesystem::path& d) { return d.string(); },
       "Program Error : Path is a directory occured in GpkVantrels"},
      {"fifo",
       [](ImportTest&, const std::filesystem::path& d) {
         const std::string path = (d / "fifo.csv").string();
         ::mkfifo(path.c_str(), 0600);
         return path;
       },
       "Program Error : Not a regular file occured in GpkVantrels"},
      {"empty", file(""), "Program Error : the file has fewer than three lines occured in GpkVantrels"},
      {"two header lines", file(Join({"\"VANTREL REPORT,", "x"})),
       "Program Error : the file has fewer than three lines occured in GpkVantrels"},
      {"binary", file("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0"s),
       "Program Error : No comma in line 1 occured in GpkVantrels"},
      {"binary with commas", file("\0\xff,\xfe\0\r\n\x01,\x02\r\n\x03,"s),
       "Invalid File Type check file format"},
      {"point row with 11 fields", file(header + fields11), "Error in GPKUndivided"},
      {"message row with 3 fields", file(header + "A,A R1,ERROR\r\n"), "Error in GPKUndivided"},
      {"row without a comma", file(header + "garbage\r\n"), "Error in GPKUndivided"},
      {"32nd point", file(header + points32), "Error in GPKUndivided"},
      {"2002nd station", file(header + stations2002), "Error in GPKUndivided"},
      {"divided header only", file(Join(DividedHeader())), " There is something wrong at Sta. "},
  };
  std::string previous = header;
  for (int n = 0; n < 5; ++n)
    previous += (n ? kSeparator + "\r\n" : "") + Point("P", "P R1", "CL", "0", "1");
  ASSERT_EQ(Import(previous), ImportStatus::kImported);
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.name);
    memory_.last_region_station.clear();
    messages_.shown.clear();
    const int descriptors = OpenDescriptors();
    EXPECT_EQ(ImportPath(c.make_path(*this, dir_)), ImportStatus::kRejected);
    EXPECT_EQ(messages_.shown, std::vector<std::string>{c.message});
    EXPECT_FALSE(ended_);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_EQ(stations_.roadway, Roadway::Undivided);
    EXPECT_EQ(StationCount(), 4);
  }
}

TEST_F(ImportTest, UnreadableFileIsAProgramError) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
  const std::string path = Write(Join(UndividedHeader()));
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  EXPECT_EQ(ImportPath(path), ImportStatus::kRejected);
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{"Program Error : Permission denied occured in GpkVantrels"});
}

TEST_F(ImportTest, FiftyMegabyteSingleLineIsRejectedWithoutHanging) {
  std::string line = "\"VANTREL REPORT,";
  line.append(50u << 20, 'x');
  EXPECT_EQ(Import(line), ImportStatus::kRejected);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{
                                 "Program Error : the file has fewer than three lines occured in GpkVantrels"});
}

TEST_F(ImportTest, FiftyMegabyteDataLineIsOneRowOfManyFields) {
  // Pairs of commas never make a separator, so the whole line is one point row.
  std::string row = Point("A", "A R1", "CL", "0", "100") + ",";
  while (row.size() < (50u << 20)) row += "x,,";
  EXPECT_EQ(Import(Join(UndividedHeader()) + row), ImportStatus::kImported);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(StationCount(), 0);
  EXPECT_EQ(LastPointIndex(U(0)), 0);
  EXPECT_EQ(U(0).points[0].elevation, "100");
}

TEST_F(ImportTest, NulAndNonAsciiBytesAreKeptAsTheyAre) {
  const std::string code("C\0L", 3);
  const std::string region = "2389+00.00 R\xe9";
  EXPECT_EQ(Import(Join(UndividedHeader()) + Point("S\xb0", region, code, "-1\xa0", "100")),
            ImportStatus::kImported);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(U(0).station_text, "S\xb0");
  EXPECT_EQ(U(0).region_station, region);
  EXPECT_EQ(U(0).points[0].label, code);
  EXPECT_EQ(U(0).points[0].offset, "-1\xa0");
}

TEST_F(ImportTest, FileIsClosedOnSuccessFailureAndProgramEnd) {
  const std::vector<std::string> files = {
      Join(UndividedHeader()) + Point("A", "A R1", "CL", "0", "1"),
      Join(UndividedHeader()) + "bad\r\n",
      Join(DividedHeader()) +
          Join({SideRow("A", "A R1", "RIGHT", "LEFTDITCH", "0", "1"), kTerminator}),
  };
  const std::vector<ImportStatus> results = {ImportStatus::kImported, ImportStatus::kRejected,
                                             ImportStatus::kProgramEnded};
  for (size_t n = 0; n < files.size(); ++n) {
    const int descriptors = OpenDescriptors();
    EXPECT_EQ(Import(files[n]), results[n]);
    EXPECT_EQ(OpenDescriptors(), descriptors);
  }
  EXPECT_EQ(messages_.shown.size(), 2u);
  EXPECT_TRUE(ended_);
}

}  // namespace
}  // namespace vantrels::import_test
