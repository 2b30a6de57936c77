#include "compute/report.h"

#include <utility>

#include "compute/point_names.h"
#include "model/inherited_messages.h"

namespace vantrels {
namespace {

bool TooManyPoints(const StationRecord& s) {
  return s.points.size() > static_cast<size_t>(kMaxPoints);
}

// The report record of one station, taking over its texts and its points.
ReportRecord ReportRecordOf(StationRecord& f) {
  ReportRecord r;
  r.cross_section = f.section_station == f.region_station;
  r.region_station = std::move(f.region_station);
  r.station_text = std::move(f.station_text);
  const bool message_station = f.IsMessage();
  // The row advances once per message slot, and after every third point but the last.
  int32_t row = 0;
  int column = 0;
  const size_t last = f.points.size();
  for (size_t j = 0; j < last; ++j) {
    if (message_station) {
      ++row;
      r.last_row = row;
    } else {
      Point& point = f.points[j];
      std::string words = DescribePoint(point.label);
      point.described = words != point.label;
      point.label = std::move(words);
    }
    column = (column + 1) % kPointsPerRow;
    if (column == 0) {
      if (j + 1 != last) ++row;
      r.last_row = row;
    }
  }
  if (message_station) {
    if (last > 0) {
      r.message_keyword = std::move(f.message_keyword);
      r.message_text = std::move(f.message_text);
    }
  } else {
    r.cells = std::move(f.points);
  }
  return r;
}

// Builds one side's report table; returns false when a station could not be built.
bool BuildSideReport(Stations& stations, std::vector<ReportRecord>& report) {
  bool all_built = true;
  report.clear();
  report.reserve(stations.size());
  for (StationRecord& station : stations) {
    if (TooManyPoints(station)) {
      all_built = false;
      report.emplace_back();
      std::vector<Point>().swap(station.points);
      continue;
    }
    report.push_back(ReportRecordOf(station));
    // What the report did not take (a message station's point slots) goes at once.
    std::vector<Point>().swap(station.points);
  }
  return all_built;
}

}  // namespace

RoadwayStations FilterPoints(RoadwayStations stations, Messages& messages) {
  bool all_taken = true;
  for (Stations& side : stations.sides) {
    for (StationRecord& s : side) {
      if (!TooManyPoints(s)) continue;
      s = StationRecord{};
      all_taken = false;
    }
  }
  if (!all_taken) messages.Show(inherited::kFilterPointsFailure);
  return stations;
}

std::vector<ReportRecord> BuildReport(Stations stations, Messages& messages) {
  std::vector<ReportRecord> report;
  if (!BuildSideReport(stations, report)) messages.Show(inherited::kFinalReportFailure);
  return report;
}

Book BuildReport(RoadwayStations stations, Messages& messages) {
  Book book;
  book.roadway = stations.roadway;
  book.unused_lines = std::move(stations.unused);
  const bool divided = stations.roadway == Roadway::Divided;
  bool all_built = true;
  for (size_t s = 0; s < stations.sides.size(); ++s) {
    SideBook& side = book.sides.emplace_back();
    if (divided) side.side = s == 0 ? Side::Left : Side::Right;
    all_built = BuildSideReport(stations.sides[s], side.report) && all_built;
  }
  if (!all_built) messages.Show(inherited::kFinalReportFailure);
  return book;
}

}  // namespace vantrels
