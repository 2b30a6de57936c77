#pragma once

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "book/road.h"
#include "criteria_generator.h"
#include "layout/page.h"
#include "model/book.h"
#include "model/messages.h"

namespace vantrels::bench {

// The page of the letter printer with quarter-inch margins, in character cells.
inline constexpr double kPageColumns = 96;
inline constexpr double kPageLines = 63;

// Writes the generated file of `shape` once per process and returns its path. The directory is
// $VANTRELS_BENCH_DATA, or "vantrels-bench" in the system's temporary directory.
std::string CriteriaFile(const RoadShape& shape);

// The inputs of a preview of `shape`: the file, what earlier previews left, and the heading
// texts. The heading date is fixed so that every run draws the same texts.
struct Road {
  std::string path;
  RoadMemory memory;
  RecordingMessages messages;
  PageContext context;
};
std::unique_ptr<Road> MakeRoad(const RoadShape& shape);

// Skips the benchmark with an error when `book` does not hold every station of `shape`.
// Returns false when skipped.
bool CheckImported(benchmark::State& state, const Book* book, const RoadShape& shape);

// Pages of the counted book over both sides, as a counter.
int CountedPages(const Book& book);

// Shape of a benchmark whose arguments are {divided, stations, points}.
RoadShape ShapeOf(const benchmark::State& state);

}  // namespace vantrels::bench
