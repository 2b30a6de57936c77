// Station ranges, the spreadsheet export and a page on which no station fits, through the whole
// command.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/book_run.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAreArray;
using ::testing::StartsWith;

BookRun Book(const std::vector<std::string>& args) {
  return RunBook(args);
}

std::string Example(const char* name) {
  return std::string(VANTRELS_EXAMPLES) + "/" + name;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The examples' Go To lists: the undivided book cuts 2392+00 across pages 2 and 3, the divided
// book's left side cuts 2392+50 across its pages 2 and 3, its right side cuts nothing.
TEST(StationRange, ChoosesThePagesThatShowTheStations) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> labels;
  } cases[] = {
      {"the first station",
       {"--from-station", "2389+00", "--to-station", "2389+00", Example("undivided.csv")},
       {"Page No.:1 of 10"}},
      {"the last station, open at the end",
       {"--from-station", "2403+50.00", Example("undivided.csv")},
       {"Page No.:10 of 10"}},
      {"exactly a cut station",
       {"--from-station", "2392+00", "--to-station", "2392+00", Example("undivided.csv")},
       {"Page No.:2 of 10", "Page No.:3 of 10"}},
      {"inside a cut station's pages",
       {"--from-station", "2391+75", "--to-station", "2392+25", Example("undivided.csv")},
       {"Page No.:2 of 10", "Page No.:3 of 10"}},
      {"plain feet",
       {"--from-station", "239000", "--to-station", "239050.00", Example("undivided.csv")},
       {"Page No.:1 of 10", "Page No.:2 of 10"}},
      {"one side",
       {"--side", "right", "--from-station", "2392+50", "--to-station", "2393+00",
        Example("divided.csv")},
       {"(Right)Page No.:2 of 5", "(Right)Page No.:3 of 5"}},
      {"both sides, each its own pages",
       {"--from-station", "2392+50", "--to-station", "2392+50", Example("divided.csv")},
       {"(Left)Page No.:2 of 5", "(Left)Page No.:3 of 5", "(Right)Page No.:2 of 5"}},
      {"open at the start",
       {"--side", "left", "--to-station", "2389+50", Example("divided.csv")},
       {"(Left)Page No.:1 of 5"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "--text");
    const BookRun run = Book(args);
    ASSERT_EQ(run.status, kBookProduced) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Labels(run.out), c.labels);
  }
}

TEST(StationRange, StationsListsTheEntriesOfTheChosenPages) {
  const BookRun whole = Book({"--stations", Example("divided.csv")});
  ASSERT_EQ(whole.status, kBookProduced);
  std::vector<std::string> expected;
  bool right = false;
  for (const std::string& line : Lines(whole.out)) {
    if (line == "\f") right = true;
    const char page = line[0];
    if (line == "\f" || page == '2' || (!right && page == '3')) expected.push_back(line);
  }
  const BookRun range = Book({"--stations", "--from-station", "2392+50", "--to-station", "2392+50",
                              Example("divided.csv")});
  ASSERT_EQ(range.status, kBookProduced) << range.err;
  // Every station of those pages, 2391+00 to 2394+50 on the left, not only 2392+50.
  EXPECT_THAT(Lines(range.out), ElementsAreArray(expected));
  EXPECT_EQ(expected.size(), 4u + 5u + 1u + 4u);
}

TEST(StationRange, ARangeThatMatchesNoStationIsAUsageError) {
  const struct {
    std::vector<std::string> args;
    std::string problem;
  } cases[] = {
      {{"--to-station", "2000+00", Example("undivided.csv")},
       "no station of the book lies in the range up to 2000+00.00 (its stations run from "
       "2389+00.00 to 2403+50.00)"},
      {{"--from-station", "2389+10", "--to-station", "2389+20", Example("undivided.csv")},
       "no station of the book lies in the range from 2389+10.00 to 2389+20.00 (its stations run "
       "from 2389+00.00 to 2403+50.00)"},
      {{"--side", "left", "--from-station", "3000+00", Example("divided.csv")},
       "no station of the left side lies in the range from 3000+00.00 on (its stations run from "
       "2389+00.00 to 2398+50.00)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.problem);
    for (const char* output : {"--text", "--stations"}) {
      std::vector<std::string> args = c.args;
      args.insert(args.begin(), output);
      const BookRun run = Book(args);
      EXPECT_EQ(run.status, kBookUsage);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, "vantrels-book: " + c.problem + "\n" + kTryHelp);
    }
  }
}

