#include "compute/cut_fill.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/text.h"

namespace vantrels {

namespace {

std::optional<double> PieceElevation(const std::vector<GroundPoint>& piece, double offset) {
  if (piece.size() == 1 && std::fabs(piece[0].offset - offset) <= kGroundEndTolerance)
    return piece[0].elevation;
  for (size_t k = 0; k + 1 < piece.size(); ++k) {
    const GroundPoint& a = piece[k];
    const GroundPoint& b = piece[k + 1];
    if (offset < std::min(a.offset, b.offset) - kGroundEndTolerance ||
        offset > std::max(a.offset, b.offset) + kGroundEndTolerance) {
      continue;
    }
    const double run = b.offset - a.offset;
    if (run == 0) return std::max(a.elevation, b.elevation);
    const double t = std::clamp((offset - a.offset) / run, 0.0, 1.0);
    return a.elevation + t * (b.elevation - a.elevation);
  }
  return std::nullopt;
}

}  // namespace

std::optional<double> GroundElevation(const GroundLine& ground, double offset) {
  for (const std::vector<GroundPoint>& piece : ground.pieces) {
    if (const std::optional<double> elevation = PieceElevation(piece, offset)) return elevation;
  }
  return std::nullopt;
}

std::optional<std::string> DefaultGroundName(const Alignment& alignment) {
  for (const CrossSection& section : alignment.sections) {
    for (const GroundLine& line : section.ground) {
      if (LowerCase(line.name).find("exist") != std::string::npos) return line.name;
    }
  }
  return std::nullopt;
}

const GroundLine* GroundNamed(const CrossSection& section, std::string_view name) {
  const std::string wanted = LowerCase(name);
  for (const GroundLine& line : section.ground) {
    if (LowerCase(line.name) == wanted) return &line;
  }
  return nullptr;
}

}  // namespace vantrels
