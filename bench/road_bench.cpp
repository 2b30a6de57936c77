// The headless road on the largest inputs the program accepts: 2001 stations of 3, 9 and 31
// points, undivided and divided, and the growth series. Arguments are {divided, stations, points}.
#include <benchmark/benchmark.h>

#include <memory>
#include <utility>

#include "bench_support.h"
#include "book/book_renderer.h"
#include "book/road.h"
#include "compute/grade.h"
#include "import/criteria_file.h"
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

// The stations of the generated file as the import gives them.
RoadwayStations Imported(Road& road) {
  return *ImportCriteriaFile(road.path, road.memory.import, road.messages);
}

// Classification and import: the file read, classified and imported into stations sized to it.
void BM_Import(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  auto road = MakeRoad(shape);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ImportCriteriaFile(road->path, road->memory.import, road->messages));
  }
  const Result<ImportedBook> checked =
      ImportAndCompute(road->path, {}, road->memory, road->messages);
  CheckImported(state, checked ? &checked->book : nullptr, shape);
}
BENCHMARK(BM_Import)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// Each run copies its input outside the timing: a fixed number of runs keeps the copying, which
// the benchmark does not count, from running for minutes before a fast step is measured.
constexpr int kComputationRuns = 40;

// Times `step` alone: every step takes its stations over, so each run gets a copy of `input`,
// made outside the timing, and its result is freed outside the timing too. Then checks that the
// road of the shape gives a whole book.
template <typename Step>
void TimeComputation(benchmark::State& state, const RoadwayStations& input, Step step) {
  for (auto _ : state) {
    state.PauseTiming();
    RoadwayStations stations = input;
    state.ResumeTiming();
    auto result = step(std::move(stations));
    state.PauseTiming();
    benchmark::DoNotOptimize(result);
    { const auto freed = std::move(result); }
    state.ResumeTiming();
  }
  RecordingMessages messages;
  const Book book = BuildReport(FilterPoints(CalculateSlopes(input), messages), messages);
  CheckImported(state, &book, ShapeOf(state));
}

// Each computation runs on what the steps before it give.
void BM_CalculateSlopes(benchmark::State& state) {
  auto road = MakeRoad(ShapeOf(state));
  TimeComputation(state, Imported(*road),
                  [](RoadwayStations stations) { return CalculateSlopes(std::move(stations)); });
}
BENCHMARK(BM_CalculateSlopes)
    ->Apply(LargestShapes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kComputationRuns);

void BM_FilterPoints(benchmark::State& state) {
  auto road = MakeRoad(ShapeOf(state));
  TimeComputation(state, CalculateSlopes(Imported(*road)), [&](RoadwayStations stations) {
    return FilterPoints(std::move(stations), road->messages);
  });
}
BENCHMARK(BM_FilterPoints)
    ->Apply(LargestShapes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kComputationRuns);

void BM_BuildReport(benchmark::State& state) {
  auto road = MakeRoad(ShapeOf(state));
  TimeComputation(
      state, FilterPoints(CalculateSlopes(Imported(*road)), road->messages),
      [&](RoadwayStations stations) { return BuildReport(std::move(stations), road->messages); });
}
BENCHMARK(BM_BuildReport)
    ->Apply(LargestShapes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kComputationRuns);

// The printer measured and both sides counted: every page laid out once.
void BM_CountBook(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  auto road = MakeRoad(shape);
  TextSurface printer(kPageColumns, kPageLines);
  Result<ImportedBook> computed = ImportAndCompute(road->path, {}, road->memory, road->messages);
  Book& book = computed->book;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        CountBook(book, MeasurePrinterPage(&printer, road->memory), road->messages));
  }
  if (CheckImported(state, &book, shape)) state.counters["pages"] = CountedPages(book);
}
BENCHMARK(BM_CountBook)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// One page of the book's middle, heading and body, onto the text printer.
void BM_TextSurfacePage(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  auto road = MakeRoad(shape);
  TextSurface printer(kPageColumns, kPageLines);
  const Result<ImportedBook> built =
      BuildBook(road->path, {}, &printer, road->memory, road->messages);
  const Book& book = built->book;
  const BookRenderer pages(book, road->context, road->messages);
  const BookPosition middle{Side::Left, book.Of(Side::Left).last_page / 2};
  for (auto _ : state) {
    pages.RenderPage(printer, middle);
    // Only the page just drawn is kept, so memory stays flat however many runs there are.
    printer.KillDoc();
  }
  CheckImported(state, &book, shape);
}
BENCHMARK(BM_TextSurfacePage)->Apply(LargestShapes)->Unit(benchmark::kMicrosecond);

// Times the whole road of one Preview on the text printer; false when the book is not whole.
bool TimeRoad(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  auto road = MakeRoad(shape);
  TextSurface printer(kPageColumns, kPageLines);
  for (auto _ : state) {
    benchmark::DoNotOptimize(BuildBook(road->path, {}, &printer, road->memory, road->messages));
  }
  const Result<ImportedBook> built =
      BuildBook(road->path, {}, &printer, road->memory, road->messages);
  if (!CheckImported(state, built ? &built->book : nullptr, shape)) return false;
  state.counters["pages"] = CountedPages(built->book);
  return true;
}

// The whole headless road of one Preview: classification, import, the three computations and
// page counting.
void BM_HeadlessRoad(benchmark::State& state) {
  TimeRoad(state);
}
BENCHMARK(BM_HeadlessRoad)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// How the road's cost grows with the stations (9 points each). A 63-line page holds three such
// stations, so from 1503 stations on the book reaches the 501-page limit and counting stops.
void BM_RoadGrowth(benchmark::State& state) {
  if (!TimeRoad(state)) return;
  // Seconds per station: time divided by the stations of every iteration.
  state.counters["per_station"] =
      benchmark::Counter(ShapeOf(state).stations, benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(BM_RoadGrowth)->Apply(StationSeries)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrels::bench

BENCHMARK_MAIN();
