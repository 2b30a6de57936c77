#include "criteria_generator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "book/road.h"
#include "compute/grade.h"
#include "import/criteria_file.h"

namespace vantrels::bench {
namespace {

class GeneratedFile : public ::testing::TestWithParam<RoadShape> {};

// The benchmarks measure the largest accepted inputs only if the generated files are accepted
// whole: every station imported with every point, and every slope computed.
TEST_P(GeneratedFile, ImportsEveryStationAndPoint) {
  const RoadShape shape = GetParam();
  const auto path =
      std::filesystem::temp_directory_path() / ("vantrels-gen-test-" + CriteriaFileName(shape));
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << GenerateCriteriaFile(shape);
  }
  RoadMemory memory;
  RecordingMessages messages;
  const Result<ImportedBook> road = ImportAndCompute(path.string(), {}, memory, messages);
  std::filesystem::remove(path);
  ASSERT_TRUE(road.ok());
  EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
  const Book& book = road->book;
  EXPECT_EQ(book.roadway, shape.divided ? Roadway::Divided : Roadway::Undivided);
  ASSERT_EQ(book.sides.size(), shape.divided ? 2u : 1u);

  for (const SideBook& side : book.sides) {
    ASSERT_EQ(side.report.size(), static_cast<size_t>(shape.stations));
    for (int s = 0; s < shape.stations; ++s) {
      const ReportRecord& station = side.report[static_cast<size_t>(s)];
      ASSERT_EQ(station.cells.size(), static_cast<size_t>(shape.points)) << "station " << s;
      EXPECT_FALSE(station.IsMessage());
      EXPECT_TRUE(station.cross_section);
      for (size_t p = 0; p + 1 < station.cells.size(); ++p) {
        ASSERT_FALSE(station.cells[p].slope.empty()) << "station " << s << " point " << p;
        // After the ordering step the offsets run across the roadway.
        EXPECT_LT(ParseNumber(station.cells[p].offset).value(),
                  ParseNumber(station.cells[p + 1].offset).value());
      }
    }
    EXPECT_EQ(side.report.back().last_row, (shape.points - 1) / 3);
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, GeneratedFile,
                         ::testing::Values(RoadShape{false, 2001, 31}, RoadShape{true, 2001, 31},
                                           RoadShape{false, 2001, 3}, RoadShape{true, 250, 9},
                                           RoadShape{false, 1, 1}, RoadShape{true, 2, 2}),
                         [](const auto& info) {
                           std::string name = CriteriaFileName(info.param);
                           for (char& c : name) {
                             if (c == '-' || c == '.') c = '_';
                           }
                           return name;
                         });

TEST(GeneratedFile, OddLeftBlocksBeginAtTheMedian) {
  const std::string file = GenerateCriteriaFile({true, 2, 3});
  // Station 1's left block: the point at the median first, then the outer ones.
  const size_t station1 = file.find("\r\n1000+50.00,");
  ASSERT_NE(station1, std::string::npos);
  EXPECT_EQ(file.compare(station1 + 2, 68,
                         "1000+50.00,1000+50.00 R2,,,CL2,1000+50.00 R2,TYP,1,LEFT,LANE,-12.00,"),
            0);
  EXPECT_LT(file.find("LEFT,LANE,-12.00", station1), file.find("LEFT,LtSgShldr,-20.00", station1));
}

TEST(GeneratedFile, RefusesShapesBeyondTheLimits) {
  for (const RoadShape shape : {RoadShape{false, 2002, 9}, RoadShape{true, 0, 9},
                                RoadShape{false, 10, 32}, RoadShape{true, 10, 0}}) {
    EXPECT_THROW(GenerateCriteriaFile(shape), std::invalid_argument);
  }
}

TEST(GeneratedFile, NameTellsTheShape) {
  EXPECT_EQ(CriteriaFileName({false, 2001, 9}), "undivided-2001x9.csv");
  EXPECT_EQ(CriteriaFileName({true, 250, 31}), "divided-250x31.csv");
}

}  // namespace
}  // namespace vantrels::bench
