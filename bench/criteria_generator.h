#pragma once

#include <string>

namespace vantrels::bench {

// The shape of a generated criteria file: the roadway type, the stations (at most 2001) and
// the points of every station on every side (at most 31).
struct RoadShape {
  bool divided = false;
  int stations = 2001;
  int points = 9;
};

// A criteria file of `shape` as GEOPAK writes it: CR LF line ends, the three (undivided) or four
// (divided) header lines, then one block per station with offsets across the roadway and
// elevations that rise and fall, so every slope is computed. An undivided file separates its
// stations with a separator line but does not end with one (that would open a further, empty
// station); a divided file ends with the right block's terminating line. Left blocks of odd
// stations begin with the point nearest the median, as real divided files do, so the ordering
// step has work to do.
std::string GenerateCriteriaFile(const RoadShape& shape);

// A file name that tells the shape: "undivided-2001x9.csv", "divided-250x31.csv".
std::string CriteriaFileName(const RoadShape& shape);

}  // namespace vantrels::bench
