#include "model/units.h"

#include <cmath>

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

double PixelsToTwips(double pixels, double dpi) {
  return pixels * kTwipsPerInch / dpi;
}

}  // namespace vantrels
