#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compute/import_stations.h"
#include "import/criteria_file.h"
#include "layout/surface.h"
#include "model/book.h"
#include "model/messages.h"
#include "model/result.h"

namespace vantrels {

// What one preview leaves for the next: the region station an import read last (a divided
// import that fails before reading a row names it), and the page last measured (kept when the
// printer cannot be measured; 0 x 0 before the first measure). The caller owns it and hands
// the same one to every preview.
struct RoadMemory {
  ImportMemory import;
  PageGeometry page;
};

// A book and what its import decided on the way.
struct ImportedBook {
  Book book;
  // The kind of file the book was made from.
  InputKind kind = InputKind::kCriteriaReport;
  // For a LandXML file, one line each on the alignment, the elevation rule applied and the
  // ground line (Windows-1252): the command line prints them on stderr, the desktop program
  // shows them in its status line. None for a criteria report.
  std::vector<std::string> notes;
};

// Reads the file, tells a criteria report from a LandXML file by its content and imports it
// (a LandXML file as `choices` say; a criteria report needs none of them), then orders the
// points, computes the slopes and builds the report: a book whose pages are not counted yet. A
// failure (kRejected; kUsage for a LandXML choice that does not fit the file; kProgramEnded for
// the divided import's wrong-side stop; whatever choose_alignment gave) computed nothing, so
// the caller's previous book stays whole.
Result<ImportedBook> ImportAndCompute(const std::string& path, const ImportChoices& choices,
                                      RoadMemory& memory, Messages& messages);
// The same over the file's bytes, already read.
Result<ImportedBook> ImportAndComputeBytes(std::string_view bytes, const ImportChoices& choices,
                                           RoadMemory& memory, Messages& messages);

// The page of the current printer: measured in single precision into memory.page, or the page
// measured last when `printer` is null or cannot be measured.
PageGeometry MeasurePrinterPage(Surface* printer, RoadMemory& memory);

// Lays the book out on `page`: counts every side, left before right. Fails when the book cannot
// be laid out on that page (no station fits).
Status CountBook(Book& book, PageGeometry page, Messages& messages);

// What the import made of the file, for a status line: "2001 stations read", and when it passed
// lines over, "; 3 lines not used: lines 10, 14, 17" (the first ten numbers, then "and 5 more").
std::string ReadSummary(const Book& book);

// One warning per line the import passed over, "line 10 not used: the side is \"left\", not
// \"LEFT\"", for the first ten, then "5 more lines not used". Windows-1252.
std::vector<std::string> UnusedLineWarnings(const UnusedLines& unused);

// The whole headless road of one preview, for the command line and the desktop program alike:
// ImportAndCompute, then the book counted on the page of `printer`.
Result<ImportedBook> BuildBook(const std::string& path, const ImportChoices& choices,
                               Surface* printer, RoadMemory& memory, Messages& messages);
// The same road with the printer chosen between the computations and the counting: the desktop
// program asks for it there, and only for a file it could read. A null printer keeps the page
// measured last.
Result<ImportedBook> BuildBook(const std::string& path, const ImportChoices& choices,
                               const std::function<Surface*()>& choose_printer, RoadMemory& memory,
                               Messages& messages);
Result<ImportedBook> BuildBookFromBytes(std::string_view bytes, const ImportChoices& choices,
                                        Surface* printer, RoadMemory& memory, Messages& messages);

}  // namespace vantrels
