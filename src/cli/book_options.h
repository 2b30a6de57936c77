#pragma once

#include <optional>
#include <string>
#include <vector>

#include "book/stakeout.h"
#include "model/book.h"
#include "model/result.h"
#include "model/units.h"

namespace vantrels {

// In the order that messages list them.
enum class BookOutput { kNone, kText, kStations, kPdf, kPrinter, kCsv, kStakeout, kListPrinters };

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
  // --from-station and --to-station as values (see StationValue); an end left out is open.
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
  // --stakeout: the stake-out file written ("-" is stdout) and its format.
  std::string stakeout_file;
  StakeoutFormat stakeout_format = StakeoutFormat::kTbc;

  bool operator==(const BookOptions&) const = default;
};

// What the command line asks for: a book, or one of the texts about the program.
enum class BookRequest { kBook, kHelp, kVersion };

struct ParsedOptions {
  BookOptions options;
  BookRequest request = BookRequest::kBook;

  bool operator==(const ParsedOptions&) const = default;
};

// Reads the arguments once, in order, against the option table; the first argument that makes
// the command line wrong gives the usage error (one line), and --help or --version after a
// valid beginning wins over whatever follows it. Not reentrant (getopt_long's state).
Result<ParsedOptions> ParseBookOptions(const std::vector<std::string>& args);

// The run needs Qt's printers: vantrels-book hands it to vantrels-book-print.
bool NeedsPrinting(const ParsedOptions& parsed);

// The --help text.
std::string BookUsage();

// The stake-out format's name on the command line: "tbc", "civil3d".
const char* StakeoutFormatName(StakeoutFormat format);

}  // namespace vantrels
