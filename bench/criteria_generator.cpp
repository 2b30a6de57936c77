#include "criteria_generator.h"

#include <array>
#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace vantrels::bench {

namespace {

constexpr int kMaxStations = 2001;
constexpr int kMaxPoints = 31;
constexpr int kFirstStation = 100000;  // 1000+00.00, in hundredths of a station
constexpr int kStationStep = 50;
constexpr double kPointSpacing = 4.0;

// Codes the report turns into words and codes it prints as they are.
constexpr std::array<std::string_view, 8> kCodes = {"LtSgShldr", "LtSgEOP", "LANE",      "CL",
                                                    "BR",        "RtSgEOP", "RtSgShldr", "DITCH"};

std::string StationText(int index) {
  const int value = kFirstStation + index * kStationStep;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d+%02d.00", value / 100, value % 100);
  return buffer;
}

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  return buffer;
}

// Offset of point p of n across one roadway (or one side, starting at `from`), ascending.
double Offset(double from, int p) {
  return from + kPointSpacing * p;
}

// A crowned section that climbs slowly along the road, with a ripple so slopes differ.
double Elevation(double base, int station, double offset, int p) {
  const double crown = -0.02 * (offset < 0 ? -offset : offset);
  const double ripple = ((station * 7 + p * 3) % 11) * 0.03;
  return base + station * 0.012 + crown + ripple;
}

void CheckShape(const RoadShape& shape) {
  if (shape.stations < 1 || shape.stations > kMaxStations || shape.points < 1 ||
      shape.points > kMaxPoints) {
    throw std::invalid_argument("a roadway holds 1 to 2001 stations of 1 to 31 points");
  }
}

void AppendUndivided(std::string& out, const RoadShape& shape) {
  out += "\"VANTREL REPORT,Generated undivided roadway,Chain CL1,Job 1\r\n";
  out += "Project GEN-1,Generated County,Designer Bench,Run 01/01/2024 00:00,Criteria gen.x\r\n";
  out += "UNDIVIDED,Roadway 1,Template TYP,Chain CL1\r\n";
  const double from = -kPointSpacing * (shape.points - 1) / 2;
  for (int s = 0; s < shape.stations; ++s) {
    if (s > 0) out += ",,,,,,,,,,,\r\n";
    const std::string station = StationText(s);
    const std::string region = station + " R1";
    for (int p = 0; p < shape.points; ++p) {
      const double offset = Offset(from, p);
      out += station + "," + region + ",,,CL1," + region + ",TYP,1,,";
      out += std::string(kCodes[static_cast<size_t>(p) % kCodes.size()]) + "," + Number(offset) +
             "," + Number(Elevation(1200, s, offset, p)) + "\r\n";
    }
  }
}

void AppendSide(std::string& out, const RoadShape& shape, int s, bool left) {
  const std::string station = StationText(s);
  const std::string region = station + " R2";
  const char* word = left ? "LEFT" : "RIGHT";
  // Left offsets run from the outer edge to the median, right ones from the median outwards.
  const double from = left ? -12 - kPointSpacing * (shape.points - 1) : 12;
  for (int n = 0; n < shape.points; ++n) {
    int p = n;
    if (left && s % 2 == 1 && shape.points > 1) p = n == 0 ? shape.points - 1 : n - 1;
    const double offset = Offset(from, p);
    out += station + "," + region + ",,,CL2," + region + ",TYP,1," + word + ",";
    out += std::string(kCodes[static_cast<size_t>(p) % kCodes.size()]) + "," + Number(offset) +
           "," + Number(Elevation(800, s, offset, p)) + "\r\n";
  }
  out += ",,,,,,,,,,,,,,,\r\n";
}

void AppendDivided(std::string& out, const RoadShape& shape) {
  out += "\"VANTREL REPORT,Generated divided roadway,Chain CL2,Job 2\r\n";
  out += "Project GEN-2,Generated County,Designer Bench,Run 01/01/2024 00:00,Criteria gen.x\r\n";
  out += "DIVIDED,Roadway 2,Template TYP,Chain CL2\r\n";
  out +=
      "Station,Region Station,Type,Keyword,Chain,Section Station,Template,Pass,Side,"
      "Point Code,Offset,Elevation\r\n";
  for (int s = 0; s < shape.stations; ++s) {
    AppendSide(out, shape, s, true);
    AppendSide(out, shape, s, false);
  }
}

}  // namespace

std::string GenerateCriteriaFile(const RoadShape& shape) {
  CheckShape(shape);
  std::string out;
  // About 90 bytes a point row.
  out.reserve(static_cast<size_t>(shape.stations) * static_cast<size_t>(shape.points + 1) *
              (shape.divided ? 190 : 95));
  if (shape.divided) {
    AppendDivided(out, shape);
  } else {
    AppendUndivided(out, shape);
  }
  return out;
}

std::string CriteriaFileName(const RoadShape& shape) {
  return std::string(shape.divided ? "divided-" : "undivided-") + std::to_string(shape.stations) +
         "x" + std::to_string(shape.points) + ".csv";
}

}  // namespace vantrels::bench
