#include "cli/book_render.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "book/book_csv.h"
#include "book/road.h"
#include "book/station_range.h"
#include "book/station_value.h"
#include "layout/page.h"
#include "layout/text_surface.h"
#include "model/cp1252.h"
#include "model/escaped_text.h"
#include "model/output_file.h"
#include "model/text.h"
#include "model/version.h"

namespace vantrels {

namespace {

bool IsSelected(Side side, const BookOptions& options) {
  return !options.side || *options.side == side;
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

// A printer or an output file that fails; the book is not produced.
int PaperFailure(std::ostream& err, const BookOptions& options, const std::string& problem) {
  std::string what = "cannot print on " + EscapedText(options.printer);
  if (options.output == BookOutput::kPdf) what = "cannot write " + EscapedText(options.pdf_file);
  if (options.output == BookOutput::kCsv) what = "cannot write " + EscapedText(options.csv_file);
  err << "vantrels-book: " << what << ": " << problem << '\n' << std::flush;
  return kBookRejected;
}

// An output file that failed: not written, or written but its folder not flushed to disk.
int FileFailure(std::ostream& err, const BookOptions& options, const OutputFile& file,
                const Status& status) {
  if (!file.in_place()) return PaperFailure(err, options, status.failure().message);
  err << "vantrels-book: " << EscapedText(file.target())
      << " is written but not yet safe on disk: its folder could not be flushed: "
      << status.failure().message << '\n'
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

// Creates the output's temporary file, or says why the output is refused.
int OpenOutputFile(OutputFile& file, std::ostream& err, const BookOptions& options) {
  const Status opened = file.Open({options.file});
  if (opened) return kBookProduced;
  if (opened.failure().kind == FailureKind::kUsage) {
    return UsageError(err, "the output " + EscapedText(file.target()) + " is the input file " +
                               EscapedText(options.file) + ": choose another output file");
  }
  return PaperFailure(err, options, opened.failure().message);
}

StationRange RangeOf(const BookOptions& options) {
  return StationRange{options.from_station, options.to_station};
}

bool ByStation(const BookOptions& options) {
  return options.from_station || options.to_station;
}

std::string RangeText(const StationRange& range) {
  if (range.from && range.to) {
    return "from " + FormatStationFeet(*range.from) + " to " + FormatStationFeet(*range.to);
  }
  if (range.from) return "from " + FormatStationFeet(*range.from) + " on";
  return "up to " + FormatStationFeet(range.to.value_or(0));
}

// The range that matches nothing, and the stations the chosen side(s) do hold.
std::string NoStationInRange(const Book& book, const BookOptions& options) {
  std::optional<double> lowest;
  std::optional<double> highest;
  for (const Side side : SelectedSides(book, options)) {
    for (const StationEntry& entry : book.Of(side).station_entries) {
      const std::optional<double> feet = RegionStationFeet(TrimBlanks(entry.station));
      if (!feet) continue;
      if (!lowest || *feet < *lowest) lowest = feet;
      if (!highest || *feet > *highest) highest = feet;
    }
  }
  std::string problem = "no station of " + LowerCase(NamesOf(options.side).message) +
                        " lies in the range " + RangeText(RangeOf(options));
  if (lowest) {
    problem += " (its stations run from " + FormatStationFeet(*lowest) + " to " +
               FormatStationFeet(*highest) + ")";
  }
  return problem;
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
  if (options.side && !divided) {
    return "--side applies only to a divided roadway";
  }
  if (options.pages && divided && !options.side) {
    return "--pages on a divided roadway needs --side";
  }
  if (options.pages) {
    const int32_t pages = book.Of(SelectedSides(book, options).front()).Pages();
    if (options.pages->to > pages) {
      return "--pages " + std::to_string(options.pages->from) + "-" +
             std::to_string(options.pages->to) + " is outside the book's pages 1 to " +
             std::to_string(pages);
    }
  }
  if (ByStation(options) && SelectedPages(book, options).empty()) {
    return NoStationInRange(book, options);
  }
  return {};
}

PageSelection SelectedPages(const Book& book, const BookOptions& options) {
  PageSelection selection;
  for (const Side side : SelectedSides(book, options)) {
    if (!ByStation(options)) {
      selection.push_back(SpanOf(book, side, options));
      continue;
    }
    for (const PageSpan& span : PagesShowingStations(book.Of(side), side, RangeOf(options))) {
      selection.push_back(span);
    }
  }
  return selection;
}

std::string StationListing(const Book& book, const BookOptions& options) {
  const PageSelection selection = SelectedPages(book, options);
  std::string out;
  bool first_book = true;
  for (const Side side : SelectedSides(book, options)) {
    if (!first_book) out += "\f\n";
    first_book = false;
    for (const StationEntry& entry : book.Of(side).station_entries) {
      const bool chosen = std::any_of(selection.begin(), selection.end(), [&](const PageSpan& s) {
        return s.side == side && entry.page >= s.first && entry.page <= s.last;
      });
      if (!chosen) continue;
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
  const bool on_paper = DrawsOnPaper(options.output);
  if ((on_paper || options.output == BookOutput::kListPrinters) && !platform) {
    return UsageError(err,
                      "this vantrels-book was built without printing: only --text, --stations "
                      "and --csv are available");
  }
  if (options.output == BookOutput::kListPrinters) {
    std::string names;
    for (const std::string& name : platform->PrinterNames()) names += name + '\n';
    return WriteOut(out, err, names);
  }

  // The output is checked and the printer chosen before the file is read, so a wrong name or
  // an unwritable path costs no import. Files go to a temporary file until they are complete.
  std::optional<OutputFile> file;
  if (options.output == BookOutput::kPdf) file.emplace(options.pdf_file);
  if (options.output == BookOutput::kCsv && options.csv_file != "-") file.emplace(options.csv_file);
  if (file) {
    if (const int status = OpenOutputFile(*file, err, options); status != kBookProduced) {
      return status;
    }
  }
  std::unique_ptr<Surface> printer;
  TextSurface* text = nullptr;
  if (on_paper) {
    std::string problem;
    printer = platform->OpenPrinter(options, problem);
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
  // Counting has said so: the pages would be headings only.
  if (NoStationFits(book)) return kBookRejected;
  const std::string problem = SelectionError(book, options);
  if (!problem.empty()) return UsageError(err, problem);

  if (options.output == BookOutput::kStations) {
    return WriteOut(out, err, StationListing(book, options));
  }
  if (options.output == BookOutput::kCsv) {
    const std::string csv = BookCsv(book, SelectedSides(book, options));
    if (!file) return WriteOut(out, err, csv);
    Status written = file->Write(csv);
    if (written) written = file->Commit();
    return written ? kBookProduced : FileFailure(err, options, *file, written);
  }
  const BookRenderer book_renderer(book, PageContextOf(options), messages);
  if (file) {
    const Status written =
        platform->WritePdf(book_renderer, SelectedPages(book, options), options, *file);
    return written ? kBookProduced : FileFailure(err, options, *file, written);
  }
  const PrintResult printed = book_renderer.Print(*printer, SelectedPages(book, options));
  if (!printed.printed) return PaperFailure(err, options, printed.failure);
  if (text) return WriteOut(out, err, text->Render());
  return kBookProduced;
}

}  // namespace vantrels
