#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "compute/grade.h"
#include "reliability/reliability_test_util.h"

namespace vantrels::reliability {
namespace {

std::string CellText(const std::string& description, const std::string& offset,
                     const std::string& elevation) {
  return description + " | " + offset + " | " + elevation;
}

// One station of one roadway as a generated file describes it.
struct Expected {
  std::string region;
  bool message = false;
  int points = 0;
  // Each point as its report cell shows it: description, offset and elevation; sorted.
  std::vector<std::string> cells;
};

struct GeneratedFile {
  std::string bytes;
  std::vector<Expected> first;   // the undivided roadway or the left side
  std::vector<Expected> second;  // the right side
};

// Valid criteria files from a seed: the same seed gives the same file on every machine
// (mt19937 is fully specified; the distributions of the library are not, so none is used).
class FileGenerator {
 public:
  explicit FileGenerator(uint32_t seed) : rng_(seed) {}

  GeneratedFile Undivided(int max_stations) {
    GeneratedFile file;
    Line("\"VANTREL REPORT,Generated,Run 1");
    Line("Job 7,Reliability");
    Line("UNDIVIDED,Roadway 1");
    const int stations = Pick(1, max_stations);
    for (int s = 0; s < stations; ++s) {
      // A message row closes its own station; any other station is closed by a separator or
      // a blank line.
      if (s > 0 && !file.first.back().message) Line(Pick(0, 3) == 0 ? "" : ",,,,,,,,,,,");
      Expected station = NewStation(s, "R1");
      if (station.message) {
        Line(Join({StationText(s), station.region, Keyword(false), "no section here"}));
      } else {
        std::string section = Pick(0, 1) ? station.region : "design";
        for (const Point& p : Points(station, false)) {
          Line(Join({StationText(s), station.region, "", "", "x", section, "TYP", "1", "", p.code,
                     p.offset, p.elevation}));
        }
      }
      file.first.push_back(station);
    }
    // The station open at the end of the file is counted: after a closing message row, and
    // after a separator behind the last station, it is an empty one.
    if (file.first.back().message) file.first.push_back({});
    if (Pick(0, 4) == 0) {
      Line(",,,,,,,,,,,");
      file.first.push_back({});
    }
    file.bytes = std::move(text_);
    return file;
  }

  GeneratedFile Divided(int max_stations) {
    GeneratedFile file;
    Line("\"VANTREL REPORT,Generated,Run 1");
    Line("Job 7,Reliability");
    Line("DIVIDED,Roadway 2");
    Line("Station,Region Station,Type,Keyword,Extra,Section,,,Side,Code,Offset,Elevation");
    const int stations = Pick(1, max_stations);
    for (int s = 0; s < stations; ++s) {
      for (const bool right : {false, true}) {
        Expected station = NewStation(s, "R2");
        const std::string side = right ? "RIGHT" : "LEFT";
        if (station.message) {
          Line(Join({StationText(s), station.region, "", Keyword(right), "no section here", "", "",
                     "", side, "", "", ""}));
        } else {
          for (const Point& p : Points(station, true)) {
            Line(Join({StationText(s), station.region, "", "", "x", station.region, "TYP", "1",
                       side, p.code, p.offset, p.elevation}));
          }
        }
        // The last side of the file may end without its terminating line.
        if (s + 1 < stations || !right || Pick(0, 1)) Line(",,,,,,,,,,,,,,,");
        (right ? file.second : file.first).push_back(station);
      }
    }
    file.bytes = std::move(text_);
    return file;
  }

 private:
  struct Point {
    std::string code, offset, elevation;
  };

  int Pick(int low, int high) {
    return low + static_cast<int>(rng_() % static_cast<uint32_t>(high - low + 1));
  }

  void Line(const std::string& line) {
    // Mostly CR LF, as the files arrive; now and then a bare LF as after Unix tools.
    text_ += line + (Pick(0, 9) == 0 ? "\n" : "\r\n");
  }

  static std::string Join(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t n = 0; n < fields.size(); ++n) line += (n ? "," : "") + fields[n];
    return line;
  }

