#include "cli/option_values.h"

#include <charconv>

#include "book/station_value.h"
#include "model/user_text.h"
#include "model/cp1252.h"
#include "model/text.h"
#include "model/units.h"

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

}  // namespace

std::string Shown(std::string_view value) {
  return "\"" + EscapedText(value) + "\"";
}

Result<std::string> ReadProject(std::string_view value) {
  const Cp1252Text text = Utf8ToCp1252(value);
  switch (text.problem) {
    case Cp1252Text::Problem::kNone:
      return text.bytes;
    case Cp1252Text::Problem::kNotUtf8:
      return UsageError("--project needs UTF-8 text, not " + Shown(value));
    case Cp1252Text::Problem::kControl:
      return UsageError("--project needs text without control characters, not " + Shown(value));
    case Cp1252Text::Problem::kMissing:
      break;
  }
  std::string character;
  for (size_t at = 0; character.empty(); ++at) {
    const Utf8Char c = DecodeUtf8At(value, at);
    if (c.length > 0 && c.code_point == text.missing) character = value.substr(at, c.length);
  }
  return UsageError("--project cannot hold \"" + character + "\" (" +
                    CodePointName(text.missing) + "): the page heading is Windows-1252 text");
}

Result<std::string> ReadDate(std::string_view text) {
  const Failure refused = UsageError("--date needs a date YYYY-MM-DD, not " + Shown(text));
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return refused;
  const auto year = ParseInt(text.substr(0, 4));
  const auto month = ParseInt(text.substr(5, 2));
  const auto day = ParseInt(text.substr(8, 2));
  if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1) {
    return refused;
  }
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int days = kDays[*month - 1] + (*month == 2 && LeapYear(*year) ? 1 : 0);
  if (*day > days) return refused;
  return std::string(text.substr(5, 2)) + " " + std::string(text.substr(8, 2)) + " " +
         std::string(text.substr(0, 4));
}

Status ReadCells(BookOptions& options, std::string_view value) {
  const auto x = value.find_first_of("xX");
  const auto columns = x == std::string::npos ? std::nullopt : ParseCells(value.substr(0, x));
  const auto lines = x == std::string::npos ? std::nullopt : ParseCells(value.substr(x + 1));
  if (!columns || !lines) {
    return UsageError("--cells needs COLSxLINES with numbers above 0 up to 32767, not " +
                      Shown(value));
  }
  options.columns = *columns;
  options.lines = *lines;
  return {};
}

Result<PageRange> ReadPages(std::string_view value) {
  const auto dash = value.find('-');
  const auto from = dash == std::string::npos ? std::nullopt : ParseInt(value.substr(0, dash));
  const auto to = dash == std::string::npos ? std::nullopt : ParseInt(value.substr(dash + 1));
  if (!from || !to || *from < 1 || *from > *to) {
    return UsageError("--pages needs FROM-TO with 1 <= FROM <= TO, not " + Shown(value));
  }
  return PageRange{*from, *to};
}

Result<double> ReadStation(const char* option, std::string_view value) {
  if (const std::optional<double> station = StationValue(value)) return *station;
  return UsageError(std::string(option) +
                    " needs a station such as 2390+00, 1+234.567 or 239000, not " + Shown(value));
}

Result<Paper> ReadPaper(std::string_view value) {
  if (const std::optional<Paper> paper = ParsePaper(value)) return *paper;
  return UsageError("--paper needs letter, a4 or legal, not " + Shown(value));
}

Result<Side> ReadSide(std::string_view value) {
  if (value == "left") return Side::Left;
  if (value == "right") return Side::Right;
  return UsageError("--side needs left or right, not " + Shown(value));
}

Result<StakeoutFormat> ReadStakeoutFormat(std::string_view value) {
  for (const StakeoutFormat format : {StakeoutFormat::kTbc, StakeoutFormat::kCivil3d}) {
    if (value == StakeoutFormatName(format)) return format;
  }
  return UsageError("--stakeout-format needs tbc or civil3d, not " + Shown(value));
}

Result<ElevationMode> ReadElevations(std::string_view value) {
  for (const ElevationMode mode :
       {ElevationMode::kAbsolute, ElevationMode::kRelative, ElevationMode::kAuto}) {
    if (value == ElevationModeName(mode)) return mode;
  }
  return UsageError("--elevations needs absolute, relative or auto, not " + Shown(value));
}

Result<std::string> ReadLandXmlName(const char* option, std::string_view value) {
  if (value.empty()) return UsageError(std::string(option) + " needs a name");
  return Cp1252FromUtf8(value);
}

}  // namespace vantrels
