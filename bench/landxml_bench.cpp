// A book from a LandXML file against the book of its criteria peer: a generated file of 2001
// cross sections (12 design points and 60 ground points a station, elevations relative to a
// profile of every curve type, a station equation) and the criteria report of the same
// finished-grade points. The argument is the section: 0, a pavement shape and a Top link (7 of
// the 12 points finished grade); 1, two open links (all 12). Both run from their bytes in memory
// to a counted book. Run with --benchmark_enable_random_interleaving=true so that the two
// alternate on a shared machine.
//
// The books are made from the files, as the programs make them: the LandXML file's bytes go to
// the reader, which parses them where they lie; the criteria file is read as its import reads
// it. The files are written once into $VANTRELS_BENCH_DATA (or a temporary folder).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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
  std::string xml_path;
  std::string criteria_path;
};

std::string Write(const std::string& name, const std::string& bytes) {
  const char* data = std::getenv("VANTRELS_BENCH_DATA");
  const std::filesystem::path dir = data != nullptr && *data != '\0'
                                        ? std::filesystem::path(data)
                                        : std::filesystem::temp_directory_path() / "vantrels-bench";
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / name;
  const std::filesystem::path partial = path.string() + "." + std::to_string(::getpid());
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) throw std::runtime_error("cannot write " + partial.string());
  }
  std::filesystem::rename(partial, path);
  return path.string();
}

Inputs MakeInputs(SectionStyle style) {
  Inputs made;
  const LandXmlShape shape{.stations = 2001, .style = style};
  made.xml = GenerateLandXml(shape).xml;
  ImportMemory memory;
  RecordingMessages messages;
  const Result<ImportedStations> imported = ImportStations(made.xml, {}, memory, messages);
  if (!imported) throw std::runtime_error(imported.failure().message);
  made.criteria = CriteriaFileOf(imported->stations.sides.at(0));
  made.xml_path = Write(LandXmlFileName(shape), made.xml);
  made.criteria_path =
      Write(std::filesystem::path(LandXmlFileName(shape)).replace_extension("peer.csv").string(),
            made.criteria);
  return made;
}

const Inputs& BenchInputs(const benchmark::State& state) {
  static const Inputs pavement = MakeInputs(SectionStyle::kPavementAndTop);
  static const Inputs links = MakeInputs(SectionStyle::kOpenLinks);
  return state.range(0) == 0 ? pavement : links;
}

void Report(benchmark::State& state, const Book& book, size_t bytes) {
  state.counters["stations"] = static_cast<double>(book.sides.at(0).report.size());
  state.counters["pages"] = book.sides.at(0).Pages();
  state.counters["file_MB"] = static_cast<double>(bytes) / (1 << 20);
}

// Read, finished grade, profile, stations, cut and fill; then slopes, report and counting.
void BM_LandXmlBook(benchmark::State& state) {
  const Inputs& inputs = BenchInputs(state);
  RecordingMessages messages;
  Book book;
  for (auto _ : state) {
    RoadMemory memory;
    Result<ImportedBook> road = ImportAndCompute(inputs.xml_path, {}, memory, messages);
    if (!CountBook(road->book, kPage, messages)) std::abort();
    book = std::move(road->book);
    benchmark::DoNotOptimize(book);
  }
  Report(state, book, inputs.xml.size());
}
BENCHMARK(BM_LandXmlBook)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CriteriaPeerBook(benchmark::State& state) {
  const Inputs& inputs = BenchInputs(state);
  RecordingMessages messages;
  Book book;
  for (auto _ : state) {
    RoadMemory memory;
    Result<ImportedBook> road = ImportAndCompute(inputs.criteria_path, {}, memory, messages);
    if (!CountBook(road->book, kPage, messages)) std::abort();
    book = std::move(road->book);
    benchmark::DoNotOptimize(book);
  }
  Report(state, book, inputs.criteria.size());
}
BENCHMARK(BM_CriteriaPeerBook)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The LandXML book's two halves: reading the XML (from the bytes in memory, which the reader
// copies), and making its stations.
void BM_LandXmlRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadLandXml(BenchInputs(state).xml));
}
BENCHMARK(BM_LandXmlRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LandXmlStations(benchmark::State& state) {
  const Result<LandXmlFile> file = ReadLandXml(BenchInputs(state).xml);
  for (auto _ : state) benchmark::DoNotOptimize(StationsFromLandXml(*file, {}));
}
BENCHMARK(BM_LandXmlStations)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrels::bench

BENCHMARK_MAIN();
