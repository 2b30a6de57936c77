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

bool SamePoint(const GradePoint& a, const SectionPoint& b) {
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
  // Room kept from one cross section to the next.
  thread_local std::vector<Candidate> candidates;
  thread_local std::vector<Segment> segments;
  thread_local std::vector<size_t> orders;
  thread_local std::vector<size_t> by_offset;
  candidates.clear();
  segments.clear();
  orders.clear();
  for (const DesignSurface& surface : surfaces) {
    for (size_t k = 0; k < surface.points.size(); ++k) {
      candidates.push_back({&surface.points[k], candidates.size(), false});
      if (k > 0) segments.push_back({&surface.points[k - 1], &surface.points[k]});
    }
  }
  // By offset, and in file order at the same offset.
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.point->offset < b.point->offset ||
           (a.point->offset == b.point->offset && a.order < b.order);
  });
  HideCovered(candidates, segments);
  // The visible points in file order, so that the first of equal points gives the code.
  std::erase_if(candidates, [](const Candidate& c) { return c.hidden; });
  std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& a, const Candidate& b) { return a.order < b.order; });
  std::vector<GradePoint> grade;
  for (const Candidate& c : candidates) {
    const auto same = std::find_if(grade.begin(), grade.end(),
                                   [&](const GradePoint& g) { return SamePoint(g, *c.point); });
    if (same == grade.end()) {
      grade.push_back({c.point->offset, c.point->elevation, c.point->code});
      orders.push_back(c.order);
    } else if (same->code.empty()) {
      // A point without a code takes the code of the first equal point that has one.
      same->code = c.point->code;
    }
  }
  // Left to right; at the same offset in file order.
  by_offset.resize(grade.size());
  for (size_t k = 0; k < by_offset.size(); ++k) by_offset[k] = k;
  std::sort(by_offset.begin(), by_offset.end(), [&](size_t a, size_t b) {
    return grade[a].offset < grade[b].offset ||
           (grade[a].offset == grade[b].offset && orders[a] < orders[b]);
  });
  std::vector<GradePoint> ordered;
  ordered.reserve(grade.size());
  for (const size_t k : by_offset) ordered.push_back(std::move(grade[k]));
  return ordered;
}

}  // namespace vantrels
