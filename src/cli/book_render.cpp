#include "cli/book_render.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

#include "book/book_csv.h"
#include "book/road.h"
#include "book/stakeout.h"
#include "cli/option_values.h"
#include "import/landxml_text.h"
#include "layout/text_surface.h"
#include "model/cp1252.h"
#include "model/user_text.h"
#include "model/version.h"

namespace vantrels {

namespace {

// The file an output writes, "-" for the standard output; empty for the others.
const std::string& OutputPath(const BookOptions& options) {
  static const std::string none;
  switch (options.output) {
    case BookOutput::kPdf:
      return options.pdf_file;
    case BookOutput::kCsv:
      return options.csv_file;
    case BookOutput::kStakeout:
      return options.stakeout_file;
    default:
      return none;
  }
}

bool WritesStandardOutput(const BookOptions& options) {
  return options.output == BookOutput::kText || options.output == BookOutput::kStations ||
         OutputPath(options) == "-";
}

// A printer or an output file that fails; the book is not produced.
Failure PaperFailure(const BookOptions& options, const std::string& problem) {
  if (options.output == BookOutput::kPrinter) {
    return Rejected("cannot print on " + EscapedText(options.printer) + ": " + problem);
  }
  return Rejected("cannot write " + EscapedText(OutputPath(options)) + ": " + problem);
}

// An output file that failed: not written, or written but its folder not flushed to disk.
Failure FileFailure(const BookOptions& options, const OutputFile& file, const Status& status) {
  if (!file.in_place()) return PaperFailure(options, status.failure().message);
  return Rejected(EscapedText(file.target()) +
                  " is written but not yet safe on disk: its folder could not be flushed: " +
                  status.failure().message);
}

// Writes `text` to the standard output and flushes it; a lost write (a full disk, /dev/full, a
// closed stdout) fails the command with the system's reason.
Status WriteOut(std::ostream& out, const std::string& text) {
  errno = 0;
  out << text << std::flush;
  if (out) return {};
  const int error = errno;
  return Rejected(std::string("cannot write the standard output: ") +
                  (error != 0 ? std::strerror(error) : "write error"));
}

// The output's bytes into its file, committed whole, or to the standard output.
Status WriteOutput(std::optional<OutputFile>& file, std::ostream& out, const std::string& bytes,
                   const BookOptions& options) {
  if (!file) return WriteOut(out, bytes);
  Status written = file->Write(bytes);
  if (written) written = file->Commit();
  return written ? written : FileFailure(options, *file, written);
}

// As cat does: the standard output, when it is a regular file, must not be the input, which it
// would overwrite or grow while it is read.
Status CheckStandardOutput(const BookOptions& options, int out_fd) {
  struct stat output {};
  struct stat input {};
  if (out_fd < 0 || !WritesStandardOutput(options) || ::fstat(out_fd, &output) != 0 ||
      !S_ISREG(output.st_mode) || ::stat(options.file.c_str(), &input) != 0) {
    return {};
  }
  if (output.st_dev != input.st_dev || output.st_ino != input.st_ino) return {};
  return UsageError("the standard output is the input file " + EscapedText(options.file) +
                    ": choose another output");
}

// Creates the output's temporary file, or says why the output is refused.
Status OpenOutputFile(std::optional<OutputFile>& file, const BookOptions& options) {
  const std::string& path = OutputPath(options);
  if (path.empty() || path == "-") return {};
  file.emplace(path);
  const Status opened = file->Open({options.file});
  if (opened) return {};
  if (opened.failure().kind == FailureKind::kUsage) {
    return UsageError("the output " + EscapedText(file->target()) + " is the input file " +
                      EscapedText(options.file) + ": choose another output file");
  }
  return PaperFailure(options, opened.failure().message);
}

// The page the book is laid out on: the printer's, or the text grid of --cells.
Result<std::unique_ptr<Surface>> OpenPage(const BookOptions& options, PrintPlatform* platform) {
  if (!DrawsOnPaper(options.output)) {
    return std::unique_ptr<Surface>(std::make_unique<TextSurface>(options.columns, options.lines));
  }
  Result<std::unique_ptr<Surface>> printer = platform->OpenPrinter(options);
  // A page of no size would lay the whole book out on nothing.
  if (printer && !(*printer)->MeasureCells()) {
    return PaperFailure(options, "the printer has no printable page");
  }
  return printer;
}

// What the options choose for a LandXML file. Several alignments with cross sections and no
// --alignment is a usage error that lists them.
ImportChoices ChoicesOf(const BookOptions& options) {
  ImportChoices choices;
  choices.alignment = options.alignment;
  choices.elevations = options.elevations.value_or(ElevationMode::kAuto);
  choices.ground = options.ground;
  choices.choose_alignment = [](const std::vector<std::string>& names) -> Result<std::string> {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + landxml::Quoted(name);
    return UsageError("the LandXML file has several alignments with cross sections: " + list +
                      "; choose one with --alignment");
  };
  return choices;
}

// A criteria report has no alignment, profile or ground line: an option for them would be
// dropped without a word, and a book without the cut and fill asked for is not the book asked
// for.
Status CheckLandXmlOptions(const ImportedBook& road, const BookOptions& options) {
  const std::vector<const char*> given = LandXmlOptionsGiven(options);
  if (road.kind == InputKind::kLandXml || given.empty()) return {};
  return UsageError(std::string(given.front()) + " applies only to a LandXML file");
}

// The stake-out file, and a note on stderr for each point code written otherwise.
Status WriteStakeout(const Book& book, const BookOptions& options, std::optional<OutputFile>& file,
                     std::ostream& out, std::ostream& err) {
  const SideBook& side = book.Of(options.side.value_or(Side::Left));
  const Result<Stakeout> stakeout = StakeoutFile(side, RangeOf(options), options.stakeout_format);
  if (!stakeout) return stakeout.failure();
  if (Status written = WriteOutput(file, out, stakeout->bytes, options); !written) return written;
  const char* why = options.stakeout_format == StakeoutFormat::kTbc
                        ? "a TBC code holds no comma, semicolon, quote or control character"
                        : "a Civil 3D description holds no comma, blank, quote or control "
                          "character";
  for (const ReplacedCode& replaced : stakeout->replaced) {
    err << "vantrels-book: point code " << Shown(Cp1252ToUtf8(replaced.code)) << " written as "
        << Shown(Cp1252ToUtf8(replaced.written)) << " (" << why << ")\n";
  }
  err << std::flush;
  return {};
}

// Puts the counted book out as the options ask.
Status WriteBook(const Book& book, const BookOptions& options, Surface& page,
                 std::optional<OutputFile>& file, std::ostream& out, std::ostream& err,
                 PrintPlatform* platform, Messages& messages) {
  switch (options.output) {
    case BookOutput::kStations:
      return WriteOut(out, StationListing(book, options));
    case BookOutput::kCsv:
      return WriteOutput(file, out, BookCsv(book, SelectedSides(book, options)), options);
    case BookOutput::kStakeout:
      return WriteStakeout(book, options, file, out, err);
    default:
      break;
  }
  const BookRenderer renderer(book, PageContextOf(options), messages);
  if (options.output == BookOutput::kPdf) {
    const Status written = platform->WritePdf(renderer, SelectedPages(book, options), options, *file);
    return written ? written : FileFailure(options, *file, written);
  }
  const auto printed = renderer.Print(page, SelectedPages(book, options));
  if (!printed) return PaperFailure(options, printed.failure().message);
  if (options.output == BookOutput::kText) {
    return WriteOut(out, static_cast<TextSurface&>(page).Render());
  }
  return {};
}

Status RunBook(const BookOptions& options, std::ostream& out, std::ostream& err,
               PrintPlatform* platform, int out_fd) {
  if ((DrawsOnPaper(options.output) || options.output == BookOutput::kListPrinters) && !platform) {
    return UsageError(
        "this vantrels-book was built without printing: only --text, --stations, --csv and "
        "--stakeout are available");
  }
  if (options.output == BookOutput::kListPrinters) {
    std::string names;
    for (const std::string& name : platform->PrinterNames()) names += name + '\n';
    return WriteOut(out, names);
  }
  // The outputs are checked and the printer chosen before the file is read, so a wrong name or
  // an unwritable path costs no import. Files go to a temporary file until they are complete.
  if (Status own = CheckStandardOutput(options, out_fd); !own) return own;
  std::optional<OutputFile> file;
  if (Status opened = OpenOutputFile(file, options); !opened) return opened;
  Result<std::unique_ptr<Surface>> page = OpenPage(options, platform);
  if (!page) return page.failure();

  StreamMessages messages(err);
  const Result<ImportedBook> road = PrepareBook(messages, **page, options);
  if (!road) return road.failure();
  if (Status fits = CheckLandXmlOptions(*road, options); !fits) return fits;
  const Book& book = road->book;
  // What the import decided and the lines it passed over are told, and the book goes on.
  for (const std::string& note : road->notes) err << "vantrels-book: " << Cp1252ToUtf8(note) << '\n';
  for (const std::string& warning : UnusedLineWarnings(book.unused_lines)) {
    err << "vantrels-book: warning: " << Cp1252ToUtf8(warning) << '\n';
  }
  err << std::flush;
  if (Status chosen = CheckSelection(book, options); !chosen) return chosen;
  return WriteBook(book, options, **page, file, out, err, platform, messages);
}

// The exit status of a failure, with its message unless it has been shown.
int ExitStatus(const Status& status, std::ostream& err) {
  if (status) return kBookProduced;
  const Failure& failure = status.failure();
  if (failure.kind == FailureKind::kUsage) {
    err << "vantrels-book: " << failure.message
        << "\nTry 'vantrels-book --help' for more information.\n"
        << std::flush;
    return kBookUsage;
  }
  if (failure.kind == FailureKind::kProgramEnded) return kBookEnded;
  if (!failure.message.empty()) err << "vantrels-book: " << failure.message << '\n' << std::flush;
  return kBookRejected;
}

}  // namespace

void StreamMessages::Show(const std::string& text) {
  out_ << Cp1252ToUtf8(text) << '\n' << std::flush;
}

Result<ImportedBook> PrepareBook(Messages& messages, Surface& printer, const BookOptions& options) {
  RoadMemory memory;
  Result<ImportedBook> road = BuildBook(options.file, ChoicesOf(options), &printer, memory, messages);
  if (road) return road;
  const Failure& failure = road.failure();
  if (failure.kind == FailureKind::kUsage) return UsageError(Cp1252ToUtf8(failure.message));
  // The file's messages go out as they are, without the program's name.
  messages.Show(failure.message);
  return Failure{failure.kind, ""};
}

PageContext PageContextOf(const BookOptions& options) {
  PageContext context;
  context.project_number = options.project;
  context.heading_date = options.heading_date;
  context.report_font = options.font;
  return context;
}

int RunBookCommand(const Result<ParsedOptions>& parsed, std::ostream& out, std::ostream& err,
                   PrintPlatform* platform, int out_fd) {
  if (!parsed) return ExitStatus(parsed.failure(), err);
  switch (parsed->request) {
    case BookRequest::kHelp:
      return ExitStatus(WriteOut(out, BookUsage()), err);
    case BookRequest::kVersion:
      return ExitStatus(WriteOut(out, std::string("vantrels-book ") + kVersion + '\n'), err);
    case BookRequest::kBook:
      break;
  }
  try {
    return ExitStatus(RunBook(parsed->options, out, err, platform, out_fd), err);
  } catch (const std::bad_alloc&) {
    // The book and the output file are gone with the unwinding, so the temporary file is
    // removed; the shortage is the process's, never the criteria file's.
    err << "vantrels-book: out of memory\n" << std::flush;
    return kBookRejected;
  }
}

int BookMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             PrintPlatform* platform) {
  return RunBookCommand(ParseBookOptions(args), out, err, platform);
}

}  // namespace vantrels
