#include "book/road.h"

#include <utility>

#include "compute/grade.h"
#include "layout/page.h"

namespace vantrels {

namespace {

// The computations after an import: the book without its pages.
Result<Book> Compute(Result<RoadwayStations> imported, Messages& messages) {
  if (!imported) return imported.failure();
  RoadwayStations stations = CalculateSlopes(std::move(*imported));
  stations = FilterPoints(std::move(stations), messages);
  return BuildReport(std::move(stations), messages);
}

Result<Book> Counted(Result<Book> book, Surface* printer, RoadMemory& memory,
                     Messages& messages) {
  if (!book) return book;
  const Status counted = CountBook(*book, MeasurePrinterPage(printer, memory), messages);
  if (!counted) return counted.failure();
  return book;
}

}  // namespace

Result<Book> ImportAndCompute(const std::string& path, RoadMemory& memory, Messages& messages) {
  return Compute(ImportCriteriaFile(path, memory.import, messages), messages);
}

Result<Book> ImportAndComputeBytes(std::string_view bytes, RoadMemory& memory,
                                   Messages& messages) {
  return Compute(ImportCriteriaBytes(bytes, memory.import, messages), messages);
}

PageGeometry MeasurePrinterPage(Surface* printer, RoadMemory& memory) {
  if (printer) {
    if (const std::optional<PageGeometry> measured = MeasurePage(*printer)) memory.page = *measured;
  }
  return memory.page;
}

Status CountBook(Book& book, PageGeometry page, Messages& messages) {
  book.page = page;
  for (SideBook& side : book.sides) {
    if (Status counted = CountPages(side, page, messages); !counted) return counted;
  }
  return {};
}

Result<Book> BuildBook(const std::string& path, Surface* printer, RoadMemory& memory,
                       Messages& messages) {
  return Counted(ImportAndCompute(path, memory, messages), printer, memory, messages);
}

Result<Book> BuildBookFromBytes(std::string_view bytes, Surface* printer, RoadMemory& memory,
                                Messages& messages) {
  return Counted(ImportAndComputeBytes(bytes, memory, messages), printer, memory, messages);
}

}  // namespace vantrels
