#include "cli/book_options.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <set>
#include <string_view>

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

// Each handler returns an error text, empty when the value is accepted.
struct OptionRow {
  std::string_view name;
  bool takes_value;
  std::function<std::string(BookOptions&, const std::string&)> apply;
};

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
    case BookOutput::kListPrinters:
      return "--list-printers";
    case BookOutput::kNone:
      break;
  }
  return "";
}

std::string SetOutput(BookOptions& options, BookOutput output) {
  if (options.output != BookOutput::kNone && options.output != output) {
    return std::string(OutputOption(options.output)) + " and " + OutputOption(output) +
           " cannot be combined";
  }
  options.output = output;
  return {};
}

std::optional<BookPaper> ParsePaper(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (lower == "letter") return BookPaper::kLetter;
  if (lower == "a4") return BookPaper::kA4;
  if (lower == "legal") return BookPaper::kLegal;
  return std::nullopt;
}

const std::vector<OptionRow>& OptionTable() {
  static const std::vector<OptionRow> table = {
      {"--project", true,
       [](BookOptions& o, const std::string& v) {
         o.project = v;
         return std::string();
       }},
      {"--date", true,
       [](BookOptions& o, const std::string& v) {
         const auto date = ParseDate(v);
         if (!date) return "--date needs a date YYYY-MM-DD, not \"" + v + "\"";
         o.heading_date = *date;
         return std::string();
       }},
      {"--cells", true,
       [](BookOptions& o, const std::string& v) {
         const auto x = v.find_first_of("xX");
         const auto columns = x == std::string::npos ? std::nullopt : ParseCells(v.substr(0, x));
         const auto lines = x == std::string::npos ? std::nullopt : ParseCells(v.substr(x + 1));
         if (!columns || !lines) {
           return "--cells needs COLSxLINES with numbers above 0 up to 32767, not \"" + v + "\"";
         }
         o.columns = *columns;
         o.lines = *lines;
         return std::string();
       }},
      {"--side", true,
       [](BookOptions& o, const std::string& v) {
         if (v == "left") {
           o.side = BookSide::kLeft;
         } else if (v == "right") {
           o.side = BookSide::kRight;
         } else {
           return "--side needs left or right, not \"" + v + "\"";
         }
         return std::string();
       }},
      {"--pages", true,
       [](BookOptions& o, const std::string& v) {
         const auto dash = v.find('-');
         const auto from = dash == std::string::npos ? std::nullopt : ParseInt(v.substr(0, dash));
         const auto to = dash == std::string::npos ? std::nullopt : ParseInt(v.substr(dash + 1));
         if (!from || !to || *from < 1 || *from > *to) {
           return "--pages needs FROM-TO with 1 <= FROM <= TO, not \"" + v + "\"";
         }
         o.pages = PageRange{*from, *to};
         return std::string();
       }},
      {"--text", false,
       [](BookOptions& o, const std::string&) { return SetOutput(o, BookOutput::kText); }},
      {"--stations", false,
       [](BookOptions& o, const std::string&) { return SetOutput(o, BookOutput::kStations); }},
      {"--pdf", true,
       [](BookOptions& o, const std::string& v) {
         if (v.empty()) return std::string("--pdf needs a file name");
         o.pdf_file = v;
         return SetOutput(o, BookOutput::kPdf);
       }},
      {"--printer", true,
       [](BookOptions& o, const std::string& v) {
         if (v.empty()) return std::string("--printer needs a printer name");
         o.printer = v;
         return SetOutput(o, BookOutput::kPrinter);
       }},
      {"--list-printers", false,
       [](BookOptions& o, const std::string&) { return SetOutput(o, BookOutput::kListPrinters); }},
      {"--paper", true,
       [](BookOptions& o, const std::string& v) {
         const auto paper = ParsePaper(v);
         if (!paper) return "--paper needs letter, a4 or legal, not \"" + v + "\"";
         o.paper = *paper;
         return std::string();
       }},
      {"--font", true,
       [](BookOptions& o, const std::string& v) {
         if (v.empty()) return std::string("--font needs a font name");
         o.font = v;
         return std::string();
       }},
  };
  return table;
}

}  // namespace

