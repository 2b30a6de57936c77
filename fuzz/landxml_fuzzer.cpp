// Feeds arbitrary bytes to the LandXML reader and, when they read, on through the book's
// stations, the grade computations and page counting. The first byte is a control byte: bits
// 0-1 the elevation rule (auto, absolute, relative), bit 2 asks for the ground line "EG" by name,
// bit 3 for the alignment "A"; the remaining bytes are the file. Aborts when a failure is not
// one line naming what failed, or a book breaks what the book's limits promise.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "book/road.h"
#include "compute/grade.h"
#include "compute/landxml_stations.h"
#include "import/landxml_reader.h"

namespace {

using namespace vantrels;

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
  std::abort();
}

void CheckFailure(const Failure& failure, bool from_reader) {
  const std::string& text = failure.message;
  if (text.empty() || text.find_first_of("\r\n") != std::string::npos)
    Broken("a failure is not one line: " + text);
  if (failure.kind != FailureKind::kRejected && failure.kind != FailureKind::kUsage)
    Broken("a failure of an unexpected kind: " + text);
  if (from_reader && (text.rfind("LandXML line ", 0) != 0 || text.find(": ") == std::string::npos))
    Broken("a reader failure names no line: " + text);
}

void CheckStations(const ImportedStations& imported) {
  if (imported.stations.sides.size() != 1 || imported.notes.size() != 3)
    Broken("not one roadway with its three notes");
  const Stations& stations = imported.stations.sides[0];
  if (stations.size() > static_cast<size_t>(kMaxStations))
    Broken("more stations than a book holds");
  for (const StationRecord& station : stations) {
    if (station.points.size() > static_cast<size_t>(kMaxPoints))
      Broken("more points than a station holds at " + station.region_station);
    double last = -INFINITY;
    for (const Point& point : station.points) {
      const std::optional<double> offset = ParseNumber(point.offset);
      if (!offset || !ParseNumber(point.elevation)) Broken("a number the book cannot read");
      if (*offset < last) Broken("points out of order at " + station.region_station);
      last = *offset;
      if (point.cut_fill && !std::isfinite(*point.cut_fill)) Broken("cut or fill not finite");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  ImportChoices choices;
  choices.elevations = static_cast<ElevationMode>((data[0] & 3) % 3);
  if (data[0] & 4) choices.ground = "EG";
  if (data[0] & 8) choices.alignment = "A";
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  const Result<LandXmlFile> file = ReadLandXml(bytes);
  if (!file) {
    CheckFailure(file.failure(), true);
    return 0;
  }
  Result<ImportedStations> imported = StationsFromLandXml(*file, choices);
  if (!imported) {
    CheckFailure(imported.failure(), false);
    return 0;
  }
  CheckStations(*imported);
  RecordingMessages messages;
  Book book =
      BuildReport(FilterPoints(CalculateSlopes(std::move(imported->stations)), messages), messages);
  // Every station of at most 31 points fits the standard page.
  if (const Status counted = CountBook(book, PageGeometry{96, 63}, messages); !counted) {
    Broken("the book was not counted: " + counted.failure().message);
  }
  if (!messages.shown.empty()) Broken("the road showed a message: " + messages.shown[0]);
  return 0;
}
