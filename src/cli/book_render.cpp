#include "cli/book_render.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "book/road.h"
#include "layout/page.h"
#include "layout/text_surface.h"
#include "model/cp1252.h"
#include "model/output_file.h"
#include "model/version.h"

namespace vantrels {

namespace {

bool IsSelected(Side side, const BookOptions& options) {
  return options.side == BookSide::kBoth ||
         (options.side == BookSide::kLeft) == (side == Side::Left);
}

// The side books to put out: the undivided book, or the chosen sides of a divided one.
std::vector<Side> SelectedSides(const Book& book, const BookOptions& options) {
  if (!book.Divided()) return {Side::Left};
  std::vector<Side> sides;
  for (const Side side : {Side::Left, Side::Right}) {
    if (IsSelected(side, options)) sides.push_back(side);
  }
  return sides;
}

// The pages of one side book to put out, zero-based and both included.
PageSpan SpanOf(const Book& book, Side side, const BookOptions& options) {
  if (options.pages) return {side, options.pages->from - 1, options.pages->to - 1};
  return {side, 0, book.Of(side).last_page};
}

// A printer or PDF file that fails; the book is not produced.
int PaperFailure(std::ostream& err, const BookOptions& options, const std::string& problem) {
  err << "vantrels-book: "
      << (options.output == BookOutput::kPdf ? "cannot write " + options.pdf_file
                                             : "cannot print on " + options.printer)
      << ": " << problem << '\n'
      << std::flush;
  return kBookRejected;
}

int UsageError(std::ostream& err, const std::string& problem) {
  err << "vantrels-book: " << problem << '\n' << BookUsage() << std::flush;
  return kBookUsage;
}

// Writes `text` to the standard output and flushes it; a lost write (a full disk, /dev/full, a
// closed stdout) fails the command with the system's reason.
int WriteOut(std::ostream& out, std::ostream& err, const std::string& text) {
  errno = 0;
  out << text << std::flush;
  if (out) return kBookProduced;
  const int error = errno;
  err << "vantrels-book: cannot write the standard output: "
      << (error != 0 ? std::strerror(error) : "write error") << '\n'
      << std::flush;
  return kBookRejected;
}

// Creates the PDF's temporary file, or says why the output is refused.
int OpenPdfFile(OutputFile& pdf, std::ostream& err, const BookOptions& options) {
  if (pdf.Open({options.file})) return kBookProduced;
  if (pdf.failure() == OutputFailure::kSameAsInput) {
    return UsageError(err, "the output " + options.pdf_file + " is the input file " + options.file +
                               ": choose another output file");
  }
  return PaperFailure(err, options, pdf.reason());
}

}  // namespace

void StreamMessages::Show(const std::string& text) {
  out_ << Cp1252ToUtf8(text) << '\n' << std::flush;
}

PreparedBook PrepareBook(Messages& messages, Surface& printer, const BookOptions& options) {
  RoadMemory memory;
  RoadResult road = BuildBook(options.file, &printer, memory, messages);
  PreparedBook prepared;
  switch (road.status) {
    case RoadStatus::kBook:
      prepared.status = kBookProduced;
      prepared.book = std::move(road.book);
      break;
    case RoadStatus::kRejected:
      prepared.status = kBookRejected;
      break;
    case RoadStatus::kProgramEnded:
      prepared.status = kBookEnded;
      break;
  }
  return prepared;
}

PageContext PageContextOf(const BookOptions& options) {
  PageContext context;
  context.project_number = options.project;
  context.heading_date = options.heading_date;
  context.report_font = options.font;
  return context;
}

std::string SelectionError(const Book& book, const BookOptions& options) {
  const bool divided = book.Divided();
  if (options.side != BookSide::kBoth && !divided) {
    return "--side applies only to a divided roadway";
  }
  if (!options.pages) return {};
  if (divided && options.side == BookSide::kBoth) {
    return "--pages on a divided roadway needs --side";
  }
  const int32_t pages = book.Of(SelectedSides(book, options).front()).Pages();
  if (options.pages->to > pages) {
    return "--pages " + std::to_string(options.pages->from) + "-" +
           std::to_string(options.pages->to) + " is outside the book's pages 1 to " +
           std::to_string(pages);
  }
  return {};
}

PageSelection SelectedPages(const Book& book, const BookOptions& options) {
  PageSelection selection;
  for (const Side side : SelectedSides(book, options)) {
    selection.push_back(SpanOf(book, side, options));
  }
  return selection;
}

std::string StationListing(const Book& book, const BookOptions& options) {
  std::string out;
  bool first_book = true;
  for (const Side side : SelectedSides(book, options)) {
    if (!first_book) out += "\f\n";
    first_book = false;
    const PageSpan span = SpanOf(book, side, options);
    for (const StationEntry& entry : book.Of(side).station_entries) {
      if (options.pages && (entry.page < span.first || entry.page > span.last)) continue;
      out += Cp1252ToUtf8(FormatStationEntry(entry));
      out += '\n';
    }
  }
  return out;
}

int BookMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             PrintPlatform* platform) {
  const ParsedOptions parsed = ParseBookOptions(args);
  if (parsed.help) return WriteOut(out, err, BookUsage());
  if (parsed.version) return WriteOut(out, err, std::string("vantrels-book ") + kVersion + '\n');
  if (!parsed.error.empty()) return UsageError(err, parsed.error);
  const BookOptions& options = parsed.options;
  // The parser reads these, but the book cannot act on them yet; ignoring them would print
  // the wrong pages or nothing at all.
  if (options.output == BookOutput::kCsv) return UsageError(err, "--csv is not available yet");
  if (options.from_station || options.to_station) {
    return UsageError(err, "--from-station and --to-station are not available yet");
  }
  const bool on_paper = DrawsOnPaper(options.output);
  if ((on_paper || options.output == BookOutput::kListPrinters) && !platform) {
    return UsageError(err,
                      "this vantrels-book was built without printing: only --text and "
                      "--stations are available");
  }
  if (options.output == BookOutput::kListPrinters) {
    std::string names;
    for (const std::string& name : platform->PrinterNames()) names += name + '\n';
    return WriteOut(out, err, names);
  }

  // The output is checked and the printer chosen before the file is read, so a wrong name or
  // an unwritable path costs no import. The PDF goes to a temporary file until it is complete.
  std::optional<OutputFile> pdf;
  BookOptions printer_options = options;
  if (options.output == BookOutput::kPdf) {
    pdf.emplace(options.pdf_file);
    if (const int status = OpenPdfFile(*pdf, err, options); status != kBookProduced) return status;
    printer_options.pdf_file = pdf->temporary_path();
  }
  std::unique_ptr<Surface> printer;
  TextSurface* text = nullptr;
  if (on_paper) {
    std::string problem;
    printer = platform->OpenPrinter(printer_options, problem);
    if (!printer) return UsageError(err, problem);
    // A page of no size would lay the whole book out on nothing.
    if (!printer->MeasureCells()) {
      return PaperFailure(err, options, "the printer has no printable page");
    }
  } else {
    auto grid = std::make_unique<TextSurface>(options.columns, options.lines);
    text = grid.get();
    printer = std::move(grid);
  }

  StreamMessages messages(err);
  const PreparedBook prepared = PrepareBook(messages, *printer, options);
  if (prepared.status != kBookProduced) return prepared.status;
  const Book& book = *prepared.book;
  const std::string problem = SelectionError(book, options);
  if (!problem.empty()) return UsageError(err, problem);

  if (options.output == BookOutput::kStations) {
    return WriteOut(out, err, StationListing(book, options));
  }
  const PrintResult printed = BookPrinter(book, PageContextOf(options), messages)
                                  .Print(*printer, SelectedPages(book, options));
  if (!printed.printed) {
    if (!pdf) return PaperFailure(err, options, printed.failure);
    // A PDF writer that stops on a failed write knows no more than that: ask the file system.
    pdf->FailIncomplete(printed.failure);
    return PaperFailure(err, options, pdf->reason());
  }
  if (text) return WriteOut(out, err, text->Render());
  if (pdf) {
    // The printer has closed its file: a cut-short document never replaces the target.
    printer.reset();
    const std::string incomplete = platform->IncompleteFile(pdf->temporary_path());
    if (!incomplete.empty()) pdf->FailIncomplete(incomplete);
    if (!pdf->Commit()) return PaperFailure(err, options, pdf->reason());
  }
  return kBookProduced;
}

}  // namespace vantrels
