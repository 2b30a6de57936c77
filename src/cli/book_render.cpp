#include "cli/book_render.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <exception>
#include <optional>
#include <string_view>

#include "book/road.h"
#include "layout/page.h"
#include "layout/text_surface.h"
#include "model/cp1252.h"
#include "model/output_file.h"
#include "model/version.h"

namespace vantrels {

namespace {

bool IsDivided(const Store& store) {
  std::string type = store.RoadwayType;
  for (char& c : type) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return type == "DIVIDED";
}

// Passes messages on and notes whether the program was ended.
class EndWatch : public Messages {
 public:
  explicit EndWatch(Messages& inner) : inner_(inner) {}
  void Show(const std::string& text) override { inner_.Show(text); }
  void EndProgram() override {
    ended = true;
    inner_.EndProgram();
  }
  bool ended = false;

 private:
  Messages& inner_;
};

struct SideBook {
  const char* side;  // CurrentSide while drawing; empty for an undivided roadway
  int32_t last_page;
  const std::vector<std::string>* stations;
};

std::vector<SideBook> SelectedBooks(const Store& store, const BookOptions& options) {
  if (!IsDivided(store)) return {{"", store.UndividedLastPage, &store.StationList}};
  std::vector<SideBook> books;
  if (options.side != BookSide::kRight) {
    books.push_back({"LeftSide", store.LeftLastPage, &store.StationList});
  }
  if (options.side != BookSide::kLeft) {
    books.push_back({"RightSide", store.RightLastPage, &store.StationListRight});
  }
  return books;
}

// The pages of one book to put out, zero-based and both included.
std::pair<int32_t, int32_t> PageSpan(const SideBook& book, const BookOptions& options) {
  if (options.pages) return {options.pages->from - 1, options.pages->to - 1};
  return {0, book.last_page};
}

std::optional<int> EntryPage(std::string_view entry) {
  int page = 0;
  const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), page);
  if (error != std::errc() || end == entry.data()) return std::nullopt;
  return page;
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

int PrepareBook(Store& store, Messages& messages, Surface& printer, const BookOptions& options) {
  InitialiseStore(store);
  for (PageTable* table :
       {&store.UndividedPageStarts, &store.LeftPageStarts, &store.RightPageStarts}) {
    (*table)[0] = "0:0";
  }
  store.Printer = &printer;
  store.InputFilePath = options.file;
  store.ProjectNumber = options.project;
  store.HeadingDate = options.heading_date;
  store.ReportFontName = options.font;
  EndWatch watch(messages);
  const bool counted = RunHeadlessRoad(store, watch);
  if (watch.ended || store.ProgramEnded) return kBookEnded;
  return counted ? kBookProduced : kBookRejected;
}

std::string SelectionError(const Store& store, const BookOptions& options) {
  const bool divided = IsDivided(store);
  if (options.side != BookSide::kBoth && !divided) {
    return "--side applies only to a divided roadway";
  }
  if (!options.pages) return {};
  if (divided && options.side == BookSide::kBoth) {
    return "--pages on a divided roadway needs --side";
  }
  const int32_t pages = SelectedBooks(store, options).front().last_page + 1;
  if (options.pages->to > pages) {
    return "--pages " + std::to_string(options.pages->from) + "-" +
           std::to_string(options.pages->to) + " is outside the book's pages 1 to " +
           std::to_string(pages);
  }
  return {};
}

void PrintBook(Store& store, Messages& messages, Surface& printer, const BookOptions& options) {
  for (const SideBook& book : SelectedBooks(store, options)) {
    const auto [first, last] = PageSpan(book, options);
    for (int32_t page = first; page <= last; ++page) {
      if (*book.side) store.CurrentSide = book.side;
      store.CurrentPage = page;
      PrintQMTForm(store, messages, printer);
      ToPrintAllForms(store, messages, printer);
      printer.NewPage();
    }
  }
  printer.EndDoc();
}

std::string StationListing(const Store& store, const BookOptions& options) {
  std::string out;
  bool first_book = true;
  for (const SideBook& book : SelectedBooks(store, options)) {
    if (!first_book) out += "\f\n";
    first_book = false;
    const auto [first, last] = PageSpan(book, options);
    for (const std::string& entry : *book.stations) {
      const std::optional<int> page = EntryPage(entry);
      if (options.pages && (!page || *page - 1 < first || *page - 1 > last)) continue;
      out += Cp1252ToUtf8(entry);
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
  Store store;
  const int status = PrepareBook(store, messages, *printer, options);
  if (status != kBookProduced) return status;
  const std::string problem = SelectionError(store, options);
  if (!problem.empty()) return UsageError(err, problem);

  if (options.output == BookOutput::kStations) {
    return WriteOut(out, err, StationListing(store, options));
  }
  try {
    PrintBook(store, messages, *printer, options);
  } catch (const std::exception& e) {
    if (!pdf) return PaperFailure(err, options, e.what());
    // A PDF writer that stops on a failed write knows no more than that: ask the file system.
    pdf->FailIncomplete(e.what());
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
