#include "book/road.h"

#include <utility>

#include "compute/grade.h"
#include "layout/page.h"

namespace vantrels {

namespace {

// The computations after an import: the book without its pages.
Result<ImportedBook> Compute(Result<ImportedStations> imported, Messages& messages) {
  if (!imported) return imported.failure();
  RoadwayStations stations = CalculateSlopes(std::move(imported->stations));
  stations = FilterPoints(std::move(stations), messages);
  return ImportedBook{BuildReport(std::move(stations), messages), imported->kind,
                      std::move(imported->notes)};
}

Result<ImportedBook> Counted(Result<ImportedBook> road, Surface* printer, RoadMemory& memory,
                             Messages& messages) {
  if (!road) return road;
  const Status counted = CountBook(road->book, MeasurePrinterPage(printer, memory), messages);
  if (!counted) return counted.failure();
  return road;
}

}  // namespace

Result<ImportedBook> ImportAndCompute(const std::string& path, const ImportChoices& choices,
                                      RoadMemory& memory, Messages& messages) {
  return Compute(ImportStationsFromFile(path, choices, memory.import, messages), messages);
}

Result<ImportedBook> ImportAndComputeBytes(std::string_view bytes, const ImportChoices& choices,
                                           RoadMemory& memory, Messages& messages) {
  return Compute(ImportStations(bytes, choices, memory.import, messages), messages);
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

Result<ImportedBook> BuildBook(const std::string& path, const ImportChoices& choices,
                               Surface* printer, RoadMemory& memory, Messages& messages) {
  return Counted(ImportAndCompute(path, choices, memory, messages), printer, memory, messages);
}

Result<ImportedBook> BuildBook(const std::string& path, const ImportChoices& choices,
                               const std::function<Surface*()>& choose_printer, RoadMemory& memory,
                               Messages& messages) {
  Result<ImportedBook> road = ImportAndCompute(path, choices, memory, messages);
  if (!road) return road;
  return Counted(std::move(road), choose_printer(), memory, messages);
}

Result<ImportedBook> BuildBookFromBytes(std::string_view bytes, const ImportChoices& choices,
                                        Surface* printer, RoadMemory& memory,
                                        Messages& messages) {
  return Counted(ImportAndComputeBytes(bytes, choices, memory, messages), printer, memory,
                 messages);
}

}  // namespace vantrels
