#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "compute/cut_fill.h"
#include "compute/envelope.h"
#include "compute/profile.h"
#include "compute/station_text.h"

namespace vantrels {

void PrintTo(const GradePoint& p, std::ostream* out) {
  *out << "{" << p.offset << ", " << p.elevation << ", \"" << p.code << "\"}";
}

namespace {

// PVI 0 at 100, the curve's point at station 500 and elevation 110 (grades +2 % and -2 %, or
// -1 % and +1 % for the sag), PVI 1000 at 100 (102 for the sag).
Profile ProfileWith(ProfilePoint curve, double end_elevation = 100) {
  curve.station = 500;
  if (curve.elevation == 0) curve.elevation = 110;
  return Profile{"P", {{0, 100}, curve, {1000, end_elevation}}};
}

struct ProfileCase {
  const char* what;
  Profile profile;
  double station;
  std::optional<double> elevation;
};

TEST(ProfileElevation, FollowsGradesAndEachCurveTypeAsComputedByHand) {
  ProfilePoint parabola{.curve = VerticalCurve::kParabola, .length = 200};
  ProfilePoint unsymmetric{
      .curve = VerticalCurve::kUnsymmetricParabola, .length_in = 100, .length_out = 300};
  ProfilePoint crest{.curve = VerticalCurve::kCircular, .radius = 1000};
  ProfilePoint sag{.elevation = 95, .curve = VerticalCurve::kCircular, .radius = 2000};
  const double root = std::sqrt(1.0004);  // sec of the +2 % grade's angle
  const std::vector<ProfileCase> cases = {
      {"tangent", ProfileWith({}), 250, 105},
      {"tangent after", ProfileWith(parabola), 700, 106},
      // BVC 400 at 108; y = 108 + 0.02 x - 0.04 x^2 / 400.
      {"parabola start", ProfileWith(parabola), 400, 108},
      {"parabola x = 50", ProfileWith(parabola), 450, 108.75},
      {"parabola middle ordinate A L / 8 = 1", ProfileWith(parabola), 500, 109},
      {"parabola x = 150", ProfileWith(parabola), 550, 108.75},
      // e = 100 * 300 * (-0.04) / (2 * 400) = -1.5; tangent + e (x / l)^2.
      {"unsymmetric at the point", ProfileWith(unsymmetric), 500, 108.5},
      {"unsymmetric first half", ProfileWith(unsymmetric), 450, 109 - 1.5 * 0.25},
      {"unsymmetric second half", ProfileWith(unsymmetric), 650, 107 - 1.5 * 0.25},
      {"unsymmetric end", ProfileWith(unsymmetric), 800, 104},
      // Tangents R tan(atan 0.02) = 20 long; external distance R (sec a - 1).
      {"crest circle at the point", ProfileWith(crest), 500, 110 - 1000 * (root - 1)},
      {"crest circle 10 on", ProfileWith(crest), 510,
       110 - 1000 * (root - 1) - (1000 - std::sqrt(1000.0 * 1000 - 100))},
      {"crest circle before it", ProfileWith(crest), 480, 109.6},
      // Grades -1 % and +1 %: external distance 2000 (sec(atan 0.01) - 1).
      {"sag circle", ProfileWith(sag, 100), 500, 95 + 2000 * (std::sqrt(1.0001) - 1)},
      {"before the profile", ProfileWith({}), -0.01, std::nullopt},
      {"after the profile", ProfileWith({}), 1000.01, std::nullopt},
      {"end within a rounding", ProfileWith({}), 1000.0004, 100 - 0.02 * 0.0004},
  };
  for (const ProfileCase& c : cases) {
    const std::optional<double> elevation = ProfileElevation(c.profile, c.station);
    ASSERT_EQ(elevation.has_value(), c.elevation.has_value()) << c.what;
    if (elevation) {
      EXPECT_NEAR(*elevation, *c.elevation, 1e-9) << c.what;
    }
  }
}

struct EnvelopeCase {
  const char* what;
  std::vector<DesignSurface> surfaces;
  std::vector<GradePoint> grade;
};

TEST(FinishedGrade, KeepsTheUpperEnvelopeWhateverTheCodes) {
  const DesignSurface pavement{{{0, 0, "Crown"},
                                {12, -0.24, "ETW"},
                                {12, -0.94, "ETW_Sub"},
                                {0, -0.7, "Crown_Sub"},
                                {0, 0, "Crown"}}};
  const std::vector<EnvelopeCase> cases = {
      {"shape bottom and closing point drop out",
       {pavement},
       {{0, 0, "Crown"}, {12, -0.24, "ETW"}}},
      {"the first code in file order wins; an empty code takes a later one",
       {{{{12, -0.24, ""}, {0, 0, "CL"}}}, pavement, {{{12, -0.24, "Flange"}, {14, 0.1, "Top"}}}},
       {{0, 0, "CL"}, {12, -0.24, "ETW"}, {14, 0.1, "Top"}}},
      {"near duplicates within 0.0005 are one point",
       {pavement, {{{11.9996, -0.2396, "Link"}, {20, 1, "Day"}}}},
       {{0, 0, "Crown"}, {12, -0.24, "ETW"}, {20, 1, "Day"}}},
      {"a thousandth apart they stay two points",
       {pavement, {{{11.999, -0.24, "Link"}, {20, 1, "Day"}}}},
       {{0, 0, "Crown"}, {11.999, -0.24, "Link"}, {12, -0.24, "ETW"}, {20, 1, "Day"}}},
      {"0.004 below a segment is kept, 0.006 below is not",
       {{{{0, 0, "A"}, {10, 0, "B"}}}, {{{4, -0.004, "Kept"}, {6, -0.006, "Hidden"}}}},
       {{0, 0, "A"}, {4, -0.004, "Kept"}, {10, 0, "B"}}},
      {"a vertical face hides the lower point at its offset",
       {{{{0, 0, "Flange"}, {0, 0.5, "Top"}, {2, 0.5, "Back"}}}},
       {{0, 0.5, "Top"}, {2, 0.5, "Back"}}},
      {"ordered left to right",
       {{{{5, 0, "R"}, {-5, 0, "L"}}}, {{{0, 0.2, "C"}}}},
       {{-5, 0, "L"}, {0, 0.2, "C"}, {5, 0, "R"}}},
      {"no design surface", {}, {}},
  };
  for (const EnvelopeCase& c : cases) EXPECT_EQ(FinishedGrade(c.surfaces), c.grade) << c.what;
}

TEST(StationText, WritesStationsByUnitWithRegionsAfterEquations) {
  EXPECT_EQ(FormatStation(1234.56, LinearUnit::kFeet), "12+34.56");
  EXPECT_EQ(FormatStation(1234.567, LinearUnit::kMeters), "1+234.567");
  EXPECT_EQ(FormatStation(99.996, LinearUnit::kFeet), "1+00.00");
  EXPECT_EQ(FormatStation(5.5, LinearUnit::kFeet), "0+05.50");
  EXPECT_EQ(FormatStation(-50.5, LinearUnit::kFeet), "-0+50.50");
  EXPECT_EQ(FormatStation(-90, LinearUnit::kMeters), "-0+090.000");
  EXPECT_EQ(FormatStation(-0.001, LinearUnit::kFeet), "0+00.00");
  EXPECT_EQ(FormatLength(-0.001, LinearUnit::kFeet), "0.00");
  EXPECT_EQ(FormatLength(12.3456, LinearUnit::kMeters), "12.346");
  EXPECT_EQ(FormatLength(-0.24, LinearUnit::kFeet), "-0.24");

  Alignment road;
  EXPECT_EQ(StationLabel(1000, road, LinearUnit::kFeet), "10+00.00");
  road.equations = {{1500, 2000, false}, {2500, 4000, true}};
  const struct {
    double internal;
    double shown;
    int region;
    const char* label;
  } cases[] = {{1000, 1000, 1, "10+00.00 R1"},
               {1500, 2000, 2, "20+00.00 R2"},
               {1600, 2100, 2, "21+00.00 R2"},
               {2600, 3900, 3, "39+00.00 R3"}};
  for (const auto& c : cases) {
    const ShownStation shown = ApplyEquations(c.internal, road.equations);
    EXPECT_EQ(shown.value, c.shown) << c.internal;
    EXPECT_EQ(shown.region, c.region) << c.internal;
    EXPECT_EQ(StationLabel(c.internal, road, LinearUnit::kFeet), c.label);
  }
}

TEST(GroundElevation, InterpolatesAlongTheLineAndNowhereElse) {
  const GroundLine ground{"EG",
                          {{{{-10, 1}, {0, 2}, {10, 1}}},
                           {{{20, 5}, {20, 7}, {30, 7}}},
                           {{{50, 0}, {40, 1}, {60, 2}}, false}}};
  const struct {
    double offset;
    std::optional<double> elevation;
  } cases[] = {{-10, 1},
               {-5, 1.5},
               {0, 2},
               {7.5, 1.25},
               {-10.0004, 1},
               {20, 7},
               {25, 7},
               {45, 0.5},
               {55, 1.75},
               {-10.01, std::nullopt},
               {15, std::nullopt},
               {31, std::nullopt},
               {61, std::nullopt}};
  for (const auto& c : cases) {
    const std::optional<double> elevation = GroundElevation(ground, c.offset);
    ASSERT_EQ(elevation.has_value(), c.elevation.has_value()) << c.offset;
    if (elevation) {
      EXPECT_DOUBLE_EQ(*elevation, *c.elevation) << c.offset;
    }
  }
}

}  // namespace
}  // namespace vantrels
