// vantrels-book on LandXML files: the options that choose what is read, the notes on stderr, and
// generated files given back through the spreadsheet and stake-out outputs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "book/station_value.h"
#include "cli/book_run.h"
#include "compute/cut_fill.h"
#include "compute/point_names.h"
#include "compute/station_text.h"
#include "landxml_generator.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

using ::testing::HasSubstr;

std::vector<std::vector<std::string>> CsvRows(const std::string& csv) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(csv);
  for (std::string line; std::getline(in, line, '\n');) {
    EXPECT_EQ(line.back(), '\r');
    line.pop_back();
    EXPECT_EQ(line.find('"'), std::string::npos) << line;
    std::vector<std::string>& row = rows.emplace_back();
    std::istringstream fields(line + ",");
    for (std::string field; std::getline(fields, field, ',');) row.push_back(field);
  }
  return rows;
}

class LandXmlBook : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes, const std::string& name) {
    return folder_.Write(bytes, name);
  }
  TemporaryFolder folder_{"vantrels-landxml-book"};
};

TEST_F(LandXmlBook, ChoicesThatDoNotFitTheFileAreUsageErrors) {
  const std::string xml = bench::GenerateLandXml({.stations = 3}).xml;
  const std::string two = Write(bench::WithSecondAlignment(xml, "Ramp \xC3\xA9"), "two.xml");
  const std::string one = Write(xml, "one.xml");
  const std::string csv = std::string(VANTRELS_EXAMPLES) + "/undivided.csv";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--text", two},
       "the LandXML file has several alignments with cross sections: \"Main Street\", "
       "\"Ramp \xC3\xA9\"; choose one with --alignment"},
      {{"--alignment", "Ramp", "--csv", "-", two},
       "No alignment \"Ramp\" with cross sections in the file; it has \"Main Street\", "
       "\"Ramp \xC3\xA9\""},
      {{"--ground", "bedrock", "--text", one},
       "No ground line \"bedrock\" in alignment \"Main Street\"; it has \"ExistingGround\""},
      {{"--elevations", "sideways", "--text", one},
       "--elevations needs absolute, relative or auto, not \"sideways\""},
      {{"--alignment", "", "--text", one}, "--alignment needs a name"},
      {{"--elevations", "auto", "--text", csv}, "--elevations applies only to a LandXML file"},
      {{"--ground", "x", "--alignment", "y", "--stations", csv},
       "--alignment applies only to a LandXML file"},
      {{"--text", one, two}, "only one file can be given"},
  };
  for (const auto& [args, problem] : cases) {
    SCOPED_TRACE(problem);
    const BookRun run = RunBook(args);
    EXPECT_EQ(run.status, kBookUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, ::testing::EndsWith("vantrels-book: " + problem + "\n" + kTryHelp));
  }
  // A name in another letter case is another alignment; the one named is the book.
  const BookRun chosen = RunBook({"--alignment", "Ramp \xC3\xA9", "--stations", two});
  EXPECT_EQ(chosen.status, kBookProduced) << chosen.err;
  EXPECT_THAT(chosen.err, HasSubstr("vantrels-book: Alignment \"Ramp \xC3\xA9\": 3 cross"));
}

