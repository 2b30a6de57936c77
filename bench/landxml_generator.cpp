#include "landxml_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace vantrels::bench {

namespace {

// Metric files take every length at 0.3 of its value in feet, so values stay round.
constexpr double kMetricScale = 0.3;
// Within this of each other in offset and elevation the import makes two points one.
constexpr double kNearDuplicate = 0.0003;

struct DesignPoint {
  double offset;
  double elevation;
  const char* code;
};

struct Surface {
  const char* name;
  const char* side;
  bool closed;
  std::vector<DesignPoint> points;
};

struct Section {
  std::vector<Surface> surfaces;
  // Indexes (surface, point) of the finished-grade points, left to right.
  std::vector<std::pair<size_t, size_t>> finished;
};

// "12.5", "-0.0003": up to four decimals, no trailing zeros.
std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4f", value);
  std::string out = text;
  out.erase(out.find_last_not_of('0') + 1);
  if (out.back() == '.') out.pop_back();
  return out == "-0" ? "0" : out;
}

double Round(double value, bool metric) {
  const double scale = metric ? 1000 : 100;
  return std::round(value * scale) / scale;
}

// The Civil 3D-like section in feet (near duplicates are added in file units, see
// AddNearDuplicates). `left` is the left daylight's offset.
Section ShapesSection(double left) {
  Section s;
  s.surfaces = {
      {"Pave1",
       "left",
       true,
       {{0, 0, "Crown"},
        {-12, -0.24, "ETW"},
        {-12, -0.94, "ETW_SubBase"},
        {0, -0.70, "Crown_SubBase"},
        {0, 0, "Crown"}}},
      {"Pave1",
       "right",
       true,
       {{0, 0, "Crown"},
        {12, -0.24, "ETW"},
        {12, -0.94, "ETW_SubBase"},
        {0, -0.70, "Crown_SubBase"},
        {0, 0, "Crown"}}},
      {"Shoulder",
       "left",
       true,
       {{-12, -0.24, "ETW"},
        {-16, -0.40, "Shoulder"},
        {-16, -0.94, "Shoulder_SubBase"},
        {-12, -0.94, "ETW_SubBase"},
        {-12, -0.24, "ETW"}}},
      {"Curb",
       "right",
       true,
       {{12, -0.24, "Flange"},
        {13.5, -0.33, "Gutter"},
        {13.58, 0.17, "TopCurb"},
        {14.08, 0.18, "BackCurb"},
        {14.08, -1.0, ""},
        {12, -1.0, ""},
        {12, -0.24, "Flange"}}},
      {"Sidewalk",
       "right",
       true,
       {{14.08, 0.18, "SW_Front"},
        {19.08, 0.28, "SW_Back"},
        {19.08, -0.05, ""},
        {14.08, -0.15, ""},
        {14.08, 0.18, "SW_Front"}}},
      {"Top",
       "both",
       false,
       {{left, 1.61, "Daylight"},
        {-25, -0.06, ""},
        {-20, -1.73, "Ditch"},
        {-16, -0.40, "Hinge"},
        {-12, -0.24, ""},
        {0, 0, "Crown"},
        {12, -0.24, "ETW"},
        {13.5, -0.33, ""},
        {13.58, 0.17, ""},
        {14.08, 0.18, ""},
        {19.08, 0.28, "Hinge"},
        {25, -1.70, "Daylight"}}},
  };
  // Each point by the surface that gives it first in file order.
  s.finished = {{5, 0}, {5, 1}, {5, 2}, {2, 1}, {0, 1}, {0, 0},
                {1, 1}, {3, 1}, {3, 2}, {3, 3}, {4, 1}, {5, 11}};
  return s;
}

// Two open links in feet: 12 design points, all finished grade.
Section OpenLinksSection(double left) {
  Section s;
  s.surfaces = {
      {"Top",
       "left",
       false,
       {{left, 1.61, "Daylight"},
        {-25, -0.06, ""},
        {-20, -1.73, "Ditch"},
        {-16, -0.40, "Hinge"},
        {-12, -0.24, "ETW"},
        {-6, -0.12, "Lane"}}},
      {"Top",
       "right",
       false,
       {{0, 0, "Crown"},
        {6, -0.12, "Lane"},
        {12, -0.24, "ETW"},
        {16, -0.40, "Hinge"},
        {20, -1.73, "Ditch"},
        {25, -1.70, "Daylight"}}},
  };
  for (size_t surface = 0; surface < 2; ++surface) {
    for (size_t point = 0; point < 6; ++point) s.finished.emplace_back(surface, point);
  }
  return s;
}

