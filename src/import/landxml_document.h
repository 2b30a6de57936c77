#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrels {

// What the book takes from a LandXML file: per alignment its station equations, its design
// profile and its cross sections, with numbers read and texts in Windows-1252 like a criteria
// file's. Stations are the file's internal stations; lengths are in the file's unit.

// The file's linear unit: it decides how stations are written (12+34.56 or 1+234.567).
enum class LinearUnit { kFeet, kMeters };

// Where the station shown changes: from `internal` on, the station shown is `ahead` plus (or,
// decreasing, minus) the distance past it.
struct StationEquation {
  double internal = 0;
  double ahead = 0;
  bool decreasing = false;
};

enum class VerticalCurve { kNone, kParabola, kUnsymmetricParabola, kCircular };

// A point of intersection of the profile's grades, with the vertical curve that rounds it.
struct ProfilePoint {
  double station = 0;
  double elevation = 0;
  VerticalCurve curve = VerticalCurve::kNone;
  // The symmetric parabola's length; the unsymmetric one's lengths before and after the point.
  double length = 0;
  double length_in = 0;
  double length_out = 0;
  // The circular curve's radius.
  double radius = 0;
};

struct Profile {
  std::string name;
  // In station order, at least two.
  std::vector<ProfilePoint> points;
};

// One point of a design surface: offset (negative to the left) and elevation.
struct SectionPoint {
  double offset = 0;
  double elevation = 0;
  std::string code;
};

// A design surface of one cross section: a closed shape or an open link, points in file order.
struct DesignSurface {
  std::vector<SectionPoint> points;
};

struct GroundPoint {
  double offset = 0;
  double elevation = 0;
};

// One PntList2D of a sampled surface: a polyline, whose offsets mostly run left to right.
struct GroundPiece {
  std::vector<GroundPoint> points;
  // No offset is smaller than the one before it (the ground can be searched by offset).
  bool left_to_right = true;
};

// A sampled surface (existing ground, soil lines): its pieces, the gaps between them unknown
// ground.
struct GroundLine {
  std::string name;
  std::vector<GroundPiece> pieces;
};

struct CrossSection {
  double station = 0;
  std::string name;
  std::vector<DesignSurface> design;
  std::vector<GroundLine> ground;
};

struct Alignment {
  std::string name;
  // In station order.
  std::vector<StationEquation> equations;
  // The first ProfAlign of the alignment's profile.
  std::optional<Profile> profile;
  std::vector<CrossSection> sections;
};

struct LandXmlFile {
  LinearUnit unit = LinearUnit::kFeet;
  std::vector<Alignment> alignments;
};

}  // namespace vantrels
