#pragma once

#include <string>

namespace vantrels {

// Turns a point code into words ("LtSgEOP" -> "Left Edge"); other codes pass unchanged.
std::string DescribePoint(std::string code);

}  // namespace vantrels
