#include "book/station_value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace vantrels {

namespace {

size_t DigitsAt(std::string_view text, size_t at) {
  size_t end = at;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  return end - at;
}

}  // namespace

std::optional<double> StationFeet(std::string_view text) {
  const size_t whole = DigitsAt(text, 0);
  if (whole == 0) return std::nullopt;
  // "2390+00.00" is read as the decimal 239000.00, so the value is exact to the last digit.
  std::string decimal(text.substr(0, whole));
  size_t at = whole;
  if (at < text.size() && text[at] == '+') {
    if (DigitsAt(text, at + 1) != 2) return std::nullopt;
    decimal += text.substr(at + 1, 2);
    at += 3;
  }
  if (at < text.size() && text[at] == '.') {
    const size_t fraction = DigitsAt(text, at + 1);
    if (fraction == 0) return std::nullopt;
    decimal += text.substr(at, fraction + 1);
    at += fraction + 1;
  }
  if (at != text.size()) return std::nullopt;
  double feet = 0;
  const auto [end, error] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), feet);
  if (error != std::errc() || end != decimal.data() + decimal.size() || !std::isfinite(feet)) {
    return std::nullopt;
  }
  return feet;
}

std::optional<double> RegionStationFeet(std::string_view text) {
  const size_t blank = text.find_first_of(" \t");
  if (blank == std::string_view::npos) return StationFeet(text);
  return StationFeet(text.substr(0, blank));
}

std::string FormatStationFeet(double feet) {
  // A station may be any finite number of feet: up to some 310 digits.
  std::string text(400, '\0');
  text.resize(static_cast<size_t>(std::snprintf(text.data(), text.size(), "%.2f", feet)));
  // "50.50" has no station hundreds: it is station 0.
  if (text.size() < 6) text.insert(0, std::string(6 - text.size(), '0'));
  text.insert(text.size() - 5, "+");
  return text;
}

}  // namespace vantrels
