#pragma once

#include <optional>

#include "import/landxml_document.h"

namespace vantrels {

// How far beyond its first and last point a profile still gives an elevation: a cross section
// at the profile's end must not fall off it by a rounding.
inline constexpr double kProfileEndTolerance = 0.0005;

// The elevation of the profile at `station`: on the grade lines between its points, and on the
// vertical curve where one rounds a point (symmetric and unsymmetric parabolas, circular
// curves). nullopt before the first point or after the last.
std::optional<double> ProfileElevation(const Profile& profile, double station);

}  // namespace vantrels
