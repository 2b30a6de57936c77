#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "book/book_renderer.h"
#include "cli/book_options.h"
#include "layout/page.h"
#include "layout/surface.h"
#include "model/book.h"
#include "model/messages.h"
#include "model/output_file.h"

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

// Why the side, page and station choice does not fit the counted book; empty when it does.
std::string SelectionError(const Book& book, const BookOptions& options);

// The chosen pages: every page of the chosen side(s), options.pages of the one side, or the
// pages of the chosen side(s) that show a station of the station range.
PageSelection SelectedPages(const Book& book, const BookOptions& options);

// The go-to-station lists of the chosen side(s), UTF-8, one entry per line, each the entries of
// the chosen pages; the two lists of a divided roadway are separated by a line "\f".
std::string StationListing(const Book& book, const BookOptions& options);

// The printers of the platform for --pdf, --printer and --list-printers. The core-only program
// has none and refuses those options.
class PrintPlatform {
 public:
  virtual ~PrintPlatform() = default;
  // Installed printers in the platform's order, then the built-in PDF entry.
  virtual std::vector<std::string> PrinterNames() = 0;
  // The printer surface of options.printer, or for --pdf one that measures the page of
  // options.paper; nullptr with `problem` set when there is no such printer.
  virtual std::unique_ptr<Surface> OpenPrinter(const BookOptions& options,
                                               std::string& problem) = 0;
  // Writes `selection`'s pages as the PDF file of the options into `output` (opened, with the
  // bookmarks and the title) and commits it.
  virtual Status WritePdf(const BookRenderer& printer, const PageSelection& selection,
                          const BookOptions& options, OutputFile& output) = 0;
};

// The whole command: parses args, writes the book or the lists to `out`, messages and usage
// to `err`, and returns the exit status. A PDF file is written whole or not at all; a failed
// write to `out` is a failure (status 1) with its reason on `err`.
int BookMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             PrintPlatform* platform = nullptr);

}  // namespace vantrels
