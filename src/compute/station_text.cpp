#include "compute/station_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vantrels {

namespace {

int Decimals(LinearUnit unit) {
  return unit == LinearUnit::kFeet ? 2 : 3;
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
  const bool feet = unit == LinearUnit::kFeet;
  const int decimals = Decimals(unit);
  const int64_t scale = feet ? 100 : 1000;
  // Whole hundredths (thousandths), so that rounding carries into the station number.
  const int64_t units = std::llround(std::fabs(station) * static_cast<double>(scale));
  const int64_t per_station = (feet ? 100 : 1000) * scale;
  const int64_t rest = units % per_station;
  char text[64];
  std::snprintf(text, sizeof text, "%s%lld+%0*lld.%0*lld", units != 0 && station < 0 ? "-" : "",
                static_cast<long long>(units / per_station), feet ? 2 : 3,
                static_cast<long long>(rest / scale), decimals,
                static_cast<long long>(rest % scale));
  return text;
}

std::string StationLabel(double internal, const Alignment& alignment, LinearUnit unit) {
  const ShownStation shown = ApplyEquations(internal, alignment.equations);
  std::string label = FormatStation(shown.value, unit);
  if (!alignment.equations.empty()) label += " R" + std::to_string(shown.region);
  return label;
}

std::string FormatLength(double value, LinearUnit unit) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", Decimals(unit), value);
  std::string formatted = text;
  if (formatted.front() == '-' && formatted.find_first_of("123456789") == std::string::npos)
    formatted.erase(0, 1);
  return formatted;
}

}  // namespace vantrels
