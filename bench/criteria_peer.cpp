#include "criteria_peer.h"

namespace vantrels::bench {

std::string CriteriaFileOf(const Stations& stations) {
  std::string out =
      "\"VANTREL REPORT,Peer of a LandXML file,Chain CL1,Job 1\r\n"
      "Project GEN-1,Generated County,Designer Bench,Run 01/01/2024 00:00,Criteria gen.x\r\n"
      "UNDIVIDED,Roadway 1,Template TYP,Chain CL1\r\n";
  for (size_t s = 0; s < stations.size(); ++s) {
    if (s > 0) out += ",,,,,,,,,,,\r\n";
    const StationRecord& station = stations[s];
    for (const Point& point : station.points) {
      out += station.station_text + "," + station.region_station + ",,,CL1," +
             station.section_station + ",TYP,1,," + point.label + "," + point.offset + "," +
             point.elevation + "\r\n";
    }
  }
  return out;
}

}  // namespace vantrels::bench