  static std::string StationText(int s) {
    const int feet = 238900 + 50 * s;
    return std::to_string(feet / 100) + "+" + std::to_string(feet % 100 / 10) +
           std::to_string(feet % 10) + ".00";
  }

  std::string Keyword(bool any_case) {
    const char* word = Pick(0, 1) ? "ERROR" : "MESSAGE";
    if (!any_case || Pick(0, 1)) return word;
    return Pick(0, 1) ? "error" : "Message";
  }

  // Region names are unique so that a drawn name identifies its station; some are empty.
  Expected NewStation(int s, const std::string& region) {
    Expected e;
    e.region = Pick(0, 9) == 0 ? "" : StationText(s) + " " + region;
    e.message = Pick(0, 7) == 0;
    e.points = e.message ? 0 : Pick(1, 31);
    return e;
  }

  // The station's points, also noted in its expected cells.
  std::vector<Point> Points(Expected& station, bool divided) {
    const int count = station.points;
    static const char* const kCodes[] = {"LtSgShldr", "LtSgEOP", "CL",   "RtSgEOP",
                                         "RtSgShldr", "BR",      "DITCH"};
    std::vector<Point> points;
    int offset = -Pick(0, 6000);
    for (int k = 0; k < count; ++k) {
      offset += Pick(0, 1500);
      const int elevation = 100000 + Pick(-5000, 5000);
      points.push_back({kCodes[Pick(0, 6)], Decimal(offset), Decimal(elevation)});
    }
    // A divided station's first point may stand anywhere; the ordering pass moves it.
    if (divided && count > 1 && Pick(0, 2) == 0) {
      points.front().offset = Decimal(offset + Pick(0, 900));
    }
    for (const Point& p : points) {
      station.cells.push_back(CellText(DescribePoint(p.code), p.offset, p.elevation));
    }
    std::sort(station.cells.begin(), station.cells.end());
    return points;
  }