// A pavement shape and a Top link in feet: 12 design points, 7 of them finished grade.
Section PavementAndTopSection(double left) {
  Section s;
  s.surfaces = {
      {"Pave",
       "both",
       true,
       {{0, 0, "Crown"},
        {12, -0.24, "ETW"},
        {12, -0.94, "ETW_SubBase"},
        {0, -0.70, "Crown_SubBase"},
        {0, 0, "Crown"}}},
      {"Top",
       "both",
       false,
       {{left, 1.61, "Daylight"},
        {-16, -0.40, "Hinge"},
        {-12, -0.24, "ETW"},
        {0, 0, ""},
        {12, -0.24, ""},
        {16, -0.40, "Hinge"},
        {25, -1.70, "Daylight"}}},
  };
  s.finished = {{1, 0}, {1, 1}, {1, 2}, {0, 0}, {0, 1}, {1, 5}, {1, 6}};
  return s;
}

struct Road {
  const LandXmlShape& shape;
  double scale = 1;
  double start = 0;
  double step = 0;
  std::optional<double> equation = std::nullopt;

  double Internal(int s) const { return start + step * s; }
  double End() const { return Internal(shape.stations - 1); }
  // The absolute file's profile: one grade line, so its elevation is plain to compute.
  double Base(double station) const {
    return shape.relative
               ? 0
               : Round(100 * scale + 0.01 * (station - (start - 10 * scale)), shape.metric);
  }
};

std::string Label(const Road& road, double internal) {
  double shown = internal;
  int region = 1;
  if (road.equation && internal >= *road.equation) {
    shown = *road.equation + 1000 * road.scale + (internal - *road.equation);
    region = 2;
  }
  const double per_station = road.shape.metric ? 1000 : 100;
  const int whole = static_cast<int>(std::floor(shown / per_station + 1e-9));
  char text[64];
  std::snprintf(text, sizeof text, road.shape.metric ? "%d+%07.3f" : "%d+%05.2f", whole,
                shown - whole * per_station);
  std::string label = text;
  if (road.equation) label += " R" + std::to_string(region);
  return label;
}

void AppendProfile(std::string& out, const Road& road) {
  const double s0 = road.start - 10 * road.scale;
  const double s4 = road.End() + 10 * road.scale;
  const double spacing = (s4 - s0) / 4;
  const auto point = [&](const char* element, const std::string& attributes, double station,
                         double elevation) {
    out += "        <" + std::string(element) + attributes + ">" +
           Number(Round(station, road.shape.metric)) + " " +
           Number(Round(elevation, road.shape.metric)) + "</" + element + ">\n";
  };
  out += "      <Profile name=\"Main Street\">\n        <ProfAlign name=\"Design\">\n";
  if (!road.shape.relative) {
    point("PVI", "", s0, 100 * road.scale);
    point("PVI", "", s4, 100 * road.scale + 0.01 * (s4 - s0));
  } else {
    const double e1 = 100 * road.scale + 0.03 * spacing;
    const double e2 = e1 - 0.02 * spacing;
    const double e3 = e2 + 0.025 * spacing;
    // The circle's tangents reach 0.3 of the spacing: R = T / tan(turn / 2).
    const double turn = std::atan(0.025) - std::atan(-0.01);
    const double radius = Round(0.3 * spacing / std::tan(turn / 2), road.shape.metric);
    point("PVI", "", s0, 100 * road.scale);
    point("ParaCurve", " length=\"" + Number(Round(0.8 * spacing, road.shape.metric)) + "\"",
          s0 + spacing, e1);
    point("UnsymParaCurve",
          " lengthIn=\"" + Number(Round(0.3 * spacing, road.shape.metric)) + "\" lengthOut=\"" +
              Number(Round(0.45 * spacing, road.shape.metric)) + "\"",
          s0 + 2 * spacing, e2);
    point("CircCurve",
          " length=\"" + Number(Round(radius * turn, road.shape.metric)) + "\" radius=\"" +
              Number(radius) + "\"",
          s0 + 3 * spacing, e3);
    point("PVI", "", s4, e3 - 0.01 * spacing);
  }
  out += "        </ProfAlign>\n      </Profile>\n";
}

