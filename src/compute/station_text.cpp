#include "compute/station_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace vantrels {

namespace {

int Decimals(LinearUnit unit) {
  return unit == LinearUnit::kFeet ? 2 : 3;
}

uint64_t Scale(int decimals) {
  return decimals == 2 ? 100 : 1000;
}

// Writes a whole number with at least `digits` digits; returns the end.
char* WriteWhole(char* out, uint64_t value, int digits) {
  char* end = std::to_chars(out, out + 24, value).ptr;
  const ptrdiff_t missing = digits - (end - out);
  if (missing <= 0) return end;
  std::copy_backward(out, end, end + missing);
  std::fill_n(out, missing, '0');
  return end + missing;
}

// Writes a whole number of hundredths (thousandths) as a decimal: 2405 is "24.05".
char* WriteDecimal(char* out, uint64_t units, int decimals, int integer_digits) {
  const uint64_t scale = Scale(decimals);
  out = WriteWhole(out, units / scale, integer_digits);
  *out++ = '.';
  return WriteWhole(out, units % scale, decimals);
}

// |value| in whole hundredths (thousandths), rounded half away from zero.
uint64_t Units(double value, int decimals) {
  return static_cast<uint64_t>(
      std::llround(std::fabs(value) * static_cast<double>(Scale(decimals))));
}

}  // namespace

ShownStation ApplyEquations(double internal, std::span<const StationEquation> equations) {
  ShownStation shown{internal, 1};
  for (const StationEquation& equation : equations) {
    if (internal < equation.internal) break;
    const double past = internal - equation.internal;
    shown.value = equation.decreasing ? equation.ahead - past : equation.ahead + past;
    ++shown.region;
  }
  return shown;
}

std::string FormatStation(double station, LinearUnit unit) {
  const int decimals = Decimals(unit);
  // Whole hundredths (thousandths), so that rounding carries into the station number.
  const uint64_t units = Units(station, decimals);
  const uint64_t per_station = (unit == LinearUnit::kFeet ? 100 : 1000) * Scale(decimals);
  char text[64];
  char* out = text;
  if (units != 0 && station < 0) *out++ = '-';
  out = WriteWhole(out, units / per_station, 1);
  *out++ = '+';
  out = WriteDecimal(out, units % per_station, decimals, unit == LinearUnit::kFeet ? 2 : 3);
  return std::string(text, out);
}

std::string StationLabel(double internal, const Alignment& alignment, LinearUnit unit) {
  const ShownStation shown = ApplyEquations(internal, alignment.equations);
  std::string label = FormatStation(shown.value, unit);
  if (!alignment.equations.empty()) label += " R" + std::to_string(shown.region);
  return label;
}

std::string FormatLength(double value, LinearUnit unit) {
  const int decimals = Decimals(unit);
  const uint64_t units = Units(value, decimals);
  char text[64];
  char* out = text;
  if (units != 0 && value < 0) *out++ = '-';
  out = WriteDecimal(out, units, decimals, 1);
  return std::string(text, out);
}

}  // namespace vantrels
