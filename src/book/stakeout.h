#pragma once

#include <string>
#include <vector>

#include "book/station_range.h"
#include "model/book.h"
#include "model/result.h"

namespace vantrels {

// The office programs that load stations, offsets and elevations against an alignment they hold.
enum class StakeoutFormat {
  // Trimble Business Center's "TBC Excel" station and offset import: a first line "TBC Excel",
  // then "Station,Offset,Elevation,Code" lines.
  kTbc,
  // Civil 3D's station/offset/elevation import: "Station,Offset,Elevation,Description" lines
  // after a comment line that names the columns.
  kCivil3d,
};

// A point code that the format cannot hold as the file writes it, and what was written instead
// (Windows-1252, as the file gives them).
struct ReplacedCode {
  std::string code;
  std::string written;
  bool operator==(const ReplacedCode&) const = default;
};

struct Stakeout {
  // The whole file, CR LF line ends.
  std::string bytes;
  // Each replaced code once, in book order.
  std::vector<ReplacedCode> replaced;
};

// The stake-out file of one side book: every point of its stations in `range` (by their region
// station's value, as the book's pages are chosen), in book order, as station (the station text
// with its "+" removed), offset and elevation as the file writes them, and the point code (not
// its description) with separators, quotes and control characters replaced by "_". A message
// station gives no line. Fails (kRejected, the message in UTF-8) when a station or a number of
// a point cannot be written as a number, or when one station value stands in two regions: the
// office programs read stations without regions, so those points would fall together.
Result<Stakeout> StakeoutFile(const SideBook& book, const StationRange& range,
                              StakeoutFormat format);

}  // namespace vantrels
