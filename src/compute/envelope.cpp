#include "compute/envelope.h"

#include <algorithm>
#include <cmath>

namespace vantrels {

namespace {

struct Candidate {
  const SectionPoint* point = nullptr;
  // Place in file order.
  size_t order = 0;
  bool hidden = false;
};

struct Segment {
  const SectionPoint* a = nullptr;
  const SectionPoint* b = nullptr;
};

// The highest elevation of the segment at `offset`, which lies within its offsets.
double HeightAt(const Segment& s, double offset) {
  const double run = s.b->offset - s.a->offset;
  if (run == 0) return std::max(s.a->elevation, s.b->elevation);
  const double t = std::clamp((offset - s.a->offset) / run, 0.0, 1.0);
  return s.a->elevation + t * (s.b->elevation - s.a->elevation);
}

bool SamePoint(const SectionPoint& a, const SectionPoint& b) {
  return std::fabs(a.offset - b.offset) <= kSamePointTolerance &&
         std::fabs(a.elevation - b.elevation) <= kSamePointTolerance;
}

// Marks every candidate (sorted by offset) that a segment passes too far above.
void HideCovered(std::vector<Candidate>& by_offset, const std::vector<Segment>& segments) {
  const auto offset_less = [](const Candidate& c, double o) { return c.point->offset < o; };
  for (const Segment& s : segments) {
    const double low = std::min(s.a->offset, s.b->offset);
    const double high = std::max(s.a->offset, s.b->offset);
    auto it = std::lower_bound(by_offset.begin(), by_offset.end(), low, offset_less);
    for (; it != by_offset.end() && it->point->offset <= high; ++it) {
      if (!it->hidden && HeightAt(s, it->point->offset) > it->point->elevation + kAboveTolerance)
        it->hidden = true;
    }
  }
}

}  // namespace

std::vector<GradePoint> FinishedGrade(const std::vector<DesignSurface>& surfaces) {
  std::vector<Candidate> candidates;
  std::vector<Segment> segments;
  for (const DesignSurface& surface : surfaces) {
    for (size_t k = 0; k < surface.points.size(); ++k) {
      candidates.push_back({&surface.points[k], candidates.size(), false});
      if (k > 0) segments.push_back({&surface.points[k - 1], &surface.points[k]});
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.point->offset < b.point->offset;
  });
  HideCovered(candidates, segments);

  // Visible points in file order, so that the first of equal points gives the code.
  std::vector<Candidate> visible;
  for (const Candidate& c : candidates) {
    if (!c.hidden) visible.push_back(c);
  }
  std::sort(visible.begin(), visible.end(),
            [](const Candidate& a, const Candidate& b) { return a.order < b.order; });
  std::vector<GradePoint> grade;
  std::vector<const SectionPoint*> kept;
  for (const Candidate& c : visible) {
    const auto same = std::find_if(kept.begin(), kept.end(), [&](const SectionPoint* k) {
      return SamePoint(*k, *c.point);
    });
    if (same == kept.end()) {
      kept.push_back(c.point);
      grade.push_back({c.point->offset, c.point->elevation, c.point->code});
    } else if (GradePoint& first = grade[static_cast<size_t>(same - kept.begin())];
               first.code.empty()) {
      // A point without a code takes the code of the first equal point that has one.
      first.code = c.point->code;
    }
  }
  std::stable_sort(grade.begin(), grade.end(), [](const GradePoint& a, const GradePoint& b) {
    return a.offset < b.offset;
  });
  return grade;
}

}  // namespace vantrels
