// The road of one preview in a process of its own, for its peak memory: reads the file named on
// the command line (a criteria report or a LandXML file, by the one import entry), makes and
// counts the book on a 96 x 63 page, and prints the pages and the peak resident memory. It
// stands in for vantrels-book --text, which takes LandXML files once the command line reads them.
#include <sys/resource.h>

#include <cstdio>
#include <utility>

#include "book/road.h"
#include "compute/grade.h"
#include "compute/import_stations.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: vantrels-book-road-probe FILE\n");
    return 2;
  }
  using namespace vantrels;
  ImportMemory memory;
  RecordingMessages messages;
  Result<ImportedStations> imported = ImportStationsFromFile(argv[1], {}, memory, messages);
  if (!imported) {
    std::fprintf(stderr, "%s\n", imported.failure().message.c_str());
    return 1;
  }
  Book book =
      BuildReport(FilterPoints(CalculateSlopes(std::move(imported->stations)), messages), messages);
  if (!CountBook(book, PageGeometry{96, 63}, messages)) return 1;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%d pages, peak resident memory %ld kB\n", book.sides.at(0).Pages(), usage.ru_maxrss);
  return 0;
}
