#include "compute/point_names.h"

namespace vantrels {

std::string DescribePoint(std::string code) {
  if (code == "LtSgShldr") return "Left Shoulder";
  if (code == "LtSgEOP") return "Left Edge";
  if (code == "RtSgEOP") return "Right Edge";
  if (code == "RtSgShldr") return "Right Shoulder";
  if (code == "BR") return "Break";
  return code;
}

}  // namespace vantrels
