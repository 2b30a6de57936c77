#include "book/road.h"

#include <utility>

#include "compute/grade.h"
#include "layout/page.h"

namespace vantrels {

namespace {

// The computations after an import: the book without its pages.
RoadResult Compute(ImportResult imported, Messages& messages) {
  RoadResult result;
  switch (imported.status) {
    case ImportStatus::kImported:
      break;
    case ImportStatus::kRejected:
      return result;
    case ImportStatus::kProgramEnded:
      result.status = RoadStatus::kProgramEnded;
      return result;
  }
  RoadwayStations stations = CalculateSlopes(std::move(imported.stations));
  stations = FilterPoints(std::move(stations), messages);
  result.book = BuildReport(std::move(stations), messages);
  result.status = RoadStatus::kBook;
  return result;
}

RoadResult Counted(RoadResult result, Surface* printer, RoadMemory& memory, Messages& messages) {
  if (result.book) CountBook(*result.book, MeasurePrinterPage(printer, memory), messages);
  return result;
}

}  // namespace

RoadResult ImportAndCompute(const std::string& path, RoadMemory& memory, Messages& messages) {
  return Compute(ImportCriteriaFile(path, memory.import, messages), messages);
}

RoadResult ImportAndComputeBytes(std::string_view bytes, RoadMemory& memory, Messages& messages) {
  return Compute(ImportCriteriaBytes(bytes, memory.import, messages), messages);
}

PageGeometry MeasurePrinterPage(Surface* printer, RoadMemory& memory) {
  if (printer) {
    if (const std::optional<PageGeometry> measured = MeasurePage(*printer)) memory.page = *measured;
  }
  return memory.page;
}

void CountBook(Book& book, PageGeometry page, Messages& messages) {
  book.page = page;
  for (SideBook& side : book.sides) CountPages(side, page, messages);
}

bool NoStationFits(const Book& book) {
  for (const SideBook& side : book.sides) {
    // The first page made no progress: the page after it begins where it began.
    if (!side.report.empty() && side.page_starts.size() > 1 &&
        side.page_starts[1] == side.page_starts[0]) {
      return true;
    }
  }
  return false;
}

RoadResult BuildBook(const std::string& path, Surface* printer, RoadMemory& memory,
                     Messages& messages) {
  return Counted(ImportAndCompute(path, memory, messages), printer, memory, messages);
}

RoadResult BuildBook(const std::string& path, const std::function<Surface*()>& choose_printer,
                     RoadMemory& memory, Messages& messages) {
  RoadResult road = ImportAndCompute(path, memory, messages);
  if (!road.book) return road;
  return Counted(std::move(road), choose_printer(), memory, messages);
}

RoadResult BuildBookFromBytes(std::string_view bytes, Surface* printer, RoadMemory& memory,
                              Messages& messages) {
  return Counted(ImportAndComputeBytes(bytes, memory, messages), printer, memory, messages);
}

}  // namespace vantrels
