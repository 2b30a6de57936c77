#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "book/book_renderer.h"
#include "book/road.h"
#include "cli/book_options.h"
#include "cli/book_selection.h"
#include "layout/page.h"
#include "layout/surface.h"
#include "model/book.h"
#include "model/messages.h"
#include "model/output_file.h"
#include "model/result.h"

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

 private:
  std::ostream& out_;
};

// The counted book of options.file, laid out on the page of `printer`, with the import's notes.
// A failure (kRejected, or kProgramEnded for the divided import's wrong-side stop) has had its
// message shown; a usage error (a LandXML choice that does not fit the file) keeps it, in
// UTF-8, for the usage line.
Result<ImportedBook> PrepareBook(Messages& messages, Surface& printer, const BookOptions& options);

// The heading texts and face of the options.
PageContext PageContextOf(const BookOptions& options);

// The printers of the platform for --pdf, --printer and --list-printers. The core-only program
// has none and refuses those options.
class PrintPlatform {
 public:
  virtual ~PrintPlatform() = default;
  // Installed printers in the platform's order, then the built-in PDF entry.
  virtual std::vector<std::string> PrinterNames() = 0;
  // The printer surface of options.printer, or for --pdf one that measures the page of
  // options.paper; a usage error when there is no such printer.
  virtual Result<std::unique_ptr<Surface>> OpenPrinter(const BookOptions& options) = 0;
  // Writes `selection`'s pages as the PDF file of the options into `output` (opened, with the
  // bookmarks and the title) and commits it; the failure's message is the reason alone.
  virtual Status WritePdf(const BookRenderer& printer, const PageSelection& selection,
                          const BookOptions& options, OutputFile& output) = 0;
};

// The whole command on parsed options: writes the book or the lists to `out`, messages to
// `err`, and returns the exit status. A usage error is its line and a pointer to --help. Files
// are written whole or not at all; a failed write to `out` is a failure (status 1) with its
// reason. `out_fd` is the descriptor `out` writes to (-1: none), so that it is never the input.
int RunBookCommand(const Result<ParsedOptions>& parsed, std::ostream& out, std::ostream& err,
                   PrintPlatform* platform = nullptr, int out_fd = -1);

// ParseBookOptions, then RunBookCommand.
int BookMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             PrintPlatform* platform = nullptr);

}  // namespace vantrels
