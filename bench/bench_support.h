#pragma once

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "criteria_generator.h"
#include "layout/surface.h"
#include "model/messages.h"
#include "model/store.h"

namespace vantrels::bench {

// The page of the letter printer with quarter-inch margins, in character cells.
inline constexpr double kPageColumns = 96;
inline constexpr double kPageLines = 63;

// Writes the generated file of `shape` once per process and returns its path. The directory is
// $VANTRELS_BENCH_DATA, or "vantrels-bench" in the system's temporary directory.
std::string CriteriaFile(const RoadShape& shape);

// A store set up the way the main window leaves it before a Preview: station arrays created,
// page tables starting at "0:0", the file chosen and `printer` current. The heading date is
// fixed so that every run draws the same texts.
struct Road {
  Store store;
  RecordingMessages messages;
};
std::unique_ptr<Road> MakeRoad(const RoadShape& shape, Surface* printer);

// Skips the benchmark with an error when the road of `road`
// did not import every station of `shape`. Returns false when skipped.
bool CheckImported(benchmark::State& state, const Road& road, const RoadShape& shape);

// Pages of the counted book over both sides, as a counter.
int CountedPages(const Store& store);

// Shape of a benchmark whose arguments are {divided, stations, points}.
RoadShape ShapeOf(const benchmark::State& state);

}  // namespace vantrels::bench
