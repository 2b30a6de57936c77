#pragma once

#include <string>

#include "model/book.h"

namespace vantrels {

inline constexpr double kMinSlopeSpan = 0.2;

// The slope text from ((e1 - e0) * 100) / span, formatted "##.00"; empty when not finite.
std::string SlopeText(double e0, double e1, double span);

// Orders the points of a divided roadway's stations (the first point of each moves to its place
// by offset) and writes every slope text. Shows no message: a step whose numbers cannot be read
// gets an empty slope text, and a station of more points than a station holds is left as it is.
RoadwayStations CalculateSlopes(RoadwayStations stations);

}  // namespace vantrels
