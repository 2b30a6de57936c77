#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/book_render.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

// Reviewed renderings of the bundled examples; a layout change shows up as a diff here.
struct GoldenCase {
  const char* example;
  const char* option;
  const char* golden;
};

class GoldenBook : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenBook, RendersExactlyAsReviewed) {
  const GoldenCase& c = GetParam();
  std::ostringstream out, err;
  const int status = BookMain({c.option, "--date", "2026-12-07", "--project", "EXAMPLE-1",
                               std::string(VANTRELS_EXAMPLES) + "/" + c.example},
                              out, err);
  EXPECT_EQ(status, kBookProduced);
  EXPECT_EQ(err.str(), "");
  const std::string expected = ReadAll(std::string(VANTRELS_TEST_DATA) + "/golden/" + c.golden);
  ASSERT_FALSE(expected.empty()) << c.golden;
  EXPECT_EQ(out.str(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GoldenBook,
    ::testing::Values(GoldenCase{"undivided.csv", "--text", "undivided.txt"},
                      GoldenCase{"divided.csv", "--text", "divided.txt"},
                      GoldenCase{"undivided.csv", "--stations", "undivided.stations.txt"},
                      GoldenCase{"divided.csv", "--stations", "divided.stations.txt"}),
    [](const auto& info) {
      std::string name = std::string(info.param.golden);
      for (char& ch : name) {
        if (ch == '.') ch = '_';
      }
      return name;
    });

}  // namespace
}  // namespace vantrels
