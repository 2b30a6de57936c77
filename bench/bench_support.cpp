#include "bench_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <tuple>

namespace vantrels::bench {

namespace {

std::filesystem::path DataDirectory() {
  if (const char* dir = std::getenv("VANTRELS_BENCH_DATA"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  return std::filesystem::temp_directory_path() / "vantrels-bench";
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

std::unique_ptr<Road> MakeRoad(const RoadShape& shape) {
  auto road = std::make_unique<Road>();
  road->path = CriteriaFile(shape);
  road->context.project_number = "BENCH-1";
  road->context.heading_date = "01 01 2024";
  road->context.report_font = "Courier New";
  return road;
}

bool CheckImported(benchmark::State& state, const Book* book, const RoadShape& shape) {
  if (!book || book->Divided() != shape.divided ||
      book->sides[0].report.size() != static_cast<size_t>(shape.stations)) {
    state.SkipWithError("the generated file was not imported whole");
    return false;
  }
  return true;
}

int CountedPages(const Book& book) {
  int pages = 0;
  for (const SideBook& side : book.sides) pages += side.Pages();
  return pages;
}

RoadShape ShapeOf(const benchmark::State& state) {
  return RoadShape{state.range(0) != 0, static_cast<int>(state.range(1)),
                   static_cast<int>(state.range(2))};
}

}  // namespace vantrels::bench
