#include "cli/book_options.h"

#include <charconv>
#include <cmath>
#include <functional>
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
struct OptionSpec {
  std::string_view name;
  bool takes_value;
  std::function<std::string(BookOptions&, const std::string&)> apply;
};

std::string SetOutput(BookOptions& options, BookOutput output) {
  if (options.output != BookOutput::kNone && options.output != output) {
    return "--text and --stations cannot be combined";
  }
  options.output = output;
  return {};
}

const std::vector<OptionSpec>& Specs() {
  static const std::vector<OptionSpec> specs = {
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
  };
  return specs;
}

}  // namespace

ParsedOptions ParseBookOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  BookOptions& options = parsed.options;
  std::vector<std::string> files;
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
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& candidate : Specs()) {
      if (candidate.name == name) spec = &candidate;
    }
    if (!spec) {
      parsed.error = "unknown option " + name;
      return parsed;
    }
    std::string value;
    if (spec->takes_value) {
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
    parsed.error = spec->apply(options, value);
    if (!parsed.error.empty()) return parsed;
  }
  if (options.output == BookOutput::kNone) {
    parsed.error = "one of --text or --stations is needed";
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
  return "Usage: vantrels-book [--project TEXT] [--date YYYY-MM-DD] [--cells COLSxLINES]\n"
         "                     [--side left|right] [--pages FROM-TO] (--text | --stations) "
         "FILE.csv\n"
         "Lays out the grade-stake book of a criteria report.\n"
         "  --project TEXT      project number in the page heading (default empty)\n"
         "  --date YYYY-MM-DD   date in the page heading (default today)\n"
         "  --cells COLSxLINES  printable page size in character cells (default 96x63)\n"
         "  --side left|right   only that side of a divided roadway\n"
         "  --pages FROM-TO     only these pages (from 1) of the roadway or of the side\n"
         "  --text              write the pages as text to stdout\n"
         "  --stations          write the go-to-station lists to stdout\n"
         "  --help              show this text\n";
}

}  // namespace vantrels
