#include "compute/profile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vantrels {

namespace {

// The grade of the line from point k to point k + 1.
double Grade(const std::vector<ProfilePoint>& points, size_t k) {
  return (points[k + 1].elevation - points[k].elevation) /
         (points[k + 1].station - points[k].station);
}

// The horizontal lengths of the curve at point k before and after it.
struct CurveSpan {
  double before = 0;
  double after = 0;
};

CurveSpan SpanOf(const std::vector<ProfilePoint>& points, size_t k) {
  const ProfilePoint& p = points[k];
  switch (p.curve) {
    case VerticalCurve::kNone:
      return {};
    case VerticalCurve::kParabola:
      return {p.length / 2, p.length / 2};
    case VerticalCurve::kUnsymmetricParabola:
      return {p.length_in, p.length_out};
    case VerticalCurve::kCircular: {
      // The tangent length R tan(turn / 2) along each grade line.
      const double in = std::atan(Grade(points, k - 1));
      const double out = std::atan(Grade(points, k));
      const double tangent = p.radius * std::tan(std::fabs(out - in) / 2);
      return {tangent * std::cos(in), tangent * std::cos(out)};
    }
  }
  return {};
}

// A parabola from the tangent at `before` ahead of the point to the tangent `after` past it; both
// halves leave their tangent lines by e (x / l)^2, e = l1 l2 (g2 - g1) / (2 (l1 + l2)) being the
// curve's offset at the point. The symmetric curve is the case l1 = l2.
double ParabolaElevation(const ProfilePoint& p, double g1, double g2, CurveSpan span,
                         double station) {
  const double total = span.before + span.after;
  const double e = span.before * span.after * (g2 - g1) / (2 * total);
  if (station <= p.station) {
    const double x = station - (p.station - span.before);
    return p.elevation - g1 * (p.station - station) + e * (x / span.before) * (x / span.before);
  }
  const double y = p.station + span.after - station;
  return p.elevation + g2 * (station - p.station) + e * (y / span.after) * (y / span.after);
}

// A circle of the given radius tangent to both grade lines: its centre lies R from where it
// leaves the first grade, across that grade towards the inside of the turn.
double CircleElevation(const ProfilePoint& p, double g1, double g2, CurveSpan span,
                       double station) {
  const double in = std::atan(g1);
  const bool sag = g2 > g1;
  const double start_station = p.station - span.before;
  const double start_elevation = p.elevation - g1 * span.before;
  const double side = sag ? 1 : -1;
  const double centre_station = start_station - side * p.radius * std::sin(in);
  const double centre_elevation = start_elevation + side * p.radius * std::cos(in);
  const double dx = station - centre_station;
  const double rise = std::sqrt(std::max(0.0, p.radius * p.radius - dx * dx));
  return centre_elevation - side * rise;
}

// The curve at point k at `station`, nullopt when it does not reach the station.
std::optional<double> CurveElevation(const std::vector<ProfilePoint>& points, size_t k,
                                     double station) {
  if (k == 0 || k + 1 >= points.size() || points[k].curve == VerticalCurve::kNone)
    return std::nullopt;
  const CurveSpan span = SpanOf(points, k);
  const ProfilePoint& p = points[k];
  if (station < p.station - span.before || station > p.station + span.after ||
      span.before + span.after <= 0) {
    return std::nullopt;
  }
  const double g1 = Grade(points, k - 1);
  const double g2 = Grade(points, k);
  if (g1 == g2) return std::nullopt;
  if (p.curve == VerticalCurve::kCircular) return CircleElevation(p, g1, g2, span, station);
  // A half of zero length is the tangent itself.
  if ((station <= p.station && span.before == 0) || (station > p.station && span.after == 0))
    return std::nullopt;
  return ParabolaElevation(p, g1, g2, span, station);
}

}  // namespace

std::optional<double> ProfileElevation(const Profile& profile, double station) {
  const std::vector<ProfilePoint>& points = profile.points;
  if (points.size() < 2 || station < points.front().station - kProfileEndTolerance ||
      station > points.back().station + kProfileEndTolerance) {
    return std::nullopt;
  }
  // The grade line from point k to k + 1 holds the station.
  const auto after =
      std::upper_bound(points.begin(), points.end(), station,
                       [](double s, const ProfilePoint& p) { return s < p.station; });
  const size_t k =
      std::clamp<size_t>(static_cast<size_t>(after - points.begin()), 1, points.size() - 1) - 1;
  if (const std::optional<double> curve = CurveElevation(points, k, station)) return curve;
  if (const std::optional<double> curve = CurveElevation(points, k + 1, station)) return curve;
  return points[k].elevation + Grade(points, k) * (station - points[k].station);
}

}  // namespace vantrels
