#include "compute/landxml_stations.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "compute/import_stations.h"
#include "compute/profile.h"
#include "compute/station_text.h"
#include "import/landxml_reader.h"
#include "landxml_generator.h"

namespace vantrels {
namespace {

// A crowned section: crown at `crown` on offset 0, edges 0.24 lower at 12 either side.
DesignSurface Crowned(double crown) {
  return {{{-12, crown - 0.24, "ETW"}, {0, crown, "Crown"}, {12, crown - 0.24, "ETW"}}};
}

CrossSection At(double station, double crown, std::vector<GroundLine> ground = {}) {
  CrossSection section;
  section.station = station;
  section.name = "SL " + std::to_string(static_cast<int>(station));
  section.design = {Crowned(crown)};
  section.ground = std::move(ground);
  return section;
}

// A level profile at `elevation` from station 0 to 1000.
Profile Level(double elevation) {
  return {"Design", {{0, elevation}, {1000, elevation}}};
}

LandXmlFile FileOf(std::vector<CrossSection> sections, std::optional<Profile> profile = {}) {
  LandXmlFile file;
  Alignment& alignment = file.alignments.emplace_back();
  alignment.name = "Main";
  alignment.sections = std::move(sections);
  alignment.profile = std::move(profile);
  return file;
}

Result<ImportedStations> Import(const LandXmlFile& file, ImportChoices choices = {}) {
  return StationsFromLandXml(file, choices);
}

TEST(LandXmlAlignments, ChoosesOneByNameOrTheOnlyOne) {
  LandXmlFile file = FileOf({At(100, 0)});
  file.alignments.push_back({"Ramp", {}, {}, {}});
  file.alignments.push_back({"Side \"B\"", {}, {}, {At(100, 0)}});
  EXPECT_EQ(AlignmentsWithCrossSections(file), (std::vector<std::string>{"Main", "Side \"B\""}));
  const struct {
    const char* name;
    const char* chosen;
    const char* message;
  } cases[] = {
      {"", nullptr,
       "The LandXML file has several alignments with cross sections: \"Main\", \"Side \"B\"\""},
      {"Side \"B\"", "Side \"B\"", nullptr},
      {"Ramp", nullptr,
       "No alignment \"Ramp\" with cross sections in the file; it has \"Main\", \"Side \"B\"\""},
  };
  for (const auto& c : cases) {
    const Result<const Alignment*> chosen = ChooseAlignment(file, c.name);
    if (c.chosen) {
      ASSERT_TRUE(chosen.ok()) << chosen.failure().message;
      EXPECT_EQ((*chosen)->name, c.chosen);
    } else {
      ASSERT_FALSE(chosen.ok()) << c.name;
      EXPECT_EQ(chosen.failure(), UsageError(c.message));
    }
  }
  EXPECT_EQ((*ChooseAlignment(FileOf({At(5, 0)}), ""))->name, "Main");
  EXPECT_EQ(ChooseAlignment(FileOf({}), "").failure(),
            Rejected("The LandXML file has no alignment with cross sections"));
}

TEST(LandXmlAlignments, AskTheChooserOnlyWhenSeveralHaveCrossSectionsAndNoneIsNamed) {
  LandXmlFile file = FileOf({At(100, 0)});
  file.alignments.push_back({"Side", {}, {}, {At(100, 5), At(200, 5)}});
  std::vector<std::vector<std::string>> asked;
  Result<std::string> answer = std::string("Side");
  ImportChoices choices;
  choices.choose_alignment = [&](const std::vector<std::string>& names) {
    asked.push_back(names);
    return answer;
  };
  const auto stations = [&](const LandXmlFile& f) -> std::optional<size_t> {
    const Result<ImportedStations> imported = Import(f, choices);
    if (!imported) return std::nullopt;
    return imported->stations.sides.at(0).size();
  };
  EXPECT_EQ(stations(file), 2u);
  EXPECT_EQ(stations(FileOf({At(100, 0)})), 1u) << "the only alignment is not asked for";
  answer = Failure{FailureKind::kCancelled, ""};
  EXPECT_EQ(Import(file, choices).failure(), (Failure{FailureKind::kCancelled, ""}));
  answer = std::string("Nowhere");
  EXPECT_EQ(Import(file, choices).failure().kind, FailureKind::kUsage);
  choices.alignment = "Main";
  EXPECT_EQ(stations(file), 1u) << "a named alignment is not asked for";
  EXPECT_EQ(asked, (std::vector<std::vector<std::string>>(3, {"Main", "Side"})));
}

struct ElevationCase {
  const char* what;
  LandXmlFile file;
  ElevationMode mode;
  // The crown's elevation text at the first station, or the failure.
  const char* crown;
  const char* note;
};

TEST(LandXmlElevations, AddTheProfileWhenRelativeAndSayWhichRuleApplied) {
  const std::vector<ElevationCase> cases = {
      {"Civil 3D: crown 0.0, profile 77.906", FileOf({At(100, 0), At(200, 0.2)}, Level(77.906)),
       ElevationMode::kAuto, "77.91",
       "Elevations: relative to profile \"Design\", its elevation added (auto: 2 of 2 stations "
       "look relative)"},
      {"J-LandXML: crown on the profile", FileOf({At(100, 77.9), At(200, 78)}, Level(77.9)),
       ElevationMode::kAuto, "77.90",
       "Elevations: absolute, as in the file (auto: 0 of 2 stations look relative)"},
      {"a road near sea level is absolute", FileOf({At(100, 0.5)}, Level(0.8)),
       ElevationMode::kAuto, "0.50",
       "Elevations: absolute, as in the file (auto: 0 of 1 stations look relative)"},
      {"the stations vote", FileOf({At(100, 0), At(200, 0), At(300, 50)}, Level(50)),
       ElevationMode::kAuto, "50.00",
       "Elevations: relative to profile \"Design\", its elevation added (auto: 2 of 3 stations "
       "look relative)"},
      {"no profile", FileOf({At(100, 0)}), ElevationMode::kAuto, "0.00",
       "Elevations: absolute, as in the file (auto: the alignment has no profile)"},
      {"absolute when told", FileOf({At(100, 0)}, Level(50)), ElevationMode::kAbsolute, "0.00",
       "Elevations: absolute, as in the file"},
      {"relative when told", FileOf({At(100, 80)}, Level(50)), ElevationMode::kRelative, "130.00",
       "Elevations: relative to profile \"Design\", its elevation added"},
  };
  for (const ElevationCase& c : cases) {
    const Result<ImportedStations> imported = Import(c.file, {.elevations = c.mode});
    ASSERT_TRUE(imported.ok()) << c.what << ": " << imported.failure().message;
    EXPECT_EQ(imported->stations.sides.at(0).at(0).points.at(1).elevation, c.crown) << c.what;
    EXPECT_EQ(imported->notes.at(1), c.note) << c.what;
  }
  EXPECT_EQ(Import(FileOf({At(100, 0)}), {.elevations = ElevationMode::kRelative}).failure(),
            UsageError("Relative elevations need a profile, and alignment \"Main\" has none"));
  EXPECT_EQ(Import(FileOf({At(100, 0), At(1200, 0)}, Level(50))).failure(),
            Rejected("The cross section \"SL 1200\" at 12+00.00 lies outside profile \"Design\""));
}

TEST(LandXmlCutFill, MeasuresGroundMinusDesignAgainstTheChosenGround) {
  const GroundLine existing{"Existing Ground", {{{{-20, 1}, {0, 0.5}, {10, -1}}}}};
  const GroundLine subgrade{"EG", {{{{-20, 3}, {20, 3}}}}};
  const LandXmlFile file = FileOf({At(100, 0, {subgrade, existing}), At(200, 0)});
  const Result<ImportedStations> imported = Import(file);
  ASSERT_TRUE(imported.ok()) << imported.failure().message;
  EXPECT_EQ(imported->notes.at(2),
            "Cut and fill against ground \"Existing Ground\" (none at 1 of 2 cross sections)");
  const std::vector<Point>& points = imported->stations.sides[0][0].points;
  // Ground at -12 is 1 - 0.5 * 8 / 20 = 0.8 over ETW -0.24: cut; at 12 it does not reach.
  EXPECT_NEAR(*points[0].cut_fill, 0.8 + 0.24, 1e-12);
  EXPECT_NEAR(*points[1].cut_fill, 0.5, 1e-12);
  EXPECT_FALSE(points[2].cut_fill);
  EXPECT_FALSE(imported->stations.sides[0][1].points[0].cut_fill);

  const Result<ImportedStations> named = Import(file, {.ground = "eg"});
  ASSERT_TRUE(named.ok());
  EXPECT_NEAR(*named->stations.sides[0][0].points[2].cut_fill, 3.24, 1e-12);
  EXPECT_EQ(Import(file, {.ground = "Top"}).failure(),
            UsageError("No ground line \"Top\" in alignment \"Main\"; it has \"EG\", "
                       "\"Existing Ground\""));
  const Result<ImportedStations> none = Import(FileOf({At(100, 0, {subgrade})}));
  EXPECT_EQ(none->notes.at(2), "No cut or fill: no ground line's name contains \"exist\"");
  EXPECT_FALSE(none->stations.sides[0][0].points[0].cut_fill);
}

TEST(LandXmlCutFill, RelativeDesignMeetsGroundInEitherDatum) {
  // The same road, crown 0.0 over a profile at 77.9, its ground written relative to the profile
  // or absolute: the cut at the crown is 0.5 either way.
  const GroundLine relative{"Existing Ground", {{{{-20, 1}, {0, 0.5}, {20, 0}}}}};
  const GroundLine absolute{"Existing Ground", {{{{-20, 78.9}, {0, 78.4}, {20, 77.9}}}}};
  const struct {
    GroundLine ground;
    const char* note;
  } cases[] = {
      {relative, "Cut and fill against ground \"Existing Ground\""},
      {absolute,
       "Cut and fill against ground \"Existing Ground\" (its elevations absolute, the design's "
       "relative)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.note);
    const Result<ImportedStations> imported =
        Import(FileOf({At(100, 0, {c.ground}), At(200, 0, {c.ground})}, Level(77.9)));
    ASSERT_TRUE(imported.ok()) << imported.failure().message;
    EXPECT_EQ(imported->notes.at(2), c.note);
    const std::vector<Point>& points = imported->stations.sides[0][0].points;
    EXPECT_EQ(points[1].elevation, "77.90");
    EXPECT_NEAR(*points[1].cut_fill, 0.5, 1e-9);
    EXPECT_NEAR(*points[0].cut_fill, 0.8 + 0.24, 1e-9);
  }
}

TEST(LandXmlStations, NameEachStationAndKeepWithinTheBooksLimits) {
  LandXmlFile file = FileOf({At(100, 1), At(250, 2)});
  file.alignments[0].equations = {{200, 1000, false}};
  const Result<ImportedStations> imported = Import(file);
  ASSERT_TRUE(imported.ok());
  EXPECT_EQ(imported->stations.roadway, Roadway::Undivided);
  EXPECT_EQ(imported->notes.at(0), "Alignment \"Main\": 2 cross sections");
  const StationRecord& second = imported->stations.sides.at(0).at(1);
  EXPECT_EQ(second.region_station, "10+50.00 R2");
  EXPECT_EQ(second.section_station, second.region_station);
  EXPECT_EQ(second.station_text, "SL 250");
  ASSERT_EQ(second.points.size(), 3u);
  EXPECT_EQ(second.points[0].label, "ETW");
  EXPECT_EQ(second.points[0].offset, "-12.00");
  EXPECT_EQ(second.points[0].elevation, "1.76");

  CrossSection wide = At(100, 0);
  for (int k = 0; k < 30; ++k) wide.design[0].points.push_back({20.0 + k, -1.0 - k, ""});
  EXPECT_EQ(Import(FileOf({wide})).failure(),
            Rejected("The cross section \"SL 100\" at 1+00.00 has 33 finished-grade points; a "
                     "station holds at most 31"));
  EXPECT_EQ(Import(FileOf(std::vector<CrossSection>(2002, At(5, 0)))).failure(),
            Rejected("Alignment \"Main\" has 2002 cross sections; a book holds at most 2001"));
}

TEST(LandXmlRoundTrip, GeneratedFilesGiveBackTheirPoints) {
  for (const bool metric : {false, true}) {
    for (const bool relative : {true, false}) {
      const bench::LandXmlShape shape{.metric = metric, .stations = 36, .relative = relative};
      const bench::GeneratedLandXml generated = bench::GenerateLandXml(shape);
      const LinearUnit unit = metric ? LinearUnit::kMeters : LinearUnit::kFeet;
      const Result<LandXmlFile> file = ReadLandXml(generated.xml);
      ASSERT_TRUE(file.ok()) << file.failure().message;
      const Result<ImportedStations> imported = StationsFromLandXml(*file, {});
      ASSERT_TRUE(imported.ok()) << imported.failure().message;
      EXPECT_EQ(imported->notes[1].find(relative ? "relative" : "absolute"), 12u);
      const Stations& stations = imported->stations.sides.at(0);
      ASSERT_EQ(stations.size(), generated.stations.size());
      for (size_t s = 0; s < stations.size(); ++s) {
        const bench::ExpectedStation& want = generated.stations[s];
        const double base =
            relative ? *ProfileElevation(*file->alignments[0].profile, want.internal_station) : 0;
        EXPECT_EQ(stations[s].region_station, want.label);
        EXPECT_EQ(stations[s].station_text, want.name);
        ASSERT_EQ(stations[s].points.size(), want.points.size()) << want.label;
        for (size_t p = 0; p < want.points.size(); ++p) {
          const Point& got = stations[s].points[p];
          const bench::ExpectedPoint& point = want.points[p];
          EXPECT_EQ(got.label, point.code) << want.label << " point " << p;
          EXPECT_EQ(got.offset, FormatLength(point.offset, unit)) << want.label << " " << p;
          EXPECT_EQ(got.elevation, FormatLength(point.elevation + base, unit)) << want.label;
          ASSERT_EQ(got.cut_fill.has_value(), point.cut_fill.has_value()) << want.label << " " << p;
          if (got.cut_fill) {
            EXPECT_NEAR(*got.cut_fill, *point.cut_fill, 1e-9);
          }
        }
      }
    }
  }
}

TEST(ImportStations, TellsTheKindOfFileByItsContent) {
  const std::string criteria =
      "\"VANTREL REPORT,x\r\nJob\r\nUNDIVIDED,1\r\n10+00,10+00 R1,,,x,10+00 "
      "R1,,,,CL,0.00,100.00\r\n";
  ImportMemory memory;
  RecordingMessages messages;
  const Result<ImportedStations> from_csv = ImportStations(criteria, {}, memory, messages);
  ASSERT_TRUE(from_csv.ok()) << from_csv.failure().message;
  EXPECT_TRUE(from_csv->notes.empty());
  EXPECT_EQ(from_csv->stations.sides.at(0).at(0).points.at(0).elevation, "100.00");
  const Result<ImportedStations> angle =
      ImportStations("<" + criteria.substr(1), {}, memory, messages);
  ASSERT_TRUE(angle.ok()) << angle.failure().message;
  EXPECT_EQ(angle->stations.sides.at(0).size(), 1u);
  EXPECT_EQ(ImportStations("junk\r\n", {}, memory, messages).failure(),
            Rejected("Program Error : the file has fewer than three lines occured in GpkVantrels"));
  EXPECT_EQ(ImportStations("a,b\r\nc\r\nd,e\r\n", {}, memory, messages).failure(),
            Rejected("Invalid File Type check file format"));
  EXPECT_EQ(ImportStations("<LandXML", {}, memory, messages).failure().message.substr(0, 16),
            "LandXML line 1: ");
  const Result<ImportedStations> from_xml =
      ImportStations(bench::GenerateLandXml({.stations = 3}).xml, {}, memory, messages);
  ASSERT_TRUE(from_xml.ok()) << from_xml.failure().message;
  EXPECT_EQ(from_xml->stations.sides.at(0).size(), 3u);
  EXPECT_EQ(ImportStationsFromFile("/nonexistent/x.xml", {}, memory, messages).failure(),
            Rejected("Program Error : File not found occured in GpkVantrels"));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace vantrels