  static std::string Decimal(int hundredths) {
    const int magnitude = hundredths < 0 ? -hundredths : hundredths;
    const std::string cents = std::to_string(magnitude % 100);
    return std::string(hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." +
           (cents.size() == 1 ? "0" : "") + cents;
  }

  std::mt19937 rng_;
  std::string text_;
};

// The points of a report record, sorted: the cells with a description (no generated code is
// empty).
std::vector<std::string> ReportCells(const ReportRecord& record) {
  std::vector<std::string> cells;
  for (const Cell& cell : record.cells) {
    if (!cell.label.empty()) {
      cells.push_back(CellText(cell.label, cell.offset, cell.elevation));
    }
  }
  std::sort(cells.begin(), cells.end());
  return cells;
}

void ExpectStationsSurvive(const std::vector<Expected>& expected,
                           const std::vector<ReportRecord>& report, const SideRun& book) {
  std::vector<std::string> named;
  ASSERT_EQ(report.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("station " + std::to_string(i));
    const Expected& e = expected[i];
    EXPECT_EQ(report[i].region_station, e.region);
    if (!e.region.empty()) named.push_back(e.region);
    if (e.message) {
      EXPECT_FALSE(report[i].message_keyword.empty());
      continue;
    }
    EXPECT_EQ(report[i].cells.size(), static_cast<size_t>(e.points));
    // No point is lost or doubled, whatever the ordering pass moved.
    EXPECT_EQ(ReportCells(report[i]), e.cells);
    EXPECT_EQ(report[i].last_row, e.points > 0 ? (e.points - 1) / 3 : 0);
  }

  // Every named station is drawn, in file order, and listed with each page it is drawn on
  // (a cut station twice); Violations has already matched the lists page by page.
  std::vector<std::string> drawn;
  for (const std::vector<std::string>& page : book.drawn_stations) {
    for (const std::string& name : page) {
      if (!name.empty() && (drawn.empty() || drawn.back() != name)) drawn.push_back(name);
    }
  }
  EXPECT_EQ(drawn, named);
}

struct PropertyCase {
  bool divided;
  uint32_t seed;
  int max_stations;
};

void PrintTo(const PropertyCase& c, std::ostream* out) {
  *out << (c.divided ? "divided" : "undivided") << " seed " << c.seed;
}

class GeneratedBooks : public ReliabilityTest,
                       public ::testing::WithParamInterface<PropertyCase> {};

TEST_P(GeneratedBooks, CountingDrawingAndPointCountsAgreeAndASecondRunGivesTheSameBook) {
  const PropertyCase& c = GetParam();
  FileGenerator generator(c.seed);
  const GeneratedFile file =
      c.divided ? generator.Divided(c.max_stations) : generator.Undivided(c.max_stations);
  const std::string path = Write(file.bytes);
  // The page sizes on which stations fit; the tallest page is a hostile case of its own.
  for (const PageSize size : {kPageSizes[0], kPageSizes[1], kPageSizes[2]}) {
    SCOPED_TRACE(std::to_string(size.columns) + " x " + std::to_string(size.lines));
    RoadMemory memory;
    const BookRun run = RunBook(memory, path, size);
    ASSERT_TRUE(run.counted);
    EXPECT_TRUE(run.messages.empty()) << run.messages.front();
    EXPECT_EQ(Violations(run), std::vector<std::string>{}) << Violated(Violations(run));
    const Book& book = *run.book;

    if (c.divided) {
      ASSERT_EQ(run.sides.size(), 2u);
      ExpectStationsSurvive(file.first, book.Of(Side::Left).report, run.sides[0]);
      ExpectStationsSurvive(file.second, book.Of(Side::Right).report, run.sides[1]);
    } else {
      ASSERT_EQ(run.sides.size(), 1u);
      ExpectStationsSurvive(file.first, book.Of(Side::Left).report, run.sides[0]);
    }
    for (const SideRun& book : run.sides) EXPECT_LT(book.last_page, kMostPages);

    // A second Preview after the first, and a first one in a new program, give the same book.
    const BookRun again = RunBook(memory, path, size);
    EXPECT_EQ(again.text, run.text);
    EXPECT_EQ(again.messages, run.messages);
    for (size_t s = 0; s < run.sides.size(); ++s) {
      EXPECT_EQ(again.sides[s].station_list, run.sides[s].station_list);
      EXPECT_EQ(again.sides[s].counted_starts, run.sides[s].counted_starts);
    }
    EXPECT_EQ(RunFresh(path, size).text, run.text);
  }
}

std::vector<PropertyCase> Cases() {
  std::vector<PropertyCase> cases;
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    // Mostly books of a few pages; every fourth seed a book of a few dozen.
    const int max_stations = seed % 4 == 0 ? 120 : 25;
    cases.push_back({false, seed, max_stations});
    cases.push_back({true, seed, max_stations});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedBooks, ::testing::ValuesIn(Cases()), [](const auto& info) {
  return std::string(info.param.divided ? "Divided" : "Undivided") + "Seed" +
         std::to_string(info.param.seed);
});

TEST_F(ReliabilityTest, ASmallerFileAfterABiggerOneLeavesNothingOfTheFirstInTheBook) {
  FileGenerator big_generator(101);
  FileGenerator small_generator(102);
  const GeneratedFile big = big_generator.Undivided(80);
  const GeneratedFile small = small_generator.Undivided(5);
  const std::string big_path = Write(big.bytes, "big.csv");
  const std::string small_path = Write(small.bytes, "small.csv");
  RoadMemory reused;
  RunBook(reused, big_path, kPageSizes[0]);
  const BookRun second = RunBook(reused, small_path, kPageSizes[0]);
  const BookRun first = RunFresh(small_path);
  EXPECT_EQ(second.text, first.text);
  EXPECT_EQ(second.sides.at(0).station_list, first.sides.at(0).station_list);
  const std::vector<ReportRecord>& again = second.book->sides.at(0).report;
  const std::vector<ReportRecord>& alone = first.book->sides.at(0).report;
  ASSERT_EQ(again.size(), alone.size());
  for (size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].cross_section, alone[i].cross_section) << i;
    EXPECT_EQ(ReportCells(again[i]), ReportCells(alone[i])) << i;
  }
}

}  // namespace
}  // namespace vantrels::reliability
