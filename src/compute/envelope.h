#pragma once

#include <string>
#include <vector>

#include "import/landxml_document.h"

namespace vantrels {

// A design point hidden by a segment that passes more than this above it is not finished grade.
inline constexpr double kAboveTolerance = 0.005;
// Points this close in offset and in elevation are one point.
inline constexpr double kSamePointTolerance = 0.0005;

struct GradePoint {
  double offset = 0;
  double elevation = 0;
  std::string code;

  bool operator==(const GradePoint&) const = default;
};

// The finished-grade points of a cross section: the upper envelope of all its design surfaces.
// A point is kept when no segment between neighbouring points of any surface passes more than
// kAboveTolerance above it at its offset; kept points within kSamePointTolerance of each other
// are one point, with the first code in file order; ordered left to right. Subbase points,
// shape bottoms and repeated closing points drop out by this rule, whatever their codes.
std::vector<GradePoint> FinishedGrade(const std::vector<DesignSurface>& surfaces);

}  // namespace vantrels
