#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/book_options.h"
#include "layout/surface.h"
#include "model/messages.h"
#include "model/store.h"

namespace vantrels {

// Exit statuses of vantrels-book.
inline constexpr int kBookProduced = 0;
inline constexpr int kBookRejected = 1;
inline constexpr int kBookUsage = 2;
inline constexpr int kBookEnded = 3;

// Messages on a stream, one per line, decoded from Windows-1252.
class StreamMessages : public Messages {
 public:
  explicit StreamMessages(std::ostream& out) : out_(out) {}
  void Show(const std::string& text) override;
  void EndProgram() override { ended = true; }
  bool ended = false;

 private:
  std::ostream& out_;
};

// Sets up the store as the main window does, with `printer` as the current printer, and runs
// the headless road: import, computations and page counting. Returns kBookProduced,
// kBookRejected or kBookEnded (the divided import's wrong-side stop).
int PrepareBook(Store& store, Messages& messages, Surface& printer, const BookOptions& options);

// Why the side and page choice does not fit the counted book; empty when it does.
std::string SelectionError(const Store& store, const BookOptions& options);

// Draws the chosen pages on the printer, heading and body, a new page after each, and ends
// the document. Divided roadways: left pages before right pages.
void PrintBook(Store& store, Messages& messages, Surface& printer, const BookOptions& options);

// The go-to-station lists of the chosen side(s) and pages, UTF-8, one entry per line; the two
// lists of a divided roadway are separated by a line "\f".
std::string StationListing(const Store& store, const BookOptions& options);

// The printers of the platform for --pdf, --printer and --list-printers. The core-only program
// has none and refuses those options.
class PrintPlatform {
 public:
  virtual ~PrintPlatform() = default;
  // Installed printers in the platform's order, then the built-in PDF entry.
  virtual std::vector<std::string> PrinterNames() = 0;
  // The printer surface for options.pdf_file or options.printer; nullptr with `problem` set
  // when there is no such printer.
  virtual std::unique_ptr<Surface> OpenPrinter(const BookOptions& options,
                                               std::string& problem) = 0;
  // After the document has ended: why the file the printer wrote at `path` is not a whole
  // document (its writer may not report a full disk); empty when it is.
  virtual std::string IncompleteFile(const std::string& /*path*/) { return {}; }
};

// The whole command: parses args, writes the book or the lists to `out`, messages and usage
// to `err`, and returns the exit status. A PDF file is written whole or not at all; a failed
// write to `out` is a failure (status 1) with its reason on `err`.
int BookMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             PrintPlatform* platform = nullptr);

}  // namespace vantrels
