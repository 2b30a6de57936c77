#pragma once

#include <string>
#include <string_view>

namespace vantrels {

// Turns a point code into words ("LtSgEOP" -> "Left Edge"); other codes pass unchanged.
std::string DescribePoint(std::string_view code);

}  // namespace vantrels