// The sidewalk starts a few ten-thousandths from the back of the curb, and the Top link's ETW
// misses the pavement's: near duplicates, which the import makes one point.
void AddNearDuplicates(Section& section) {
  for (const size_t k : {size_t{0}, size_t{4}}) {
    section.surfaces[4].points[k].offset -= kNearDuplicate;
    section.surfaces[4].points[k].elevation += kNearDuplicate;
  }
  section.surfaces[5].points[6].offset -= kNearDuplicate;
  section.surfaces[5].points[6].elevation -= kNearDuplicate / 1.5;
}

// The section of station s in file units, elevations as the file writes them.
Section SectionOf(const Road& road, int s) {
  const double left = -30 - 2 * (s % 3);
  Section section = road.shape.style == SectionStyle::kCivil3d ? ShapesSection(left)
                    : road.shape.style == SectionStyle::kPavementAndTop
                        ? PavementAndTopSection(left)
                        : OpenLinksSection(left);
  const double base = road.Base(road.Internal(s));
  for (Surface& surface : section.surfaces) {
    for (DesignPoint& p : surface.points) {
      p.offset = Round(p.offset * road.scale, road.shape.metric);
      p.elevation = Round(p.elevation * road.scale + base, road.shape.metric);
    }
  }
  if (road.shape.style == SectionStyle::kCivil3d) AddNearDuplicates(section);
  return section;
}

// The ground line of station s: a vertex at every finished-grade offset and the rest spread
// evenly, as pieces (one, or two around a gap at the crown).
std::vector<std::vector<std::pair<double, double>>> GroundOf(const Road& road, int s,
                                                             const Section& section) {
  std::vector<double> offsets;
  for (const auto& [surface, point] : section.finished)
    offsets.push_back(section.surfaces[surface].points[point].offset);
  const int extra = std::max(2, road.shape.ground_points - static_cast<int>(offsets.size()));
  for (int k = 0; k < extra; ++k) {
    double o = Round((-35 + 65.0 * k / (extra - 1) + 0.013) * road.scale, road.shape.metric);
    offsets.push_back(o);
  }
  std::sort(offsets.begin(), offsets.end());
  offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
  const double base = road.Base(road.Internal(s));
  std::vector<std::vector<std::pair<double, double>>> pieces(1);
  for (size_t k = 0; k < offsets.size(); ++k) {
    const double o = offsets[k];
    if (s % 7 == 3 && o < -28 * road.scale) continue;  // stops short of the left daylight
    if (s % 5 == 1 && std::fabs(o) < road.scale) {
      if (!pieces.back().empty()) pieces.emplace_back();  // a gap at the crown
      continue;
    }
    const double g =
        0.8 * road.scale + 0.03 * o + 0.1 * road.scale * static_cast<double>((s + k) % 5);
    pieces.back().push_back({o, Round(g + base, road.shape.metric)});
  }
  return pieces;
}

std::optional<double> CutAt(const std::vector<std::vector<std::pair<double, double>>>& ground,
                            double offset, double elevation) {
  for (const auto& piece : ground) {
    for (const auto& [o, g] : piece) {
      if (o == offset) return g - elevation;
    }
  }
  return std::nullopt;
}

void AppendSection(std::string& out, const Road& road, int s, ExpectedStation& expected) {
  const Section section = SectionOf(road, s);
  expected.internal_station = road.Internal(s);
  expected.label = Label(road, expected.internal_station);
  expected.name = "Sample Line " + std::to_string(s + 1);
  out += "        <CrossSect sta=\"" + Number(expected.internal_station) + "\" name=\"" +
         expected.name + "\">\n";
  for (const Surface& surface : section.surfaces) {
    out += "          <DesignCrossSectSurf name=\"" + std::string(surface.name) + "\" side=\"" +
           surface.side + "\" closedArea=\"" + (surface.closed ? "true" : "false") + "\">\n";
    for (const DesignPoint& p : surface.points) {
      out += "            <CrossSectPnt";
      if (*p.code != '\0') out += " code=\"" + std::string(p.code) + "\"";
      (out += '>') += Number(p.offset);
      (out += ' ') += Number(p.elevation);
      out += "</CrossSectPnt>\n";
    }
    out += "          </DesignCrossSectSurf>\n";
  }
  const auto ground = road.shape.ground ? GroundOf(road, s, section)
                                        : std::vector<std::vector<std::pair<double, double>>>{};
  if (road.shape.ground) {
    out += "          <CrossSectSurf name=\"ExistingGround\">\n";
    for (const auto& piece : ground) {
      out += "            <PntList2D>";
      for (size_t k = 0; k < piece.size(); ++k) {
        if (k > 0) out += ' ';
        (out += Number(piece[k].first)) += ' ';
        out += Number(piece[k].second);
      }
      out += "</PntList2D>\n";
    }
    out += "          </CrossSectSurf>\n";
  }
  out += "        </CrossSect>\n";
  for (const auto& [surface, point] : section.finished) {
    const DesignPoint& p = section.surfaces[surface].points[point];
    expected.points.push_back(
        {p.offset, p.elevation, p.code, CutAt(ground, p.offset, p.elevation)});
  }
}

