#include "model/units.h"

#include <cmath>

#include "model/text.h"

namespace vantrels {

double SinglePrecision(double value) {
  // Through a volatile: GCC 12's vectoriser drops a pair of double-to-float-to-double
  // conversions.
  volatile float single = static_cast<float>(value);
  return single;
}

int TwipsToPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

std::optional<Paper> ParsePaper(std::string_view name) {
  const std::string lower = LowerCase(name);
  if (lower == "letter") return Paper::Letter;
  if (lower == "a4") return Paper::A4;
  if (lower == "legal") return Paper::Legal;
  return std::nullopt;
}

}  // namespace vantrels
