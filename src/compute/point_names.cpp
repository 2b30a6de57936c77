#include "compute/point_names.h"

#include <string_view>
#include <utility>

namespace vantrels {

namespace {

// The point codes that have words, and their words.
constexpr std::pair<std::string_view, std::string_view> kPointWords[] = {
    {"LtSgShldr", "Left Shoulder"}, {"LtSgEOP", "Left Edge"},         {"RtSgEOP", "Right Edge"},
    {"RtSgShldr", "Right Shoulder"}, {"BR", "Break"},
};

}  // namespace

std::string DescribePoint(std::string code) {
  for (const auto& [known, words] : kPointWords) {
    if (code == known) return std::string(words);
  }
  return code;
}

std::string PointCode(const Point& point) {
  if (point.described) {
    for (const auto& [known, words] : kPointWords) {
      if (point.label == words) return std::string(known);
    }
  }
  return point.label;
}

}  // namespace vantrels
