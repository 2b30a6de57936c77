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
// with (tests/data/hostile/fuzz) and the seed corpus, each on a fresh store and on one store
// shared by all, as the fuzz target and the desktop program keep it.
TEST_F(ReliabilityTest, FuzzFindingsAndSeedsKeepEveryInvariant) {
  std::vector<std::string> inputs = FilesIn(std::string(VANTRELS_TEST_DATA) + "/hostile/fuzz");
  const size_t findings = inputs.size();
  for (const std::string& seed : FilesIn(std::string(VANTRELS_TEST_DATA) + "/../../fuzz/corpus")) {
    inputs.push_back(seed);
  }
  ASSERT_GT(inputs.size(), findings) << "the seed corpus is missing";

  Store shared;
  InitialiseStore(shared);
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    const FuzzInput decoded = DecodeFuzzInput(ReadAll(input));
    const std::string path = Write(decoded.file);
    Store fresh;
    for (Store* store : {&fresh, &shared}) {
      const BookRun run = store == &fresh ? RunFresh(fresh, path, decoded.size)
                                          : RunBook(shared, path, decoded.size);
      const std::vector<std::string> violations = Violations(*store, run);
      EXPECT_THAT(violations, ::testing::IsEmpty()) << Violated(violations);
    }
  }
}

// The fuzz target trusts these checks to notice a broken road: each corruption of a sound
// run must be reported.
TEST_F(ReliabilityTest, InvariantChecksReportACorruptedRun) {
  Store store;
  const BookRun sound =
      RunFresh(store, std::string(VANTRELS_TEST_DATA) + "/hostile/thirty_two_points_divided.csv");
  ASSERT_TRUE(sound.counted);
  ASSERT_THAT(Violations(store, sound), ::testing::IsEmpty());

  struct Corruption {
    const char* name;
    std::function<void(BookRun&, Store&)> apply;
  };
  const std::vector<Corruption> corruptions = {
      {"input changed", [](BookRun& r, Store&) { r.input_unchanged = false; }},
      {"endless message", [](BookRun& r, Store&) { r.messages.assign(5, "Program Error: x"); }},
      {"last page beyond the table", [](BookRun& r, Store&) { r.sides[0].last_page = 501; }},
      {"page table entry without colon",
       [](BookRun& r, Store&) { r.sides[0].counted_starts[1] = "12"; }},
      {"drawing disagrees with counting",
       [](BookRun& r, Store&) { r.sides[1].drawn_starts[1] = "0:9"; }},
      {"listed on another page",
       [](BookRun& r, Store&) { r.sides[0].station_list[0].replace(0, 1, "2"); }},
      {"drawn but not listed", [](BookRun& r, Store&) { r.sides[1].station_list.clear(); }},
      {"pages lost", [](BookRun& r, Store&) { r.pages += 1; }},
      {"slope off the rule", [](BookRun&, Store& s) { s.LeftStations[0].PointSlopes[0] = "1.00"; }},
      {"ended with a book", [](BookRun& r, Store& s) { r.ended = s.ProgramEnded = true; }},
  };
  for (const Corruption& c : corruptions) {
    SCOPED_TRACE(c.name);
    BookRun run = sound;
    Store copy = store;
    c.apply(run, copy);
    EXPECT_THAT(Violations(copy, run), ::testing::Not(::testing::IsEmpty()));
  }
}

}  // namespace
}  // namespace vantrels::reliability