// An undivided roadway of one-point stations every 20 m from `first` metres, written as metric
// files write them ("-0+090.000 R1", "1+234.567 R1"); eight stations to a 96 x 63 page.
class MetricStations : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = FreshTestFolder("metric_stations"); }
  void TearDown() override { fs::remove_all(dir_); }

  std::string File(int first, int count) {
    std::string text = "\"VANTREL REPORT,Metric\r\nJob\r\nUNDIVIDED,Roadway 1\r\n";
    for (int n = 0; n < count; ++n) {
      const int metres = first + 20 * n;
      const std::string rest = std::to_string(1000 + std::abs(metres) % 1000).substr(1);
      const std::string station = (metres < 0 ? "-" : "") + std::to_string(std::abs(metres) / 1000) +
                                  "+" + rest + ".000";
      const std::string region = station + " R1";
      text += station + "," + region + ",,,x," + region + ",,,,CL,0.000," +
              std::to_string(100 + n) + ".000\r\n";
      if (n + 1 < count) text += ",,,,,,,,,,,\r\n";
    }
    const fs::path path = dir_ / ("metric" + std::to_string(first) + ".csv");
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  fs::path dir_;
};

TEST_F(MetricStations, ARangeChoosesTheStationsByValue) {
  const std::string kilometre = File(1200, 24);
  const std::string negative = File(-150, 24);
  const struct {
    std::vector<std::string> args;
    std::string stakeout;
    std::vector<std::string> labels;
  } cases[] = {
      {{"--from-station", "1+240", "--to-station", "1+260.000", kilometre},
       "TBC Excel\r\n1240.000,0.000,102.000,CL\r\n1260.000,0.000,103.000,CL\r\n",
       {"Page No.:1 of 3"}},
      {{"--from-station", "1+234.567", "--to-station", "1+360", kilometre},
       "TBC Excel\r\n1240.000,0.000,102.000,CL\r\n1260.000,0.000,103.000,CL\r\n"
       "1280.000,0.000,104.000,CL\r\n1300.000,0.000,105.000,CL\r\n"
       "1320.000,0.000,106.000,CL\r\n1340.000,0.000,107.000,CL\r\n"
       "1360.000,0.000,108.000,CL\r\n",
       {"Page No.:1 of 3", "Page No.:2 of 3"}},
      {{"--from-station", "-0+090", "--to-station=-0+050.000", negative},
       "TBC Excel\r\n-90.000,0.000,103.000,CL\r\n-70.000,0.000,104.000,CL\r\n"
       "-50.000,0.000,105.000,CL\r\n",
       {"Page No.:1 of 3"}},
      {{"--from-station", "-10", "--to-station", "0+010", negative},
       "TBC Excel\r\n-10.000,0.000,107.000,CL\r\n10.000,0.000,108.000,CL\r\n",
       {"Page No.:1 of 3", "Page No.:2 of 3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), {"--stakeout", "-"});
    const BookRun stakeout = Book(args);
    ASSERT_EQ(stakeout.status, kBookProduced) << stakeout.err;
    EXPECT_EQ(stakeout.out, c.stakeout);
    args.front() = "--text";
    args.erase(args.begin() + 1);
    const BookRun text = Book(args);
    ASSERT_EQ(text.status, kBookProduced) << text.err;
    EXPECT_EQ(Labels(text.out), c.labels);
  }
  // A range beyond the book names the book's stations in its own style.
  const BookRun beyond = Book({"--stations", "--from-station", "5+000", kilometre});
  EXPECT_EQ(beyond.status, kBookUsage);
  EXPECT_EQ(beyond.err,
            "vantrels-book: no station of the book lies in the range from 5+000.000 on (its "
            "stations run from 1+200.000 to 1+660.000)\n" +
                kTryHelp);
}

TEST(NoStationFits, APageTooTallForAnyBandWritesNothingAndFails) {
  for (const char* output : {"--text", "--stations"}) {
    SCOPED_TRACE(output);
    const BookRun run = Book({"--cells", "0.5x32767", output, Example("undivided.csv")});
    EXPECT_EQ(run.status, kBookRejected);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "No station fits on a page of 32767 lines: the first band must begin above line "
              "50\n");
  }
}

// A page smaller than the layout would lose the stations off its left or top edge.
TEST(PageTooSmall, WritesNothingAndFailsNamingTheSmallestPage) {
  for (const char* cells : {"20x63", "96x10", "1x1"}) {
    SCOPED_TRACE(cells);
    const BookRun run = Book({"--cells", cells, "--text", Example("undivided.csv")});
    EXPECT_EQ(run.status, kBookRejected);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("The book does not fit on a page of ") + cells +
                           " cells: the smallest page that holds it is 89x62 cells\n");
  }
  const BookRun smallest = Book({"--cells", "89x62", "--text", Example("undivided.csv")});
  EXPECT_EQ(smallest.status, kBookProduced);
  const std::vector<std::string> lines = Lines(smallest.out);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "\f"), 10);
  // Its leftmost texts, the project number and the station headings, stand in column 0.
  const auto starts_with = [&](const char* text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.starts_with(text); });
  };
  EXPECT_TRUE(starts_with("Project No:"));
  EXPECT_TRUE(starts_with("Cross Sec. Sta.") || starts_with("Design Sec. Sta."));
}

