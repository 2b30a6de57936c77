// Writes the benchmark inputs into a directory: undivided and divided files of 2001 stations
// with 3, 9 and 31 points, and the 9-point files of 250, 500 and 1000 stations; the LandXML
// benchmark files of 2001 cross sections (12 design points, 7 or 12 of them finished grade) with
// their criteria peers (the same finished-grade points), and Civil 3D-like (feet, relative) and
// J-LandXML-like (metres, absolute) files of 200.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "compute/import_stations.h"
#include "criteria_generator.h"
#include "criteria_peer.h"
#include "landxml_generator.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) {
    std::cerr << "vantrels-bench-generate: cannot write " << path << '\n';
    return false;
  }
  std::cout << path.string() << '\n';
  return true;
}

bool WriteLandXmlFiles(const std::filesystem::path& dir) {
  using vantrels::bench::LandXmlShape;
  using vantrels::bench::SectionStyle;
  for (const LandXmlShape& shape :
       {LandXmlShape{.stations = 2001, .style = SectionStyle::kPavementAndTop},
        LandXmlShape{.stations = 2001, .style = SectionStyle::kOpenLinks},
        LandXmlShape{.stations = 200},
        LandXmlShape{.metric = true, .stations = 200, .relative = false}}) {
    const std::string xml = vantrels::bench::GenerateLandXml(shape).xml;
    const std::filesystem::path path = dir / vantrels::bench::LandXmlFileName(shape);
    if (!WriteFile(path, xml)) return false;
    if (shape.style == SectionStyle::kCivil3d) continue;
    vantrels::ImportMemory memory;
    vantrels::RecordingMessages messages;
    const auto imported = vantrels::ImportStations(xml, {}, memory, messages);
    if (!imported) throw std::runtime_error(imported.failure().message);
    std::filesystem::path peer = path;
    peer.replace_extension("peer.csv");
    if (!WriteFile(peer, vantrels::bench::CriteriaFileOf(imported->stations.sides.at(0))))
      return false;
  }
  return true;
}

}  // namespace

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
          if (!WriteFile(path, vantrels::bench::GenerateCriteriaFile(shape))) return 1;
        }
      }
    }
    if (!WriteLandXmlFiles(dir)) return 1;
  } catch (const std::exception& e) {
    std::cerr << "vantrels-bench-generate: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
