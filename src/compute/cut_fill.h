#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "import/landxml_document.h"

namespace vantrels {

// How far past the end of a ground line a point still finds the ground: a point at the
// daylight where the ground line ends must not miss it by a rounding.
inline constexpr double kGroundEndTolerance = 0.0005;

// The ground's elevation at `offset`, interpolated along the first segment of the line that
// spans the offset (a vertical step gives its upper end); nullopt where no piece reaches.
std::optional<double> GroundElevation(const GroundLine& ground, double offset);

// The ground line to measure cut and fill against when the user names none: the name of the
// first line, in file order, whose name contains "exist" in any letter case.
std::optional<std::string> DefaultGroundName(const Alignment& alignment);

// The cross section's line of that name (any letter case); nullptr when it has none.
const GroundLine* GroundNamed(const CrossSection& section, std::string_view name);

}  // namespace vantrels
