#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "reliability/reliability_test_util.h"

namespace vantrels::reliability {
namespace {

std::vector<std::string> FilesIn(const std::filesystem::path& dir) {
  std::vector<std::string> files;
  if (!std::filesystem::is_directory(dir)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Replays fuzz inputs as the fuzz target runs them: every input the fuzzer once broke the road
// with (tests/data/hostile/fuzz) and the seed corpus, each as a first preview and as one more
// preview after all the others, as the fuzz target and the desktop program run them.
TEST_F(ReliabilityTest, FuzzFindingsAndSeedsKeepEveryInvariant) {
  std::vector<std::string> inputs = FilesIn(std::string(VANTRELS_TEST_DATA) + "/hostile/fuzz");
  const size_t findings = inputs.size();
  for (const std::string& seed : FilesIn(std::string(VANTRELS_TEST_DATA) + "/../../fuzz/corpus")) {
    inputs.push_back(seed);
  }
  ASSERT_GT(inputs.size(), findings) << "the seed corpus is missing";

  RoadMemory shared;
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    const FuzzInput decoded = DecodeFuzzInput(ReadAll(input));
    const std::string path = Write(decoded.file);
    for (const bool first : {true, false}) {
      const BookRun run =
          first ? RunFresh(path, decoded.size) : RunBook(shared, path, decoded.size);
      const std::vector<std::string> violations = Violations(run);
      EXPECT_THAT(violations, ::testing::IsEmpty()) << Violated(violations);
    }
  }
}

// The fuzz target trusts these checks to notice a broken road: each corruption of a sound
// run must be reported.
TEST_F(ReliabilityTest, InvariantChecksReportACorruptedRun) {
  const BookRun sound =
      RunFresh(std::string(VANTRELS_TEST_DATA) + "/hostile/thirty_two_points_divided.csv");
  ASSERT_TRUE(sound.counted);
  ASSERT_THAT(Violations(sound), ::testing::IsEmpty());

  struct Corruption {
    const char* name;
    std::function<void(BookRun&)> apply;
  };
  const std::vector<Corruption> corruptions = {
      {"input changed", [](BookRun& r) { r.input_unchanged = false; }},
      {"endless message", [](BookRun& r) { r.messages.assign(5, "Program Error: x"); }},
      {"last page beyond any book", [](BookRun& r) { r.sides[0].last_page = kMostPages; }},
      {"page start beyond the stations",
       [](BookRun& r) {
         r.sides[0].counted_starts[1] = {9999, 0};
       }},
      {"page start missing", [](BookRun& r) { r.sides[0].counted_starts.pop_back(); }},
      {"drawing disagrees with counting",
       [](BookRun& r) {
         r.sides[1].drawn_next[0] = {{0, 9}};
       }},
      {"listed on another page", [](BookRun& r) { r.sides[0].station_list[0].replace(0, 1, "2"); }},
      {"drawn but not listed", [](BookRun& r) { r.sides[1].station_list.clear(); }},
      {"pages lost", [](BookRun& r) { r.pages += 1; }},
      {"slope off the rule",
       [](BookRun& r) { r.book->sides[0].report[0].cells[0].slope = "1.00"; }},
      {"more points than a station holds",
       [](BookRun& r) { r.book->sides[1].report[0].cells.resize(32); }},
      {"sides of different stations", [](BookRun& r) { r.book->sides[1].report.pop_back(); }},
      {"ended with a book", [](BookRun& r) { r.ended = true; }},
  };
  for (const Corruption& c : corruptions) {
    SCOPED_TRACE(c.name);
    BookRun run = sound;
    c.apply(run);
    EXPECT_THAT(Violations(run), ::testing::Not(::testing::IsEmpty()));
  }
}

}  // namespace
}  // namespace vantrels::reliability
