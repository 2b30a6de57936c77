#pragma once

#include <string>

#include "model/book.h"

namespace vantrels {

// Turns a point code into words ("LtSgEOP" -> "Left Edge"); other codes pass unchanged.
std::string DescribePoint(std::string code);

// The point code the file gave a point of the report, whose label is its description.
std::string PointCode(const Point& point);

}  // namespace vantrels
