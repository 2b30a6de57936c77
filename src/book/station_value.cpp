#include "book/station_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vantrels {

namespace {

size_t DigitsAt(std::string_view text, size_t at) {
  size_t end = at;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  return end - at;
}

}  // namespace

std::optional<std::string> StationNumber(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  size_t at = negative ? 1 : 0;
  const size_t whole = DigitsAt(text, at);
  if (whole == 0) return std::nullopt;
  std::string digits(text.substr(at, whole));
  at += whole;
  if (at < text.size() && text[at] == '+') {
    const size_t hundreds = DigitsAt(text, at + 1);
    if (hundreds == 0) return std::nullopt;
    digits += text.substr(at + 1, hundreds);
    at += hundreds + 1;
  }
  std::string fraction;
  if (at < text.size() && text[at] == '.') {
    const size_t decimals = DigitsAt(text, at + 1);
    if (decimals == 0) return std::nullopt;
    fraction = text.substr(at, decimals + 1);
    at += decimals + 1;
  }
  if (at != text.size()) return std::nullopt;
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
  const bool zero = digits == "0" && fraction.find_first_not_of(".0") == std::string::npos;
  return (negative && !zero ? "-" : "") + digits + fraction;
}

std::optional<double> StationValue(std::string_view text) {
  const std::optional<std::string> number = StationNumber(text);
  if (!number) return std::nullopt;
  double value = 0;
  const char* end = number->data() + number->size();
  const auto [last, error] = std::from_chars(number->data(), end, value);
  if (error != std::errc() || last != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> RegionStationValue(std::string_view text) {
  return StationValue(text.substr(0, text.find_first_of(" \t")));
}

std::string_view RegionOf(std::string_view region_station) {
  const size_t blank = region_station.find_first_of(" \t");
  if (blank == std::string_view::npos) return {};
  const size_t region = region_station.find_first_not_of(" \t", blank);
  if (region == std::string_view::npos) return {};
  const size_t end = region_station.find_last_not_of(" \t");
  return region_station.substr(region, end + 1 - region);
}

StationStyle StyleOf(std::string_view station) {
  if (!StationNumber(station)) return {};
  const size_t plus = station.find('+');
  const size_t point = station.find('.');
  const size_t whole_end = point == std::string_view::npos ? station.size() : point;
  StationStyle style;
  style.plus_digits = plus == std::string_view::npos ? 0 : static_cast<int>(whole_end - plus - 1);
  style.decimals = point == std::string_view::npos ? 0 : static_cast<int>(station.size() - point - 1);
  return style;
}

std::string FormatStation(double value, StationStyle style) {
  // to_chars never reads the locale, where printf would write "2390+00,00" under de_DE.
  std::string text(400 + static_cast<size_t>(style.decimals), '\0');
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), std::fabs(value),
                                          std::chars_format::fixed, style.decimals);
  if (error != std::errc()) return {};
  text.resize(static_cast<size_t>(end - text.data()));
  size_t whole = text.find('.');
  if (whole == std::string::npos) whole = text.size();
  if (style.plus_digits > 0) {
    // "50.50" has no station hundreds: it is station 0.
    const size_t needed = static_cast<size_t>(style.plus_digits) + 1;
    if (whole < needed) text.insert(0, needed - whole, '0');
    text.insert(std::max(whole, needed) - static_cast<size_t>(style.plus_digits), "+");
  }
  const bool zero = text.find_first_not_of("0+.") == std::string::npos;
  return (value < 0 && !zero ? "-" : "") + text;
}

}  // namespace vantrels
