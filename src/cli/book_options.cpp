#include "cli/book_options.h"

#include <getopt.h>

#include <algorithm>
#include <string_view>

#include "model/user_text.h"
#include "cli/option_values.h"

namespace vantrels {

namespace {

// A set of outputs, one bit per BookOutput.
using Outputs = unsigned;
constexpr Outputs Of(BookOutput output) {
  return 1u << static_cast<unsigned>(output);
}
constexpr Outputs kAnyOutput = ~0u;
constexpr Outputs kTextOutputs = Of(BookOutput::kText) | Of(BookOutput::kStations);
constexpr Outputs kPaperOutputs = Of(BookOutput::kPdf) | Of(BookOutput::kPrinter);

Status SetOutput(BookOptions& options, BookOutput output) {
  if (options.output != BookOutput::kNone && options.output != output) {
    return UsageError(std::string(OutputOption(options.output)) + " and " +
                      OutputOption(output) + " cannot be combined");
  }
  options.output = output;
  return {};
}

// An output that writes to a file or a printer named by the value.
Status SetNamedOutput(BookOptions& options, BookOutput output, std::string& target,
                      const std::string& value, const char* needs) {
  if (value.empty()) return UsageError(std::string(OutputOption(output)) + " needs " + needs);
  target = value;
  return SetOutput(options, output);
}

// Stores a value read by `read` into `field`, or gives the reader's usage error.
template <typename T, typename U>
Status Store(Result<T> read, U& field) {
  if (!read) return read.failure();
  field = std::move(*read);
  return {};
}

// One row per option: adding an option is adding a row (and its field in BookOptions).
struct OptionRow {
  // Without the leading "--".
  const char* name;
  // The value's word in --help; nullptr for a flag.
  const char* value;
  // Its lines in --help, after the name column.
  const char* help;
  // The outputs it goes with; any other output refuses it.
  Outputs outputs;
  // Reads the value into the options; nullptr for --help and --version.
  Status (*apply)(BookOptions&, const std::string&);
};

using O = BookOptions;
using V = const std::string&;

constexpr OptionRow kOptions[] = {
    {"project", "TEXT", "project number in the page heading (default empty)", kAnyOutput,
     [](O& o, V v) { return Store(ReadProject(v), o.project); }},
    {"date", "YYYY-MM-DD", "date in the page heading (default today)", kAnyOutput,
     [](O& o, V v) { return Store(ReadDate(v), o.heading_date); }},
    {"side", "left|right", "only that side of a divided roadway", kAnyOutput,
     [](O& o, V v) { return Store(ReadSide(v), o.side); }},
    {"pages", "FROM-TO", "only these pages (from 1) of the roadway or of the side",
     kTextOutputs | kPaperOutputs, [](O& o, V v) { return Store(ReadPages(v), o.pages); }},
    {"from-station", "STA",
     "only the stations from STA on (their pages, or their\n"
     "stake-out points); STA as the file writes stations\n"
     "(2390+00, 2390+00.00, 1+234.567, -0+090.000) or as a\n"
     "plain number (239000)",
     kTextOutputs | kPaperOutputs | Of(BookOutput::kStakeout),
     [](O& o, V v) { return Store(ReadStation("--from-station", v), o.from_station); }},
    {"to-station", "STA",
     "only the stations up to STA (by value, whatever the\n"
     "region suffix)",
     kTextOutputs | kPaperOutputs | Of(BookOutput::kStakeout),
     [](O& o, V v) { return Store(ReadStation("--to-station", v), o.to_station); }},
    {"cells", "COLSxLINES", "printable page size in character cells (default 96x63)",
     kTextOutputs, [](O& o, V v) { return ReadCells(o, v); }},
    {"alignment", "NAME",
     "a LandXML file's alignment to make the book of\n"
     "(needed when several have cross sections)",
     kAnyOutput, [](O& o, V v) { return Store(ReadLandXmlName("--alignment", v), o.alignment); }},
    {"elevations", "absolute|relative|auto",
     "a LandXML file's design elevations: absolute, as\n"
     "written; relative, heights above the profile grade\n"
     "at their station; auto (default), relative when\n"
     "the centre points lie near 0 and the profile does\n"
     "not",
     kAnyOutput, [](O& o, V v) { return Store(ReadElevations(v), o.elevations); }},
    {"ground", "NAME",
     "the existing-ground line of a LandXML file that cut\n"
     "and fill are measured against (default: the first\n"
     "whose name contains \"exist\", in any letter case)",
     kAnyOutput, [](O& o, V v) { return Store(ReadLandXmlName("--ground", v), o.ground); }},
    {"text", nullptr, "write the pages as text to stdout", kAnyOutput,
     [](O& o, V) { return SetOutput(o, BookOutput::kText); }},
    {"stations", nullptr, "write the go-to-station lists to stdout", kAnyOutput,
     [](O& o, V) { return SetOutput(o, BookOutput::kStations); }},
    {"pdf", "OUT.pdf", "write the pages to a PDF file, bookmarked by station", kAnyOutput,
     [](O& o, V v) { return SetNamedOutput(o, BookOutput::kPdf, o.pdf_file, v, "a file name"); }},
    {"paper", "SIZE",
     "the PDF's paper: letter (default), a4 or legal;\n"
     "quarter-inch margins",
     Of(BookOutput::kPdf), [](O& o, V v) { return Store(ReadPaper(v), o.paper); }},
    {"printer", "NAME", "send the pages to an installed printer", kAnyOutput,
     [](O& o, V v) {
       return SetNamedOutput(o, BookOutput::kPrinter, o.printer, v, "a printer name");
     }},
    {"font", "NAME", "face of the report text (default Courier New)", kPaperOutputs,
     [](O& o, V v) {
       if (v.empty()) return Status(UsageError("--font needs a font name"));
       o.font = v;
       return Status();
     }},
    {"csv", "OUT.csv",
     "write every point of the book to a spreadsheet file\n"
     "(CSV, UTF-8); - writes it to stdout",
     kAnyOutput,
     [](O& o, V v) { return SetNamedOutput(o, BookOutput::kCsv, o.csv_file, v, "a file name"); }},
    {"stakeout", "OUT.csv",
     "write the points as a stake-out file: station,\n"
     "offset, elevation and point code for the office\n"
     "software's station/offset import; - writes it to stdout",
     kAnyOutput,
     [](O& o, V v) {
       return SetNamedOutput(o, BookOutput::kStakeout, o.stakeout_file, v, "a file name");
     }},
    {"stakeout-format", "tbc|civil3d",
     "the stake-out file's layout: tbc (Trimble Business\n"
     "Center's \"TBC Excel\" station/offset import, the\n"
     "default) or civil3d (Civil 3D's station/offset/\n"
     "elevation import)",
     Of(BookOutput::kStakeout),
     [](O& o, V v) { return Store(ReadStakeoutFormat(v), o.stakeout_format); }},
    {"list-printers", nullptr, "list the printers, one per line", kAnyOutput,
     [](O& o, V) { return SetOutput(o, BookOutput::kListPrinters); }},
    {"help", nullptr, "show this text", kAnyOutput, nullptr},
    {"version", nullptr, "show the program's version", kAnyOutput, nullptr},
};

// getopt_long's code for row n; below it are its own codes ('?', ':', 1).
constexpr int kFirstRowCode = 256;

// "--a, --b and --c" (or "or"): the options of `outputs` in their order.
std::string OutputList(Outputs outputs, const char* last_joint) {
  std::vector<std::string> names;
  for (auto output = static_cast<unsigned>(BookOutput::kText);
       output <= static_cast<unsigned>(BookOutput::kListPrinters); ++output) {
    if (outputs & (1u << output)) names.push_back(OutputOption(static_cast<BookOutput>(output)));
  }
  std::string list;
  for (size_t n = 0; n < names.size(); ++n) {
    if (n > 0) list += n + 1 == names.size() ? last_joint : ", ";
    list += names[n];
  }
  return list;
}

// The options given, in order, with their values; and the files.
struct Given {
  std::vector<std::pair<const OptionRow*, std::string>> options;
  std::vector<std::string> files;

