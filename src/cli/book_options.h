#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrels {

enum class BookOutput { kNone, kText, kStations, kPdf, kPrinter, kListPrinters };
enum class BookSide { kBoth, kLeft, kRight };
enum class BookPaper { kLetter, kA4, kLegal };

// The book goes through a printer (a PDF file or an installed printer) rather than the text grid.
inline bool DrawsOnPaper(BookOutput output) {
  return output == BookOutput::kPdf || output == BookOutput::kPrinter;
}

// 1-based pages, both included.
struct PageRange {
  int from = 0;
  int to = 0;
};

struct BookOptions {
  std::string project;
  // "mm dd yyyy"; empty means today.
  std::string heading_date;
  double columns = 96;
  double lines = 63;
  BookSide side = BookSide::kBoth;
  std::optional<PageRange> pages;
  BookOutput output = BookOutput::kNone;
  std::string file;
  // --pdf: the file written and its paper (quarter-inch margins).
  std::string pdf_file;
  BookPaper paper = BookPaper::kLetter;
  // --printer: the installed printer's device name.
  std::string printer;
  std::string font = "Courier New";
};

struct ParsedOptions {
  BookOptions options;
  bool help = false;
  bool version = false;
  // Empty when the command line is valid.
  std::string error;
};

ParsedOptions ParseBookOptions(const std::vector<std::string>& args);

std::string BookUsage();

}  // namespace vantrels
