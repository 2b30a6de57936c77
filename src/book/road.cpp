#include "book/road.h"

#include <utility>

#include "compute/grade.h"
#include "layout/page.h"

namespace vantrels {

RoadResult ImportAndCompute(const std::string& path, RoadMemory& memory, Messages& messages) {
  ImportResult imported = ImportCriteriaFile(path, memory.import, messages);
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

RoadResult BuildBook(const std::string& path, Surface* printer, RoadMemory& memory,
                     Messages& messages) {
  RoadResult result = ImportAndCompute(path, memory, messages);
  if (result.book) CountBook(*result.book, MeasurePrinterPage(printer, memory), messages);
  return result;
}

}  // namespace vantrels
