#pragma once

#include <vector>

#include "model/book.h"
#include "model/messages.h"

namespace vantrels {

// The stations the report is built from. Every point is kept, whatever the main window's report
// options say. A station of more points than a station holds cannot be taken: it is left empty
// and the fault is shown once per call.
RoadwayStations FilterPoints(RoadwayStations stations, Messages& messages);

// The report table of one roadway or side, taking over the stations' texts: per station the
// section label, the names, and the message or the points three to a grid row. A station that
// cannot be built (more points than the grid holds) is left empty; the fault is shown once.
std::vector<ReportRecord> BuildReport(Stations stations, Messages& messages);

// The report of every side: a book of the roadway's side books, not yet counted into pages.
Book BuildReport(RoadwayStations stations, Messages& messages);

}  // namespace vantrels