void AppendHeader(std::string& out, const Road& road) {
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out +=
      "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\" "
      "date=\"2024-01-01\" time=\"00:00:00\">\n  <Units>\n";
  out +=
      road.shape.metric
          ? "    <Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\" "
            "angularUnit=\"decimal degrees\" directionUnit=\"decimal degrees\"/>\n"
          : "    <Imperial areaUnit=\"squareFoot\" linearUnit=\"USSurveyFoot\" "
            "volumeUnit=\"cubicYard\" angularUnit=\"decimal degrees\" "
            "directionUnit=\"decimal degrees\"/>\n";
  out += "  </Units>\n  <Application name=\"vantrels-bench-generate\" version=\"1\"/>\n";
  const double length = road.End() - road.start + 20 * road.scale;
  out += "  <Alignments>\n    <Alignment name=\"Main Street\" length=\"" + Number(length) +
         "\" staStart=\"" + Number(road.start - 10 * road.scale) + "\">\n";
  out += "      <CoordGeom>\n        <Line length=\"" + Number(length) +
         "\"><Start>5000 5000</Start><End>5000 " + Number(5000 + length) +
         "</End></Line>\n      </CoordGeom>\n";
  if (road.equation) {
    out += "      <StaEquation staInternal=\"" + Number(*road.equation) + "\" staBack=\"" +
           Number(*road.equation) + "\" staAhead=\"" + Number(*road.equation + 1000 * road.scale) +
           "\" staIncrement=\"increasing\"/>\n";
  }
}

}  // namespace

GeneratedLandXml GenerateLandXml(const LandXmlShape& shape) {
  if (shape.stations < 1 || shape.stations > 100000 || shape.ground_points < 0)
    throw std::invalid_argument("a generated LandXML file holds 1 to 100000 stations");
  Road road{shape};
  road.scale = shape.metric ? kMetricScale : 1;
  road.start = shape.metric ? 100 : 1000;
  road.step = shape.metric ? 20 : 50;
  if (shape.equations && shape.stations > 1)
    road.equation = road.Internal(shape.stations / 2) - road.step / 2;
  GeneratedLandXml generated;
  const size_t section_bytes = (shape.style == SectionStyle::kCivil3d ? 2600 : 1000) +
                               16 * static_cast<size_t>(shape.ground_points);
  generated.xml.reserve(static_cast<size_t>(shape.stations) * section_bytes);
  AppendHeader(generated.xml, road);
  AppendProfile(generated.xml, road);
  generated.xml += "      <CrossSects name=\"SL Collection - 1\">\n";
  generated.stations.resize(static_cast<size_t>(shape.stations));
  for (int s = 0; s < shape.stations; ++s)
    AppendSection(generated.xml, road, s, generated.stations[static_cast<size_t>(s)]);
  generated.xml += "      </CrossSects>\n    </Alignment>\n  </Alignments>\n</LandXML>\n";
  return generated;
}

std::string LandXmlFileName(const LandXmlShape& shape) {
  return std::string("landxml-") + (shape.relative ? "relative-" : "absolute-") +
         (shape.metric ? "m-" : "ft-") + std::to_string(shape.stations) +
         (shape.style == SectionStyle::kCivil3d          ? ""
          : shape.style == SectionStyle::kPavementAndTop ? "-pavement"
                                                         : "-links") +
         ".xml";
}

// The generated file with its alignment repeated under another name (a file of two alignments).
std::string WithSecondAlignment(std::string xml, const std::string& name) {
  const size_t begin = xml.find("    <Alignment ");
  const std::string end_tag = "    </Alignment>\n";
  const size_t end = xml.find(end_tag) + end_tag.size();
  std::string second = xml.substr(begin, end - begin);
  second.replace(second.find("Main Street"), 11, name);
  return xml.insert(end, second);
}

}  // namespace vantrels::bench