ParsedOptions ParseBookOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  BookOptions& options = parsed.options;
  std::vector<std::string> files;
  std::set<std::string> given;
  bool options_ended = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    if (arg == "--help") {
      parsed.help = true;
      return parsed;
    }
    if (arg == "--version") {
      parsed.version = true;
      return parsed;
    }
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionRow* row = nullptr;
    for (const OptionRow& candidate : OptionTable()) {
      if (candidate.name == name) row = &candidate;
    }
    if (!row) {
      parsed.error = "unknown option " + name;
      return parsed;
    }
    std::string value;
    if (row->takes_value) {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        parsed.error = name + " needs a value";
        return parsed;
      }
    } else if (equals != std::string::npos) {
      parsed.error = name + " takes no value";
      return parsed;
    }
    parsed.error = row->apply(options, value);
    if (!parsed.error.empty()) return parsed;
    given.insert(name);
  }
  const bool on_paper = DrawsOnPaper(options.output);
  const bool as_text =
      options.output == BookOutput::kText || options.output == BookOutput::kStations;
  if (options.output == BookOutput::kNone) {
    parsed.error = "one of --text, --stations, --pdf, --printer or --list-printers is needed";
  } else if (given.count("--paper") && options.output != BookOutput::kPdf) {
    parsed.error = "--paper applies only to --pdf";
  } else if (given.count("--font") && !on_paper) {
    parsed.error = "--font applies only to --pdf and --printer";
  } else if (given.count("--cells") && !as_text) {
    // On paper the printer's page gives the cells.
    parsed.error = "--cells applies only to --text and --stations";
  } else if (options.output == BookOutput::kListPrinters) {
    if (!files.empty()) parsed.error = "--list-printers takes no criteria file";
  } else if (files.empty()) {
    parsed.error = "no criteria file given";
  } else if (files.size() > 1) {
    parsed.error = "only one criteria file can be given";
  } else {
    options.file = files.front();
  }
  return parsed;
}

std::string BookUsage() {
  return "Usage: vantrels-book [--project TEXT] [--date YYYY-MM-DD] [--side left|right]\n"
         "                     [--pages FROM-TO] [--cells COLSxLINES] (--text | --stations) "
         "FILE.csv\n"
         "       vantrels-book [--project TEXT] [--date YYYY-MM-DD] [--side left|right]\n"
         "                     [--pages FROM-TO] [--font NAME]\n"
         "                     (--pdf OUT.pdf [--paper letter|a4|legal] | --printer NAME) "
         "FILE.csv\n"
         "       vantrels-book --list-printers | --help | --version\n"
         "Lays out the grade-stake book of a criteria report.\n"
         "  --project TEXT      project number in the page heading (default empty)\n"
         "  --date YYYY-MM-DD   date in the page heading (default today)\n"
         "  --side left|right   only that side of a divided roadway\n"
         "  --pages FROM-TO     only these pages (from 1) of the roadway or of the side\n"
         "  --cells COLSxLINES  printable page size in character cells (default 96x63)\n"
         "  --text              write the pages as text to stdout\n"
         "  --stations          write the go-to-station lists to stdout\n"
         "  --pdf OUT.pdf       write the pages to a PDF file\n"
         "  --paper SIZE        the PDF's paper: letter (default), a4 or legal;\n"
         "                      quarter-inch margins\n"
         "  --printer NAME      send the pages to an installed printer\n"
         "  --font NAME         face of the report text (default Courier New)\n"
         "  --list-printers     list the printers, one per line\n"
         "  --help              show this text\n"
         "  --version           show the program's version\n";
}

}  // namespace vantrels
