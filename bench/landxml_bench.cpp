// A book from a LandXML file against the book of its criteria peer: the generated file of 2001
// cross sections (12 design points and 60 ground points a station, elevations relative to a
// profile of every curve type, a station equation) and the criteria report of the same
// finished-grade points. Both run from their bytes in memory to a counted book. Run with
// --benchmark_enable_random_interleaving=true so that the two alternate on a shared machine.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "book/road.h"
#include "compute/grade.h"
#include "compute/import_stations.h"
#include "criteria_peer.h"
#include "import/landxml_reader.h"
#include "landxml_generator.h"

namespace vantrels::bench {
namespace {

constexpr PageGeometry kPage{96, 63};

struct Inputs {
  std::string xml;
  std::string criteria;
};

const Inputs& BenchInputs() {
  static const Inputs inputs = [] {
    Inputs made;
    made.xml = GenerateLandXml({.stations = 2001, .shapes = false}).xml;
    ImportMemory memory;
    RecordingMessages messages;
    const Result<ImportedStations> imported = ImportStations(made.xml, {}, memory, messages);
    if (!imported) throw std::runtime_error(imported.failure().message);
    made.criteria = CriteriaFileOf(imported->stations.sides.at(0));
    return made;
  }();
  return inputs;
}

void Report(benchmark::State& state, const Book& book, size_t bytes) {
  state.counters["stations"] = static_cast<double>(book.sides.at(0).report.size());
  state.counters["pages"] = book.sides.at(0).Pages();
  state.counters["file_MB"] = static_cast<double>(bytes) / (1 << 20);
}

// Read, finished grade, profile, stations, cut and fill; then slopes, report and counting.
void BM_LandXmlBook(benchmark::State& state) {
  const std::string& xml = BenchInputs().xml;
  RecordingMessages messages;
  Book book;
  for (auto _ : state) {
    ImportMemory memory;
    Result<ImportedStations> imported = ImportStations(xml, {}, memory, messages);
    book = BuildReport(FilterPoints(CalculateSlopes(std::move(imported->stations)), messages),
                       messages);
    CountBook(book, kPage, messages);
    benchmark::DoNotOptimize(book);
  }
  Report(state, book, xml.size());
}
BENCHMARK(BM_LandXmlBook)->Unit(benchmark::kMillisecond);

void BM_CriteriaPeerBook(benchmark::State& state) {
  const std::string& criteria = BenchInputs().criteria;
  RecordingMessages messages;
  Book book;
  for (auto _ : state) {
    RoadMemory memory;
    RoadResult road = ImportAndComputeBytes(criteria, memory, messages);
    CountBook(*road.book, kPage, messages);
    book = std::move(*road.book);
    benchmark::DoNotOptimize(book);
  }
  Report(state, book, criteria.size());
}
BENCHMARK(BM_CriteriaPeerBook)->Unit(benchmark::kMillisecond);

// The LandXML book's two halves: reading the XML, and making its stations.
void BM_LandXmlRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadLandXml(BenchInputs().xml));
}
BENCHMARK(BM_LandXmlRead)->Unit(benchmark::kMillisecond);

void BM_LandXmlStations(benchmark::State& state) {
  const Result<LandXmlFile> file = ReadLandXml(BenchInputs().xml);
  for (auto _ : state) benchmark::DoNotOptimize(StationsFromLandXml(*file, {}));
}
BENCHMARK(BM_LandXmlStations)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrels::bench

BENCHMARK_MAIN();
