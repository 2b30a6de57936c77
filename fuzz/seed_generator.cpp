// Writes the fuzzers' seeds of realistic size into directories: generated criteria files of up
// to 2001 stations for the road fuzzer, and, given a second directory, generated LandXML files
// for the LandXML fuzzer, each behind the control byte 0 (a 96 x 63 page and the file's own
// header; automatic elevations and ground). They are made at run time so that the seed corpora
// in the repository stay small.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "criteria_generator.h"
#include "landxml_generator.h"

namespace {

bool Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << '\0' << bytes;
  if (out.flush()) return true;
  std::cerr << "fuzz_seed_generator: cannot write " << path << '\n';
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "Usage: fuzz_seed_generator DIRECTORY [LANDXML_DIRECTORY]\n";
    return 2;
  }
  // The largest file a station count allows stays under the fuzzer's 1 MB input limit.
  const vantrels::bench::RoadShape shapes[] = {{false, 2001, 3}, {true, 2001, 2}, {false, 250, 9},
                                               {true, 120, 31},  {true, 30, 9},   {false, 60, 5}};
  const vantrels::bench::LandXmlShape landxml_shapes[] = {
      {.stations = 120},
      {.metric = true,
       .stations = 300,
       .relative = false,
       .style = vantrels::bench::SectionStyle::kPavementAndTop},
      {.metric = true, .stations = 40, .equations = false, .ground_points = 12}};
  try {
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const vantrels::bench::RoadShape& shape : shapes) {
      if (!Write(dir / vantrels::bench::CriteriaFileName(shape),
                 vantrels::bench::GenerateCriteriaFile(shape))) {
        return 1;
      }
    }
    if (argc == 3) {
      const std::filesystem::path landxml_dir = argv[2];
      std::filesystem::create_directories(landxml_dir);
      for (const vantrels::bench::LandXmlShape& shape : landxml_shapes) {
        if (!Write(landxml_dir / vantrels::bench::LandXmlFileName(shape),
                   vantrels::bench::GenerateLandXml(shape).xml)) {
          return 1;
        }
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "fuzz_seed_generator: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