// Qt sets the C library's locale from the environment; the numbers of messages must not follow.
TEST(NoStationFits, ThePageIsNamedAlikeInEveryLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (sh scripts/install-deps makes it)";
  }
  const BookRun run = Book({"--cells", "0.5x32766.5", "--text", Example("undivided.csv")});
  const BookRun range = Book({"--to-station", "2000+00", "--text", Example("undivided.csv")});
  std::setlocale(LC_ALL, before.c_str());
  EXPECT_EQ(run.err,
            "No station fits on a page of 32766.5 lines: the first band must begin above line "
            "50\n");
  EXPECT_THAT(range.err, ::testing::HasSubstr("up to 2000+00.00 (its stations run from "
                                              "2389+00.00 to 2403+50.00)"));
}

class CsvExport : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = FreshTestFolder("csv_export"); }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

TEST_F(CsvExport, AFileHoldsWhatStdoutShowsAndReplacesTheOldFileWhole) {
  const BookRun shown = Book({"--csv", "-", Example("undivided.csv")});
  ASSERT_EQ(shown.status, kBookProduced) << shown.err;
  EXPECT_EQ(shown.err, "");
  const std::vector<std::string> rows = Lines(shown.out);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front(),
            "Side,Station,Region Station,Point,Description,Offset,Elevation,Cross Slope (%),"
            "Message\r");
  EXPECT_EQ(rows[1], "Undivided,2389+00.00,2389+00.00 R1,1,Left Shoulder,-20.00,1233.84,6.00,\r");

  const fs::path target = dir_ / "points.csv";
  std::ofstream(target) << "old sheet";
  const BookRun written = Book({"--csv", target.string(), Example("undivided.csv")});
  ASSERT_EQ(written.status, kBookProduced) << written.err;
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(ReadAll(target), shown.out);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(CsvExport, OneSideOfADividedRoadway) {
  const BookRun both = Book({"--csv", "-", Example("divided.csv")});
  const BookRun right = Book({"--side", "right", "--csv", "-", Example("divided.csv")});
  ASSERT_EQ(right.status, kBookProduced) << right.err;
  size_t right_rows = 0;
  for (const std::string& row : Lines(both.out)) right_rows += row.starts_with("Right,");
  const std::vector<std::string> rows = Lines(right.out);
  EXPECT_EQ(rows.size(), right_rows + 1);
  for (size_t n = 1; n < rows.size(); ++n) EXPECT_THAT(rows[n], StartsWith("Right,"));
}

TEST_F(CsvExport, AnUnwritablePathFailsWithItsReasonAndWritesNothing) {
  const std::string missing = (dir_ / "no_such_folder" / "points.csv").string();
  const BookRun run = Book({"--csv", missing, Example("undivided.csv")});
  EXPECT_EQ(run.status, kBookRejected);
  EXPECT_EQ(run.err, "vantrels-book: cannot write " + missing + ": No such file or directory\n");
  EXPECT_FALSE(fs::exists(dir_ / "no_such_folder"));

  const std::string folder = dir_.string();
  const BookRun onto_folder = Book({"--csv", folder, Example("undivided.csv")});
  EXPECT_EQ(onto_folder.status, kBookRejected);
  EXPECT_EQ(onto_folder.err, "vantrels-book: cannot write " + folder + ": Is a directory\n");
}

}  // namespace
}  // namespace vantrels
