#include "compute/slopes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "compute/number_format.h"
#include "compute/number_read.h"

namespace vantrels {
namespace {

constexpr double kSlopeFactor = 100.0;

// The numbers of a station's points, each read once.
using PointNumbers = std::array<std::optional<double>, kMaxPoints>;

// Moves the point of slot 0 in front of the first later point with a greater offset. A station
// whose offsets cannot be compared up to that place keeps its order.
void OrderFirstPoint(std::vector<Point>& points, PointNumbers& offsets) {
  const size_t count = points.size();
  if (count < 2 || !offsets[0]) return;
  size_t place = count - 1;
  for (size_t j = 1; j < count; ++j) {
    if (!offsets[j]) return;
    if (*offsets[0] < *offsets[j]) {
      place = j - 1;
      break;
    }
  }
  // Slopes move along unseen: they are all written afterwards.
  const auto end = static_cast<ptrdiff_t>(place) + 1;
  std::rotate(points.begin(), points.begin() + 1, points.begin() + end);
  std::rotate(offsets.begin(), offsets.begin() + 1, offsets.begin() + end);
}

// Orders the points (divided rule) and writes the slope from each point to the next.
void SlopeStation(StationRecord& s, bool divided_rule) {
  std::vector<Point>& points = s.points;
  const size_t count = points.size();
  if (count == 0 || count > static_cast<size_t>(kMaxPoints)) return;
  // A divided station's offsets are read once for the ordering and the slopes; an undivided
  // station reads each as its slope comes.
  PointNumbers offsets;
  if (divided_rule) {
    for (size_t j = 0; j < count; ++j) offsets[j] = ParseNumber(points[j].offset);
    OrderFirstPoint(points, offsets);
  } else {
    offsets[0] = ParseNumber(points[0].offset);
  }
  std::optional<double> e0 = ParseNumber(points[0].elevation);
  for (size_t j = 0; j + 1 < count; ++j) {
    if (!divided_rule) offsets[j + 1] = ParseNumber(points[j + 1].offset);
    const std::optional<double> e1 = ParseNumber(points[j + 1].elevation);
    std::string& slope = points[j].slope;
    slope.clear();
    const std::optional<double>& o0 = offsets[j];
    const std::optional<double>& o1 = offsets[j + 1];
    if (o0 && o1 && e0 && e1) {
      const double span = std::fabs(*o1 - *o0);
      const bool computed = divided_rule ? span >= kMinSlopeSpan : span > kMinSlopeSpan;
      if (computed) slope = SlopeText(*e0, *e1, span);
    }
    e0 = e1;
  }
  points.back().slope.clear();
}

}  // namespace

std::string SlopeText(double e0, double e1, double span) {
  const double product = (e1 - e0) * kSlopeFactor;
  const double slope = product / span;
  if (!std::isfinite(slope)) return {};
  return FormatHundredths(slope);
}

RoadwayStations CalculateSlopes(RoadwayStations stations) {
  const bool divided = stations.roadway == Roadway::Divided;
  for (Stations& side : stations.sides) {
    for (StationRecord& s : side) {
      if (!s.IsMessage()) SlopeStation(s, divided);
    }
  }
  return stations;
}

}  // namespace vantrels
