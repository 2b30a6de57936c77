#include "compute/cut_fill.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vantrels {

namespace {

std::optional<double> SegmentElevation(const GroundPoint& a, const GroundPoint& b, double offset) {
  if (offset < std::min(a.offset, b.offset) - kGroundEndTolerance ||
      offset > std::max(a.offset, b.offset) + kGroundEndTolerance) {
    return std::nullopt;
  }
  const double run = b.offset - a.offset;
  if (run == 0) return std::max(a.elevation, b.elevation);
  const double t = std::clamp((offset - a.offset) / run, 0.0, 1.0);
  return a.elevation + t * (b.elevation - a.elevation);
}

std::optional<double> PieceElevation(const GroundPiece& piece, double offset) {
  const std::vector<GroundPoint>& points = piece.points;
  if (points.size() == 1 && std::fabs(points[0].offset - offset) <= kGroundEndTolerance)
    return points[0].elevation;
  if (points.size() < 2) return std::nullopt;
  size_t k = 0;
  if (piece.left_to_right) {
    // The first segment that can reach the offset ends at or after it.
    const auto end =
        std::lower_bound(points.begin() + 1, points.end() - 1, offset - kGroundEndTolerance,
                         [](const GroundPoint& p, double o) { return p.offset < o; });
    k = static_cast<size_t>(end - points.begin()) - 1;
  }
  for (; k + 1 < points.size(); ++k) {
    if (const std::optional<double> at = SegmentElevation(points[k], points[k + 1], offset))
      return at;
    if (piece.left_to_right) break;
  }
  return std::nullopt;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

bool ContainsExist(std::string_view name) {
  constexpr std::string_view kExist = "exist";
  for (size_t at = 0; at + kExist.size() <= name.size(); ++at) {
    if (SameIgnoringCase(name.substr(at, kExist.size()), kExist)) return true;
  }
  return false;
}

}  // namespace

std::optional<double> GroundElevation(const GroundLine& ground, double offset) {
  for (const GroundPiece& piece : ground.pieces) {
    if (const std::optional<double> elevation = PieceElevation(piece, offset)) return elevation;
  }
  return std::nullopt;
}

std::optional<std::string> DefaultGroundName(const Alignment& alignment) {
  for (const CrossSection& section : alignment.sections) {
    for (const GroundLine& line : section.ground) {
      if (ContainsExist(line.name)) return line.name;
    }
  }
  return std::nullopt;
}

const GroundLine* GroundNamed(const CrossSection& section, std::string_view name) {
  for (const GroundLine& line : section.ground) {
    if (SameIgnoringCase(line.name, name)) return &line;
  }
  return nullptr;
}

}  // namespace vantrels
