#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrels::bench {

// The design surfaces of a generated cross section.
enum class SectionStyle {
  // Civil 3D-like: closed material shapes (pavement with its subbase, shoulder, curb, sidewalk,
  // each closed by repeating its first point) and open Top links sharing their points, with exact
  // and near duplicates; 12 finished-grade points.
  kCivil3d,
  // A pavement shape and a Top link: 12 design points, 7 of them finished grade.
  kPavementAndTop,
  // Two open links, 12 design points that are all finished grade.
  kOpenLinks,
};

// The shape of a generated LandXML file of one alignment.
struct LandXmlShape {
  bool metric = false;
  int stations = 20;
  // Design elevations relative to the profile grade (as Civil 3D writes them: crown 0.0) with a
  // profile of every curve type; else absolute (as J-LandXML files) on a profile of grade lines.
  bool relative = true;
  // One station equation halfway along.
  bool equations = true;
  // An existing-ground line ("ExistingGround") of `ground_points` points a station.
  bool ground = true;
  int ground_points = 60;
  SectionStyle style = SectionStyle::kCivil3d;
};

// A finished-grade point as the book should give it back: elevation as the file writes it
// (relative to the profile when the file is relative), code by the first point in file order,
// ground minus design where the ground reaches.
struct ExpectedPoint {
  double offset = 0;
  double elevation = 0;
  std::string code;
  std::optional<double> cut_fill;
};

struct ExpectedStation {
  double internal_station = 0;
  // The station shown, as the book names it ("10+50.00", "12+00.00 R2").
  std::string label;
  std::string name;
  std::vector<ExpectedPoint> points;
};

struct GeneratedLandXml {
  std::string xml;
  std::vector<ExpectedStation> stations;
};

// A LandXML 1.2 file of `shape` with the points it must give back. Stations every 50 feet from
// 10+00 (20 metres from 0+100); the ground line includes every design offset, so the expected
// cut and fill is exact; every seventh station's ground stops short of the left daylight and
// every fifth has a gap at the crown.
GeneratedLandXml GenerateLandXml(const LandXmlShape& shape);

// A file name that tells the shape: "landxml-relative-ft-2001.xml",
// "landxml-relative-ft-2001-links.xml".
std::string LandXmlFileName(const LandXmlShape& shape);

// The generated file with its alignment repeated under another name (a file of two alignments).
std::string WithSecondAlignment(std::string xml, const std::string& name);

}  // namespace vantrels::bench