TEST_F(LandXmlBook, TheImportsNotesGoToStderrAndTheCellsShowCutAndFill) {
  const std::string file = Write(bench::GenerateLandXml({.stations = 4}).xml, "notes.xml");
  const BookRun run = RunBook({"--date", "2026-12-07", "--text", file});
  ASSERT_EQ(run.status, kBookProduced) << run.err;
  EXPECT_EQ(run.err,
            "vantrels-book: Alignment \"Main Street\": 4 cross sections\n"
            "vantrels-book: Elevations: relative to profile \"Design\", its elevation added "
            "(auto: 4 of 4 stations look relative)\n"
            "vantrels-book: Cut and fill against ground \"ExistingGround\"\n");
  // The fourth line of a cell, under its description: "C 1.23" or "F 0.45".
  std::istringstream pages(run.out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(pages, line);) lines.push_back(line);
  int cut_or_fill = 0;
  for (size_t n = 3; n < lines.size(); ++n) {
    for (size_t at = lines[n].find_first_of("CF"); at != std::string::npos;
         at = lines[n].find_first_of("CF", at + 1)) {
      if (lines[n].compare(at, 2, "C ") != 0 && lines[n].compare(at, 2, "F ") != 0) continue;
      ++cut_or_fill;
      // A point may have no code, so its description is blank: its elevation line is not.
      EXPECT_NE(lines[n - 2].substr(at, 1), " ") << "no point above line " << n;
    }
  }
  EXPECT_GT(cut_or_fill, 20);

  const BookRun absolute = RunBook({"--elevations", "absolute", "--ground", "EXISTINGground",
                                    "--stations", file});
  EXPECT_THAT(absolute.err, HasSubstr("vantrels-book: Elevations: absolute, as in the file\n"));
  EXPECT_THAT(absolute.err,
              HasSubstr("vantrels-book: Cut and fill against ground \"EXISTINGground\"\n"));
}

struct RoundTripCase {
  const char* name;
  bench::LandXmlShape shape;
  // The elevations as the file writes them.
  std::vector<std::string> options;
};

TEST_F(LandXmlBook, AGeneratedFileGivesBackItsPointsThroughTheCsvAndStakeoutFiles) {
  const RoundTripCase cases[] = {
      {"relative feet", {.stations = 30}, {"--elevations", "absolute"}},
      {"absolute metres",
       {.metric = true, .stations = 30, .relative = false, .style = bench::SectionStyle::kOpenLinks},
       {}},
  };
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.name);
    const bench::GeneratedLandXml made = bench::GenerateLandXml(c.shape);
    const LinearUnit unit = c.shape.metric ? LinearUnit::kMeters : LinearUnit::kFeet;
    std::vector<std::string> args = c.options;
    args.push_back(Write(made.xml, "round-trip.xml"));
    args.insert(args.end() - 1, {"--csv", "-"});
    const BookRun csv = RunBook(args);
    ASSERT_EQ(csv.status, kBookProduced) << csv.err;
    args.erase(args.end() - 3, args.end() - 1);
    args.insert(args.end() - 1, {"--stakeout", "-"});
    const BookRun stakeout = RunBook(args);
    ASSERT_EQ(stakeout.status, kBookProduced) << stakeout.err;

    const std::vector<std::vector<std::string>> rows = CsvRows(csv.out);
    const std::vector<std::vector<std::string>> lines = CsvRows(stakeout.out);
    ASSERT_EQ(rows.at(0).back(), "Cut/Fill");
    EXPECT_EQ(lines.at(0), std::vector<std::string>{"TBC Excel"});
    size_t row = 1;
    for (const bench::ExpectedStation& station : made.stations) {
      const std::string number = station.label.substr(0, station.label.find(' '));
      for (size_t p = 0; p < station.points.size(); ++p, ++row) {
        const bench::ExpectedPoint& point = station.points[p];
        const std::string offset = FormatLength(point.offset, unit);
        const std::string elevation = FormatLength(point.elevation, unit);
        ASSERT_LT(row, rows.size());
        EXPECT_EQ(rows[row],
                  (std::vector<std::string>{
                      "Undivided", station.name, station.label, std::to_string(p + 1),
                      DescribePoint(point.code), offset, elevation, rows[row][7], "",
                      point.cut_fill ? CutFillNumber(*point.cut_fill) : ""}));
        ASSERT_LT(row, lines.size());
        EXPECT_EQ(lines[row], (std::vector<std::string>{StationNumber(number).value(), offset,
                                                        elevation, point.code}));
      }
    }
    EXPECT_EQ(rows.size(), row);
    EXPECT_EQ(lines.size(), row);
  }
}

}  // namespace
}  // namespace vantrels
