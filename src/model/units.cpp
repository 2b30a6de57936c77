#include "model/units.h"

namespace vantrels {

double SinglePrecision(double value) {
  // Through a volatile: GCC 12's vectoriser drops a pair of double-to-float-to-double
  // conversions.
  volatile float single = static_cast<float>(value);
  return single;
}

}  // namespace vantrels
