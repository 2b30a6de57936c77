#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/book.h"
#include "model/units.h"

namespace vantrels {

enum class BookOutput { kNone, kText, kStations, kPdf, kPrinter, kCsv, kListPrinters };

// The book goes through a printer (a PDF file or an installed printer) rather than the text grid.
inline bool DrawsOnPaper(BookOutput output) {
  return output == BookOutput::kPdf || output == BookOutput::kPrinter;
}

// The option that chooses `output`, e.g. "--pdf"; empty for none.
const char* OutputOption(BookOutput output);

// 1-based pages, both included.
struct PageRange {
  int from = 0;
  int to = 0;
  bool operator==(const PageRange&) const = default;
};

struct BookOptions {
  // Windows-1252, as the page heading is drawn.
  std::string project;
  // "mm dd yyyy"; empty means today.
  std::string heading_date;
  double columns = 96;
  double lines = 63;
  // --side; nullopt: both sides of a divided roadway.
  std::optional<Side> side;
  std::optional<PageRange> pages;
  // --from-station and --to-station in feet (see StationFeet); an end left out is open.
  std::optional<double> from_station;
  std::optional<double> to_station;
  BookOutput output = BookOutput::kNone;
  // File names are the bytes given on the command line, whatever their encoding.
  std::string file;
  // --pdf: the file written and its paper (quarter-inch margins).
  std::string pdf_file;
  Paper paper = Paper::Letter;
  // --printer: the installed printer's device name.
  std::string printer;
  std::string font = "Courier New";
  // --csv: the spreadsheet file written; "-" is stdout.
  std::string csv_file;

  bool operator==(const BookOptions&) const = default;
};

struct ParsedOptions {
  BookOptions options;
  bool help = false;
  bool version = false;
  // Empty when the command line is valid; one line of text.
  std::string error;

  bool operator==(const ParsedOptions&) const = default;
};

// Reads the arguments in order; the first that makes the command line wrong gives the error,
// and --help or --version after a valid beginning wins over whatever follows it.
ParsedOptions ParseBookOptions(const std::vector<std::string>& args);

std::string BookUsage();

}  // namespace vantrels
