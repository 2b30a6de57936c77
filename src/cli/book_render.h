#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "book/book_printer.h"
#include "cli/book_options.h"
#include "layout/page.h"
#include "layout/surface.h"
#include "model/book.h"
#include "model/messages.h"

namespace vantrels {

// Exit statuses of vantrels-book.
inline constexpr int kBookProduced = 0;
inline constexpr int kBookRejected = 1;
inline constexpr int kBookUsage = 2;
inline constexpr int kBookEnded = 3;

// Messages on a stream, one per line, decoded from Windows-1252. The wrong-side stop needs
// nothing here: the road reports it and the command exits with kBookEnded.
class StreamMessages : public Messages {
 public:
  explicit StreamMessages(std::ostream& out) : out_(out) {}
  void Show(const std::string& text) override;
  void EndProgram() override {}

 private:
  std::ostream& out_;
};

// The counted book of options.file, laid out on the page of `printer`: kBookProduced with the
// book, kBookRejected or kBookEnded (the divided import's wrong-side stop).
struct PreparedBook {
  int status = kBookRejected;
  std::optional<Book> book;
};
PreparedBook PrepareBook(Messages& messages, Surface& printer, const BookOptions& options);

// The heading texts and face of the options.
PageContext PageContextOf(const BookOptions& options);

// Why the side and page choice does not fit the counted book; empty when it does.
std::string SelectionError(const Book& book, const BookOptions& options);

// The chosen pages: every page of the chosen side(s), or options.pages of the one side.
PageSelection SelectedPages(const Book& book, const BookOptions& options);

// The go-to-station lists of the chosen side(s) and pages, UTF-8, one entry per line; the two
// lists of a divided roadway are separated by a line "\f".
std::string StationListing(const Book& book, const BookOptions& options);

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
