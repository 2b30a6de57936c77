#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "import/criteria_file.h"
#include "layout/surface.h"
#include "model/book.h"
#include "model/messages.h"

namespace vantrels {

// What one preview leaves for the next: the region station an import read last (a divided
// import that fails before reading a row names it), and the page last measured (kept when the
// printer cannot be measured; 0 x 0 before the first measure). The caller owns it and hands
// the same one to every preview.
struct RoadMemory {
  ImportMemory import;
  PageGeometry page;
};

enum class RoadStatus {
  kBook,
  // The file was rejected or its import failed; its message has been shown. Nothing was
  // computed, so the caller's previous book stays whole.
  kRejected,
  // The divided import's wrong-side stop: the caller ends the program.
  kProgramEnded,
};

struct RoadResult {
  RoadStatus status = RoadStatus::kRejected;
  // Set when status is kBook.
  std::optional<Book> book;
};

// Reads, classifies and imports the criteria file, then orders the points, computes the slopes
// and builds the report: a book whose pages are not counted yet.
RoadResult ImportAndCompute(const std::string& path, RoadMemory& memory, Messages& messages);
// The same over the file's bytes, already read.
RoadResult ImportAndComputeBytes(std::string_view bytes, RoadMemory& memory, Messages& messages);

// The page of the current printer: measured in single precision into memory.page, or the page
// measured last when `printer` is null or cannot be measured.
PageGeometry MeasurePrinterPage(Surface* printer, RoadMemory& memory);

// Lays the book out on `page`: counts every side, left before right.
void CountBook(Book& book, PageGeometry page, Messages& messages);

// True when counting found no station that fits on the book's page (its first band begins too
// low): such a book is blank pages only. Counting has shown its message.
bool NoStationFits(const Book& book);

// The whole headless road of one preview: ImportAndCompute, then the book counted on the page of
// `printer`.
RoadResult BuildBook(const std::string& path, Surface* printer, RoadMemory& memory,
                     Messages& messages);
// The same road with the printer chosen between the computations and the counting: the desktop
// program asks for it there, and only for a file it could read. A null printer keeps the page
// measured last.
RoadResult BuildBook(const std::string& path, const std::function<Surface*()>& choose_printer,
                     RoadMemory& memory, Messages& messages);
RoadResult BuildBookFromBytes(std::string_view bytes, Surface* printer, RoadMemory& memory,
                              Messages& messages);

}  // namespace vantrels
