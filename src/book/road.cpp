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

std::string ReadSummary(const Book& book) {
  const size_t stations = book.sides.empty() ? 0 : book.sides.front().report.size();
  std::string summary = std::to_string(stations) + (stations == 1 ? " station" : " stations") +
                        " read";
  const UnusedLines& unused = book.unused_lines;
  if (unused.count == 0) return summary;
  summary += "; " + std::to_string(unused.count) + (unused.count == 1 ? " line" : " lines") +
             " not used: " + (unused.count == 1 ? "line " : "lines ");
  for (size_t n = 0; n < unused.first.size(); ++n) {
    summary += (n > 0 ? ", " : "") + std::to_string(unused.first[n].line);
  }
  const int64_t more = unused.count - static_cast<int64_t>(unused.first.size());
  if (more > 0) summary += " and " + std::to_string(more) + " more";
  return summary;
}

std::vector<std::string> UnusedLineWarnings(const UnusedLines& unused) {
  std::vector<std::string> warnings;
  for (const UnusedLine& line : unused.first) {
    warnings.push_back("line " + std::to_string(line.line) + " not used: " + line.reason);
  }
  const int64_t more = unused.count - static_cast<int64_t>(unused.first.size());
  if (more > 0) {
    warnings.push_back(std::to_string(more) + (more == 1 ? " more line" : " more lines") +
                       " not used");
  }
  return warnings;
}

Result<Book> BuildBook(const std::string& path, Surface* printer, RoadMemory& memory,
                       Messages& messages) {
  return Counted(ImportAndCompute(path, memory, messages), printer, memory, messages);
}

Result<Book> BuildBook(const std::string& path, const std::function<Surface*()>& choose_printer,
                       RoadMemory& memory, Messages& messages) {
  Result<Book> book = ImportAndCompute(path, memory, messages);
  if (!book) return book;
  return Counted(std::move(book), choose_printer(), memory, messages);
}

Result<Book> BuildBookFromBytes(std::string_view bytes, Surface* printer, RoadMemory& memory,
                                Messages& messages) {
  return Counted(ImportAndComputeBytes(bytes, memory, messages), printer, memory, messages);
}

}  // namespace vantrels
