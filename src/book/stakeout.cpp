#include "book/stakeout.h"

#include <algorithm>
#include <map>

#include "book/station_value.h"
#include "compute/grade.h"
#include "model/cp1252.h"
#include "model/text.h"

namespace vantrels {

namespace {

// Characters that would end a field or a line, or open a quoted field. TBC also reads semicolons
// as separators; Civil 3D reads blanks as separators.
bool BreaksFormat(char c, StakeoutFormat format) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20 || byte == 0x7F || c == ',' || c == '"') return true;
  return format == StakeoutFormat::kTbc ? c == ';' : c == ' ';
}

std::string Shown(std::string_view cp1252) {
  return "\"" + Cp1252ToUtf8(cp1252) + "\"";
}

// The region's name in messages; a station without one has "no region".
std::string RegionName(std::string_view region) {
  return region.empty() ? "no region" : "region " + Cp1252ToUtf8(region);
}

class Writer {
 public:
  explicit Writer(StakeoutFormat format) : format_(format) {
    stakeout_.bytes = format == StakeoutFormat::kTbc ? "TBC Excel\r\n"
                                                     : "# Station,Offset,Elevation,Description\r\n";
  }

  Status AddStation(const ReportRecord& record) {
    const std::string_view station = TrimBlanks(record.station_text);
    const std::optional<std::string> number = StationNumber(station);
    const std::optional<double> value = StationValue(station);
    const std::string name = Cp1252ToUtf8(record.region_station);
    if (!number || !value) {
      return Rejected("station " + Shown(station) + " of " + name +
                      " is not a station a stake-out file can hold");
    }
    if (Status regions = CheckRegion(*value, record); !regions) return regions;
    for (size_t n = 0; n < record.cells.size(); ++n) {
      const Cell& cell = record.cells[n];
      const std::string_view offset = TrimBlanks(cell.offset);
      const std::string_view elevation = TrimBlanks(cell.elevation);
      for (const auto& [what, text] : {std::pair{"offset", offset}, {"elevation", elevation}}) {
        if (!ParseNumber(text)) {
          return Rejected(name + ", point " + std::to_string(n + 1) + ": the " + what + " " +
                          Shown(text) + " is not a number");
        }
      }
      AddLine(*number, offset, elevation, WrittenCode(PointCode(cell)));
    }
    return {};
  }

  Stakeout Take() { return std::move(stakeout_); }

 private:
  Status CheckRegion(double value, const ReportRecord& record) {
    const std::string_view region = RegionOf(record.region_station);
    const auto [first, added] = regions_.emplace(value, std::string(region));
    if (added || first->second == region) return {};
    return Rejected("station " + Cp1252ToUtf8(TrimBlanks(record.station_text)) + " is in " +
                    RegionName(first->second) + " and in " + RegionName(region) +
                    ": a stake-out file gives stations without their region, so their points "
                    "would fall together; choose the stations of one region");
  }

  std::string WrittenCode(const std::string& code) {
    std::string written = code;
    std::replace_if(
        written.begin(), written.end(), [this](char c) { return BreaksFormat(c, format_); }, '_');
    if (written != code) {
      const ReplacedCode replaced{code, written};
      auto& all = stakeout_.replaced;
      if (std::find(all.begin(), all.end(), replaced) == all.end()) all.push_back(replaced);
    }
    return written;
  }

  void AddLine(std::string_view station, std::string_view offset, std::string_view elevation,
               std::string_view code) {
    std::string& out = stakeout_.bytes;
    out.append(station).append(",").append(offset).append(",").append(elevation);
    // Civil 3D's description is optional; TBC's code column is always there.
    if (format_ == StakeoutFormat::kTbc || !code.empty()) out.append(",").append(code);
    out += "\r\n";
  }

  StakeoutFormat format_;
  Stakeout stakeout_;
  // The region each station value was first seen in.
  std::map<double, std::string> regions_;
};

}  // namespace

Result<Stakeout> StakeoutFile(const SideBook& book, const StationRange& range,
                              StakeoutFormat format) {
  const bool by_station = range.from || range.to;
  Writer writer(format);
  for (const ReportRecord& record : book.report) {
    if (record.IsMessage() || record.cells.empty()) continue;
    if (by_station) {
      const std::optional<double> value = RegionStationValue(TrimBlanks(record.region_station));
      if (!value || !range.Contains(*value)) continue;
    }
    if (Status added = writer.AddStation(record); !added) return added.failure();
  }
  return writer.Take();
}

}  // namespace vantrels
