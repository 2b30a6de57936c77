// The headless road on the largest inputs the program accepts: 2001 stations of 3, 9 and 31
// points, undivided and divided, and the growth series. Arguments are {divided, stations, points}.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_support.h"
#include "book/road.h"
#include "compute/grade.h"
#include "import/criteria_file.h"
#include "layout/page.h"
#include "layout/text_surface.h"

namespace vantrels::bench {
namespace {

void LargestShapes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"divided", "stations", "points"});
  for (int divided : {0, 1}) {
    for (int points : {3, 9, 31}) b->Args({divided, 2001, points});
  }
}

void StationSeries(benchmark::internal::Benchmark* b) {
  b->ArgNames({"divided", "stations", "points"});
  for (int divided : {0, 1}) {
    for (int stations : {250, 500, 1000, 2001}) b->Args({divided, stations, 9});
  }
}

// Creating the six station arrays, as the main window does once when it loads (fresh:1, memory
// newly allocated) and as the command line's set-up does on a store already used (fresh:0).
void BM_InitialiseStore(benchmark::State& state) {
  const bool fresh = state.range(0) != 0;
  auto store = std::make_unique<Store>();
  for (auto _ : state) {
    if (fresh) {
      state.PauseTiming();
      store = std::make_unique<Store>();
      state.ResumeTiming();
    }
    InitialiseStore(*store);
    benchmark::DoNotOptimize(store->UndividedStations.data());
  }
}
BENCHMARK(BM_InitialiseStore)->ArgName("fresh")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Classification and import (GpkVantrels reads the file, then the undivided or divided import).
void BM_Import(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  TextSurface printer(kPageColumns, kPageLines);
  auto road = MakeRoad(shape, &printer);
  for (auto _ : state) {
    benchmark::DoNotOptimize(GpkVantrels(road->store, road->messages));
  }
  CheckImported(state, *road, shape);
}
BENCHMARK(BM_Import)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// Each computation runs on the state the previous steps leave: the ordering step of
// CalculateSlopes changes the station arrays, so they are put back before every run, and the
// report arrays are re-created empty as the import leaves them.
void BM_CalculateSlopes(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  TextSurface printer(kPageColumns, kPageLines);
  auto road = MakeRoad(shape, &printer);
  Store& store = road->store;
  GpkVantrels(store, road->messages);
  const StationArray left = store.LeftStations, right = store.RightStations,
                     undivided = store.UndividedStations;
  for (auto _ : state) {
    state.PauseTiming();
    store.LeftStations = left;
    store.RightStations = right;
    store.UndividedStations = undivided;
    state.ResumeTiming();
    CalculateSlopes(store, road->messages);
  }
  CheckImported(state, *road, shape);
}
BENCHMARK(BM_CalculateSlopes)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

void BM_FilterPoints(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  TextSurface printer(kPageColumns, kPageLines);
  auto road = MakeRoad(shape, &printer);
  Store& store = road->store;
  GpkVantrels(store, road->messages);
  CalculateSlopes(store, road->messages);
  for (auto _ : state) {
    FilterPoints(store, road->messages);
  }
  CheckImported(state, *road, shape);
}
BENCHMARK(BM_FilterPoints)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

void BM_WritetoFinalReport(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  TextSurface printer(kPageColumns, kPageLines);
  auto road = MakeRoad(shape, &printer);
  Store& store = road->store;
  GpkVantrels(store, road->messages);
  CalculateSlopes(store, road->messages);
  FilterPoints(store, road->messages);
  for (auto _ : state) {
    state.PauseTiming();
    RecreateReport(store.UndividedReport, shape.divided ? -1 : store.StationCount);
    RecreateReport(store.LeftReport, shape.divided ? store.StationCount : -1);
    RecreateReport(store.RightReport, shape.divided ? store.StationCount : -1);
    state.ResumeTiming();
    WritetoFinalReport(store, road->messages);
  }
  CheckImported(state, *road, shape);
}
BENCHMARK(BM_WritetoFinalReport)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// The heading on the hidden viewer, PageCount and PageCountRight: every page laid out once.
void BM_PageCount(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  TextSurface printer(kPageColumns, kPageLines);
  auto road = MakeRoad(shape, &printer);
  Store& store = road->store;
  ImportAndCompute(store, road->messages);
  NullSurface hidden_viewer;
  for (auto _ : state) {
    store.StationList.clear();
    store.StationListRight.clear();
    CountBook(store, road->messages, hidden_viewer);
  }
  if (CheckImported(state, *road, shape)) state.counters["pages"] = CountedPages(store);
}
BENCHMARK(BM_PageCount)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// One page of the book's middle, heading and body, onto the text printer.
void BM_TextSurfacePage(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  TextSurface printer(kPageColumns, kPageLines);
  auto road = MakeRoad(shape, &printer);
  Store& store = road->store;
  RunHeadlessRoad(store, road->messages);
  const int32_t page = (shape.divided ? store.LeftLastPage : store.UndividedLastPage) / 2;
  for (auto _ : state) {
    store.CurrentPage = page;
    PrintQMTForm(store, road->messages, printer);
    ToPrintAllForms(store, road->messages, printer);
    // Only the page just drawn is kept, so memory stays flat however many runs there are.
    printer.KillDoc();
  }
  CheckImported(state, *road, shape);
}
BENCHMARK(BM_TextSurfacePage)->Apply(LargestShapes)->Unit(benchmark::kMicrosecond);

// The whole headless road of one Preview: classification, import, the three computations and
// page counting, on a store whose arrays were created at load.
void BM_HeadlessRoad(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  TextSurface printer(kPageColumns, kPageLines);
  auto road = MakeRoad(shape, &printer);
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunHeadlessRoad(road->store, road->messages));
  }
  if (CheckImported(state, *road, shape)) state.counters["pages"] = CountedPages(road->store);
}
BENCHMARK(BM_HeadlessRoad)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// How the road's cost grows with the stations (9 points each). A 63-line page holds three such
// stations, so from 1503 stations on the book reaches the 501-page limit and counting stops.
void BM_RoadGrowth(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  TextSurface printer(kPageColumns, kPageLines);
  auto road = MakeRoad(shape, &printer);
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunHeadlessRoad(road->store, road->messages));
  }
  if (CheckImported(state, *road, shape)) {
    state.counters["pages"] = CountedPages(road->store);
    // Seconds per station: time divided by the stations of every iteration.
    state.counters["per_station"] =
        benchmark::Counter(shape.stations, benchmark::Counter::kIsIterationInvariantRate |
                                               benchmark::Counter::kInvert);
  }
}
BENCHMARK(BM_RoadGrowth)->Apply(StationSeries)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrels::bench

BENCHMARK_MAIN();
