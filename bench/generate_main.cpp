// Writes the benchmark inputs into a directory: undivided and divided files of 2001 stations
// with 3, 9 and 31 points, and the 9-point files of 250, 500 and 1000 stations.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "criteria_generator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: vantrels-bench-generate DIRECTORY\n";
    return 2;
  }
  try {
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (bool divided : {false, true}) {
      for (int stations : {250, 500, 1000, 2001}) {
        for (int points : {3, 9, 31}) {
          if (stations != 2001 && points != 9) continue;
          const vantrels::bench::RoadShape shape{divided, stations, points};
          const std::filesystem::path path = dir / vantrels::bench::CriteriaFileName(shape);
          std::ofstream out(path, std::ios::binary | std::ios::trunc);
          out << vantrels::bench::GenerateCriteriaFile(shape);
          if (!out.flush()) {
            std::cerr << "vantrels-bench-generate: cannot write " << path << '\n';
            return 1;
          }
          std::cout << path.string() << '\n';
        }
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "vantrels-bench-generate: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
