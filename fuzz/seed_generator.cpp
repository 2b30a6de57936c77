// Writes the road fuzzer's seeds of realistic size into a directory: generated criteria files
// of up to 2001 stations, each behind the control byte 0 (a 96 x 63 page, the file's own
// header). They are made at run time so that the seed corpus in the repository stays small.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "criteria_generator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: fuzz_seed_generator DIRECTORY\n";
    return 2;
  }
  // The largest file a station count allows stays under the fuzzer's 1 MB input limit.
  const vantrels::bench::RoadShape shapes[] = {{false, 2001, 3}, {true, 2001, 2}, {false, 250, 9},
                                               {true, 120, 31},  {true, 30, 9},   {false, 60, 5}};
  try {
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const vantrels::bench::RoadShape& shape : shapes) {
      const std::filesystem::path path = dir / vantrels::bench::CriteriaFileName(shape);
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out << '\0' << vantrels::bench::GenerateCriteriaFile(shape);
      if (!out.flush()) {
        std::cerr << "fuzz_seed_generator: cannot write " << path << '\n';
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "fuzz_seed_generator: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
