#include "bench_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <tuple>

#include "import/criteria_file.h"

namespace vantrels::bench {

namespace {

std::filesystem::path DataDirectory() {
  if (const char* dir = std::getenv("VANTRELS_BENCH_DATA"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  return std::filesystem::temp_directory_path() / "vantrels-bench";
}

bool IsDivided(const Store& store) {
  return UpperCase(store.RoadwayType) == "DIVIDED";
}

}  // namespace

std::string CriteriaFile(const RoadShape& shape) {
  static std::map<std::tuple<bool, int, int>, std::string> written;
  const auto key = std::make_tuple(shape.divided, shape.stations, shape.points);
  if (const auto found = written.find(key); found != written.end()) return found->second;

  const std::filesystem::path dir = DataDirectory();
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / CriteriaFileName(shape);
  // Written under a private name and renamed, so a concurrent run never reads half a file.
  const std::filesystem::path partial = path.string() + "." + std::to_string(::getpid());
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << GenerateCriteriaFile(shape);
    if (!out.flush()) throw std::runtime_error("cannot write " + partial.string());
  }
  std::filesystem::rename(partial, path);
  return written.emplace(key, path.string()).first->second;
}

std::unique_ptr<Road> MakeRoad(const RoadShape& shape, Surface* printer) {
  auto road = std::make_unique<Road>();
  Store& store = road->store;
  InitialiseStore(store);
  for (PageTable* table :
       {&store.UndividedPageStarts, &store.LeftPageStarts, &store.RightPageStarts}) {
    (*table)[0] = "0:0";
  }
  store.InputFilePath = CriteriaFile(shape);
  store.ProjectNumber = "BENCH-1";
  store.HeadingDate = "01 01 2024";
  store.ReportFontName = "Courier New";
  store.Printer = printer;
  return road;
}

bool CheckImported(benchmark::State& state, const Road& road, const RoadShape& shape) {
  const Store& store = road.store;
  const bool divided = IsDivided(store);
  const ReportArray& report = divided ? store.LeftReport : store.UndividedReport;
  if (divided != shape.divided || store.StationCount != shape.stations - 1 ||
      report.size() != static_cast<size_t>(shape.stations) || store.ProgramEnded) {
    state.SkipWithError("the generated file was not imported whole");
    return false;
  }
  return true;
}

int CountedPages(const Store& store) {
  if (!IsDivided(store)) return store.UndividedLastPage + 1;
  return store.LeftLastPage + 1 + store.RightLastPage + 1;
}

RoadShape ShapeOf(const benchmark::State& state) {
  return RoadShape{state.range(0) != 0, static_cast<int>(state.range(1)),
                   static_cast<int>(state.range(2))};
}

}  // namespace vantrels::bench