  const std::string* ValueOf(std::string_view name) const {
    for (const auto& [row, value] : options) {
      if (name == row->name) return &value;
    }
    return nullptr;
  }
};

// The checks that need the whole command line: an output, the options that go with it and
// one file.
Status CheckCombination(BookOptions& options, const Given& given) {
  if (options.output == BookOutput::kNone) {
    return UsageError("one of " + OutputList(kAnyOutput, " or ") + " is needed");
  }
  for (const auto& [row, value] : given.options) {
    if (!(row->outputs & Of(options.output))) {
      return UsageError("--" + std::string(row->name) + " applies only to " +
                        OutputList(row->outputs, " and "));
    }
  }
  const std::string* from = given.ValueOf("from-station");
  const std::string* to = given.ValueOf("to-station");
  if (options.pages && (from || to)) {
    return UsageError(std::string("--pages and ") + (from ? "--from-station" : "--to-station") +
                      " cannot be combined");
  }
  if (from && to && *options.from_station > *options.to_station) {
    return UsageError("--from-station " + EscapedText(*from) + " comes after --to-station " +
                      EscapedText(*to));
  }
  if (options.output == BookOutput::kListPrinters) {
    if (!given.files.empty()) return UsageError("--list-printers takes no file");
    return {};
  }
  if (given.files.empty()) return UsageError("no criteria or LandXML file given");
  if (given.files.size() > 1) return UsageError("only one file can be given");
  options.file = given.files.front();
  return {};
}

// The row that getopt_long's answer names for the argument `arg`, or the usage error of an
// unknown option or of a flag given a value. A missing value (':') is left to the caller.
Result<const OptionRow*> RowOf(int code, const std::string& arg) {
  const std::string name = EscapedText(arg.substr(0, arg.find('=')));
  // For '?' and ':', optopt holds the row's code when the row was found.
  const int row_code = code == '?' || code == ':' ? optopt : code;
  const bool found = row_code >= kFirstRowCode && arg.starts_with("--");
  const OptionRow* row = found ? &kOptions[row_code - kFirstRowCode] : nullptr;
  // getopt_long takes "--proj" for "--project": an abbreviation would break once an option
  // shares its start, so only whole names are options.
  if (!row || name != "--" + std::string(row->name)) return UsageError("unknown option " + name);
  if (code == '?') return UsageError(name + " takes no value");
  return row;
}

}  // namespace

const char* OutputOption(BookOutput output) {
  switch (output) {
    case BookOutput::kText:
      return "--text";
    case BookOutput::kStations:
      return "--stations";
    case BookOutput::kPdf:
      return "--pdf";
    case BookOutput::kPrinter:
      return "--printer";
    case BookOutput::kCsv:
      return "--csv";
    case BookOutput::kStakeout:
      return "--stakeout";
    case BookOutput::kListPrinters:
      return "--list-printers";
    case BookOutput::kNone:
      break;
  }
  return "";
}

const char* StakeoutFormatName(StakeoutFormat format) {
  return format == StakeoutFormat::kTbc ? "tbc" : "civil3d";
}

const char* ElevationModeName(ElevationMode mode) {
  switch (mode) {
    case ElevationMode::kAbsolute:
      return "absolute";
    case ElevationMode::kRelative:
      return "relative";
    case ElevationMode::kAuto:
      break;
  }
  return "auto";
}

std::vector<const char*> LandXmlOptionsGiven(const BookOptions& options) {
  std::vector<const char*> given;
  if (!options.alignment.empty()) given.push_back("--alignment");
  if (options.elevations) given.push_back("--elevations");
  if (!options.ground.empty()) given.push_back("--ground");
  return given;
}

Result<ParsedOptions> ParseBookOptions(const std::vector<std::string>& args) {
  std::vector<option> table;
  for (const OptionRow& row : kOptions) {
    const int code = kFirstRowCode + static_cast<int>(&row - kOptions);
    table.push_back({row.name, row.value ? required_argument : no_argument, nullptr, code});
  }
  table.push_back({});
  // getopt_long reads char*; the arguments stay as given, byte for byte.
  std::vector<std::string> copies = args;
  std::vector<char*> argv{const_cast<char*>("vantrels-book")};
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(args.size()) + 1;

  ParsedOptions parsed;
  Given given;
  // '-': arguments in order, files too; ':': a missing value is told apart. 0 starts afresh.
  opterr = 0;
  optind = 0;
  for (;;) {
    const int at = std::max(optind, 1);
    const int code = getopt_long(argc, argv.data(), "-:", table.data(), nullptr);
    if (code == -1) break;
    if (code == 1) {
      given.files.emplace_back(optarg);
      continue;
    }
    const Result<const OptionRow*> row = RowOf(code, args[static_cast<size_t>(at - 1)]);
    if (!row) return row.failure();
    const OptionRow& option = **row;
    if (given.ValueOf(option.name)) {
      return UsageError("--" + std::string(option.name) + " can be given only once");
    }
    if (code == ':') return UsageError("--" + std::string(option.name) + " needs a value");
    if (!option.apply) {
      parsed.request = std::string_view(option.name) == "help" ? BookRequest::kHelp
                                                                : BookRequest::kVersion;
      return parsed;
    }
    const std::string value = option.value ? optarg : "";
    if (Status applied = option.apply(parsed.options, value); !applied) return applied.failure();
    given.options.emplace_back(&option, value);
  }
  // After "--", every argument is a file.
  for (int n = optind; n < argc; ++n) given.files.emplace_back(argv[static_cast<size_t>(n)]);
  if (Status combined = CheckCombination(parsed.options, given); !combined) {
    return combined.failure();
  }
  return parsed;
}

bool NeedsPrinting(const ParsedOptions& parsed) {
  const BookOutput output = parsed.options.output;
  return parsed.request == BookRequest::kBook &&
         (DrawsOnPaper(output) || output == BookOutput::kListPrinters);
}

std::string BookUsage() {
  std::string usage =
      "Usage: vantrels-book [--project TEXT] [--date YYYY-MM-DD] [--side left|right]\n"
      "                     [--pages FROM-TO | --from-station STA --to-station STA]\n"
      "                     [--cells COLSxLINES] (--text | --stations) FILE\n"
      "       vantrels-book [--project TEXT] [--date YYYY-MM-DD] [--side left|right]\n"
      "                     [--pages FROM-TO | --from-station STA --to-station STA]\n"
      "                     [--font NAME] (--pdf OUT.pdf [--paper letter|a4|legal] |\n"
      "                     --printer NAME) FILE\n"
      "       vantrels-book [--side left|right] --csv OUT.csv FILE\n"
      "       vantrels-book [--side left|right] [--from-station STA] [--to-station STA]\n"
      "                     --stakeout OUT.csv [--stakeout-format tbc|civil3d] FILE\n"
      "       vantrels-book --list-printers | --help | --version\n"
      "Lays out the grade-stake book of a criteria report, or of the cross sections of\n"
      "one alignment of a LandXML file with the cut or fill at each point where the\n"
      "file gives the ground. FILE is either kind, told apart by its content; the\n"
      "options --alignment, --elevations and --ground choose how a LandXML file is\n"
      "read.\n";
  // Each option's help begins in this column.
  constexpr size_t kColumn = 22;
  for (const OptionRow& row : kOptions) {
    std::string line = "  --" + std::string(row.name) + (row.value ? " " : "");
    line += row.value ? row.value : "";
    // A name too long for its column stands on a line of its own.
    line += line.size() + 2 > kColumn ? "\n" + std::string(kColumn, ' ')
                                      : std::string(kColumn - line.size(), ' ');
    std::string help = row.help;
    for (size_t at = help.find('\n'); at != std::string::npos; at = help.find('\n', at + 1)) {
      help.insert(at + 1, std::string(kColumn, ' '));
    }
    usage += line + help + "\n";
  }
  return usage;
}

}  // namespace vantrels
