#include "cli/book_options.h"

#include <QCommandLineParser>
#include <QStringList>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <map>
#include <string_view>

#include "book/station_value.h"
#include "cli/argument_text.h"
#include "model/cp1252.h"

namespace vantrels {

namespace {

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  if (!AllDigits(text)) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A plain unsigned decimal: "96", "93.5", ".5" (not "96.").
std::optional<double> ParseCells(std::string_view text) {
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (!whole.empty() && !AllDigits(whole)) return std::nullopt;
  if (point != std::string_view::npos && !AllDigits(fraction)) return std::nullopt;
  if (whole.empty() && fraction.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // Positions on the page are 16-bit numbers.
  if (!(value > 0) || value > 32767) return std::nullopt;
  return value;
}

bool LeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::optional<std::string> ParseDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = ParseInt(text.substr(0, 4));
  const auto month = ParseInt(text.substr(5, 2));
  const auto day = ParseInt(text.substr(8, 2));
  if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1) {
    return std::nullopt;
  }
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int days = kDays[*month - 1] + (*month == 2 && LeapYear(*year) ? 1 : 0);
  if (*day > days) return std::nullopt;
  return std::string(text.substr(5, 2)) + " " + std::string(text.substr(8, 2)) + " " +
         std::string(text.substr(0, 4));
}

// A rejected value as a message quotes it.
std::string Shown(const std::string& value) {
  return "\"" + EscapedText(value) + "\"";
}

std::string ApplyProject(BookOptions& o, const std::string& v) {
  const Cp1252Text text = Utf8ToCp1252(v);
  switch (text.problem) {
    case Cp1252Text::Problem::kNone:
      o.project = text.bytes;
      return {};
    case Cp1252Text::Problem::kNotUtf8:
      return "--project needs UTF-8 text, not " + Shown(v);
    case Cp1252Text::Problem::kControl:
      return "--project needs text without control characters, not " + Shown(v);
    case Cp1252Text::Problem::kMissing:
      break;
  }
  std::string character;
  for (size_t at = 0; character.empty(); ++at) {
    const Utf8Char c = DecodeUtf8At(v, at);
    if (c.length > 0 && c.code_point == text.missing) character = v.substr(at, c.length);
  }
  return "--project cannot hold \"" + character + "\" (" + CodePointName(text.missing) +
         "): the page heading is Windows-1252 text";
}

std::string ApplyStation(std::optional<double>& end, const char* option, const std::string& v) {
  end = StationFeet(v);
  if (end) return {};
  return std::string(option) + " needs a station such as 2390+00, 2390+00.00 or 239000, not " +
         Shown(v);
}

std::string SetOutput(BookOptions& options, BookOutput output) {
  if (options.output != BookOutput::kNone && options.output != output) {
    return std::string(OutputOption(options.output)) + " and " + OutputOption(output) +
           " cannot be combined";
  }
  options.output = output;
  return {};
}

// An output that writes to a file or a printer named by the value.
std::string SetNamedOutput(BookOptions& options, BookOutput output, std::string& target,
                           const std::string& value, const char* needs) {
  if (value.empty()) return std::string(OutputOption(output)) + " needs " + needs;
  target = value;
  return SetOutput(options, output);
}

std::optional<Paper> ParsePaper(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (lower == "letter") return Paper::Letter;
  if (lower == "a4") return Paper::A4;
  if (lower == "legal") return Paper::Legal;
  return std::nullopt;
}

// Each handler returns an error text, empty when the value is accepted. Flags get no value.
struct OptionRow {
  const char* name;  // without the leading "--"
  bool takes_value;
  std::function<std::string(BookOptions&, const std::string&)> apply;
};

const std::vector<OptionRow>& OptionTable() {
  static const std::vector<OptionRow> table = {
      {"project", true, ApplyProject},
      {"date", true,
       [](BookOptions& o, const std::string& v) {
         const auto date = ParseDate(v);
         if (!date) return "--date needs a date YYYY-MM-DD, not " + Shown(v);
         o.heading_date = *date;
         return std::string();
       }},
      {"cells", true,
       [](BookOptions& o, const std::string& v) {
         const auto x = v.find_first_of("xX");
         const auto columns = x == std::string::npos ? std::nullopt : ParseCells(v.substr(0, x));
         const auto lines = x == std::string::npos ? std::nullopt : ParseCells(v.substr(x + 1));
         if (!columns || !lines) {
           return "--cells needs COLSxLINES with numbers above 0 up to 32767, not " + Shown(v);
         }
         o.columns = *columns;
         o.lines = *lines;
         return std::string();
       }},
      {"side", true,
       [](BookOptions& o, const std::string& v) {
         if (v == "left") {
           o.side = Side::Left;
         } else if (v == "right") {
           o.side = Side::Right;
         } else {
           return "--side needs left or right, not " + Shown(v);
         }
         return std::string();
       }},
      {"pages", true,
       [](BookOptions& o, const std::string& v) {
         const auto dash = v.find('-');
         const auto from = dash == std::string::npos ? std::nullopt : ParseInt(v.substr(0, dash));
         const auto to = dash == std::string::npos ? std::nullopt : ParseInt(v.substr(dash + 1));
         if (!from || !to || *from < 1 || *from > *to) {
           return "--pages needs FROM-TO with 1 <= FROM <= TO, not " + Shown(v);
         }
         o.pages = PageRange{*from, *to};
         return std::string();
       }},
      {"from-station", true,
       [](BookOptions& o, const std::string& v) {
         return ApplyStation(o.from_station, "--from-station", v);
       }},
      {"to-station", true,
       [](BookOptions& o, const std::string& v) {
         return ApplyStation(o.to_station, "--to-station", v);
       }},
      {"text", false,
       [](BookOptions& o, const std::string&) { return SetOutput(o, BookOutput::kText); }},
      {"stations", false,
       [](BookOptions& o, const std::string&) { return SetOutput(o, BookOutput::kStations); }},
      {"pdf", true,
       [](BookOptions& o, const std::string& v) {
         return SetNamedOutput(o, BookOutput::kPdf, o.pdf_file, v, "a file name");
       }},
      {"printer", true,
       [](BookOptions& o, const std::string& v) {
         return SetNamedOutput(o, BookOutput::kPrinter, o.printer, v, "a printer name");
       }},
      {"csv", true,
       [](BookOptions& o, const std::string& v) {
         return SetNamedOutput(o, BookOutput::kCsv, o.csv_file, v, "a file name");
       }},
      {"list-printers", false,
       [](BookOptions& o, const std::string&) { return SetOutput(o, BookOutput::kListPrinters); }},
      {"paper", true,
       [](BookOptions& o, const std::string& v) {
         const auto paper = ParsePaper(v);
         if (!paper) return "--paper needs letter, a4 or legal, not " + Shown(v);
         o.paper = *paper;
         return std::string();
       }},
      {"font", true,
       [](BookOptions& o, const std::string& v) {
         if (v.empty()) return std::string("--font needs a font name");
         o.font = v;
         return std::string();
       }},
      {"help", false, nullptr},
      {"version", false, nullptr},
  };
  return table;
}

const OptionRow& Row(const QString& name) {
  for (const OptionRow& row : OptionTable()) {
    if (name == QLatin1String(row.name)) return row;
  }
  // The parser reports only the options it was given.
  std::abort();
}

// Arguments are bytes in no particular encoding; as Latin-1 each byte is one character, so every
// value and file name comes back from the parser exactly as given.
QString Latin1(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Bytes(const QString& text) {
  return text.toLatin1().toStdString();
}

// Ends every stretch of arguments. A Latin-1 argument cannot hold it, so it shows whether the
// stretch ends in an option still waiting for its value.
const QString& EndMark() {
  static const QString mark(QChar(0x2400));
  return mark;
}

// What the first `count` arguments say, read in order until something stops them: --help,
// --version or an error.
struct Stretch {
  ParsedOptions parsed;
  std::vector<std::string> files;
  // The options given, without "--", and their values (empty for a flag).
  std::map<std::string, std::string> given;
  bool stopped = false;
};

Stretch ReadStretch(QCommandLineParser& parser, const std::vector<std::string>& args,
                    size_t count) {
  QStringList list{QStringLiteral("vantrels-book")};
  for (size_t i = 0; i < count; ++i) list << Latin1(args[i]);
  list << EndMark();
  Stretch stretch;
  ParsedOptions& parsed = stretch.parsed;
  if (!parser.parse(list)) {
    // An unknown option, or a flag given a value. In the shortest stretch that fails, the
    // last argument is the one to blame.
    const std::string& last = args[count - 1];
    const std::string name = EscapedText(last.substr(0, last.find('=')));
    parsed.error =
        parser.unknownOptionNames().isEmpty() ? name + " takes no value" : "unknown option " + name;
    stretch.stopped = true;
    return stretch;
  }
  for (const QString& name : parser.optionNames()) {
    const std::string option = "--" + Bytes(name);
    if (stretch.given.count(Bytes(name))) {
      parsed.error = option + " can be given only once";
    } else if (name == QLatin1String("help")) {
      parsed.help = true;
    } else if (name == QLatin1String("version")) {
      parsed.version = true;
    } else {
      const OptionRow& row = Row(name);
      std::string value;
      if (row.takes_value) {
        // The first value: a repeat is refused when its turn comes.
        const QString given = parser.values(name).constFirst();
        if (given == EndMark()) {
          // Only the whole command line lacks the value; a shorter stretch merely ends early.
          if (count == args.size()) parsed.error = option + " needs a value";
          stretch.stopped = count == args.size();
          return stretch;
        }
        value = Bytes(given);
      }
      stretch.given[Bytes(name)] = value;
      parsed.error = row.apply(parsed.options, value);
    }
    if (parsed.help || parsed.version || !parsed.error.empty()) {
      stretch.stopped = true;
      return stretch;
    }
  }
  for (const QString& file : parser.positionalArguments()) {
    if (file != EndMark()) stretch.files.push_back(Bytes(file));
  }
  return stretch;
}

// The checks that need the whole command line: an output, the options that go with it and
// one criteria file.
std::string CombinationError(BookOptions& options, const std::map<std::string, std::string>& given,
                             const std::vector<std::string>& files) {
  const bool on_paper = DrawsOnPaper(options.output);
  const bool as_text =
      options.output == BookOutput::kText || options.output == BookOutput::kStations;
  const char* range_option = given.count("from-station") ? "--from-station" : "--to-station";
  const bool by_station = options.from_station || options.to_station;
  if (options.output == BookOutput::kNone) {
    return "one of --text, --stations, --pdf, --printer, --csv or --list-printers is needed";
  }
  if (given.count("paper") && options.output != BookOutput::kPdf) {
    return "--paper applies only to --pdf";
  }
  if (given.count("font") && !on_paper) return "--font applies only to --pdf and --printer";
  // On paper the printer's page gives the cells.
  if (given.count("cells") && !as_text) return "--cells applies only to --text and --stations";
  for (const char* choice : {"pages", "from-station", "to-station"}) {
    if (given.count(choice) && !as_text && !on_paper) {
      return "--" + std::string(choice) +
             " applies only to --text, --stations, --pdf and --printer";
    }
  }
  if (options.pages && by_station) {
    return "--pages and " + std::string(range_option) + " cannot be combined";
  }
  if (options.from_station && options.to_station && *options.from_station > *options.to_station) {
    return "--from-station " + EscapedText(given.at("from-station")) +
           " comes after --to-station " + EscapedText(given.at("to-station"));
  }
  if (options.output == BookOutput::kListPrinters) {
    return files.empty() ? "" : "--list-printers takes no criteria file";
  }
  if (files.empty()) return "no criteria file given";
  if (files.size() > 1) return "only one criteria file can be given";
  options.file = files.front();
  return {};
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
    case BookOutput::kListPrinters:
      return "--list-printers";
    case BookOutput::kNone:
      break;
  }
  return "";
}

ParsedOptions ParseBookOptions(const std::vector<std::string>& args) {
  QCommandLineParser parser;
  for (const OptionRow& row : OptionTable()) {
    parser.addOption(row.takes_value ? QCommandLineOption(row.name, QString(), "value")
                                     : QCommandLineOption(row.name));
  }
  Stretch whole = ReadStretch(parser, args, args.size());
  if (!whole.stopped) {
    whole.parsed.error = CombinationError(whole.parsed.options, whole.given, whole.files);
    return whole.parsed;
  }
  // What stops a stretch stops every longer one, so the shortest stretch that stops is found
  // by halving; it names the first argument at fault, or the --help that comes first.
  size_t running = 0;
  size_t stopping = args.size();
  while (stopping - running > 1) {
    const size_t middle = running + (stopping - running) / 2;
    (ReadStretch(parser, args, middle).stopped ? stopping : running) = middle;
  }
  return ReadStretch(parser, args, stopping).parsed;
}

std::string BookUsage() {
  return "Usage: vantrels-book [--project TEXT] [--date YYYY-MM-DD] [--side left|right]\n"
         "                     [--pages FROM-TO | --from-station STA --to-station STA]\n"
         "                     [--cells COLSxLINES] (--text | --stations) FILE.csv\n"
         "       vantrels-book [--project TEXT] [--date YYYY-MM-DD] [--side left|right]\n"
         "                     [--pages FROM-TO | --from-station STA --to-station STA]\n"
         "                     [--font NAME] (--pdf OUT.pdf [--paper letter|a4|legal] |\n"
         "                     --printer NAME) FILE.csv\n"
         "       vantrels-book [--side left|right] --csv OUT.csv FILE.csv\n"
         "       vantrels-book --list-printers | --help | --version\n"
         "Lays out the grade-stake book of a criteria report.\n"
         "  --project TEXT      project number in the page heading (default empty)\n"
         "  --date YYYY-MM-DD   date in the page heading (default today)\n"
         "  --side left|right   only that side of a divided roadway\n"
         "  --pages FROM-TO     only these pages (from 1) of the roadway or of the side\n"
         "  --from-station STA  only the pages of the stations from STA on, STA written\n"
         "                      as in the file (2390+00, 2390+00.00) or in feet (239000)\n"
         "  --to-station STA    only the pages of the stations up to STA (by value,\n"
         "                      whatever the region suffix)\n"
         "  --cells COLSxLINES  printable page size in character cells (default 96x63)\n"
         "  --text              write the pages as text to stdout\n"
         "  --stations          write the go-to-station lists to stdout\n"
         "  --pdf OUT.pdf       write the pages to a PDF file, bookmarked by station\n"
         "  --paper SIZE        the PDF's paper: letter (default), a4 or legal;\n"
         "                      quarter-inch margins\n"
         "  --printer NAME      send the pages to an installed printer\n"
         "  --font NAME         face of the report text (default Courier New)\n"
         "  --csv OUT.csv       write every point of the book to a spreadsheet file\n"
         "                      (CSV, UTF-8); - writes it to stdout\n"
         "  --list-printers     list the printers, one per line\n"
         "  --help              show this text\n"
         "  --version           show the program's version\n";
}

}  // namespace vantrels
