#include "compute/landxml_stations.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "compute/cut_fill.h"
#include "compute/envelope.h"
#include "compute/profile.h"
#include "compute/station_text.h"
#include "import/landxml_text.h"

namespace vantrels {

namespace {

using landxml::Quoted;
using Grades = std::vector<std::vector<GradePoint>>;

// The elevations' distance from 0 (and the profile's from them) that tells relative from
// absolute: Civil 3D writes its crown at 0.0 while the profile there lies far from 0.
constexpr double kRelativeTest = 1.0;

std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + Quoted(name);
  return list;
}

// "The cross section "SL 12" at 12+00.00", as messages name it.
std::string SectionNamed(const CrossSection& section, const std::string& station) {
  return "The cross section " + (section.name.empty() ? "" : Quoted(section.name) + " ") + "at " +
         station;
}

struct ElevationRule {
  // The profile whose elevation is added at each station; nullptr: absolute elevations.
  const Profile* profile = nullptr;
  std::string note;
};

// A station looks relative when its point nearest offset 0 lies within 1 of 0 while the profile
// there lies more than 1 away from it.
std::optional<bool> LooksRelative(const std::vector<GradePoint>& grade, const Profile& profile,
                                  double station) {
  const std::optional<double> profile_elevation = ProfileElevation(profile, station);
  if (grade.empty() || !profile_elevation) return std::nullopt;
  const GradePoint& nearest =
      *std::min_element(grade.begin(), grade.end(), [](const GradePoint& a, const GradePoint& b) {
        return std::fabs(a.offset) < std::fabs(b.offset);
      });
  return std::fabs(nearest.elevation) <= kRelativeTest &&
         std::fabs(*profile_elevation - nearest.elevation) > kRelativeTest;
}

Result<ElevationRule> DecideElevations(const Alignment& alignment, const Grades& grades,
                                       ElevationMode mode) {
  const Profile* profile = alignment.profile ? &*alignment.profile : nullptr;
  const std::string absolute = "Elevations: absolute, as in the file";
  const std::string relative =
      profile ? "Elevations: relative to profile " + Quoted(profile->name) + ", its elevation added"
              : "";
  if (mode == ElevationMode::kAbsolute) return ElevationRule{nullptr, absolute};
  if (mode == ElevationMode::kRelative) {
    if (!profile) {
      return UsageError("Relative elevations need a profile, and alignment " +
                        Quoted(alignment.name) + " has none");
    }
    return ElevationRule{profile, relative};
  }
  if (!profile) return ElevationRule{nullptr, absolute + " (auto: the alignment has no profile)"};
  // The stations vote; a few odd ones (a bridge, a crown off the centre line) do not decide.
  int voters = 0;
  int relative_votes = 0;
  for (size_t k = 0; k < grades.size(); ++k) {
    const std::optional<bool> vote =
        LooksRelative(grades[k], *profile, alignment.sections[k].station);
    if (!vote) continue;
    ++voters;
    if (*vote) ++relative_votes;
  }
  const std::string tally =
      std::to_string(relative_votes) + " of " + std::to_string(voters) + " stations look relative";
  if (relative_votes * 2 > voters)
    return ElevationRule{profile, relative + " (auto: " + tally + ")"};
  return ElevationRule{nullptr, absolute + " (auto: " + tally + ")"};
}

struct GroundChoice {
  std::optional<std::string> name;
  std::string note;
  // The ground's elevations are absolute while the design's are relative to the profile.
  bool absolute_under_relative_design = false;
};

// Whether the ground line `name` of a relative design is written in absolute elevations: at
// offset 0 most stations' ground lies nearer the profile grade than 0. Files differ here, and
// measuring absolute ground against relative design would give the profile's height as cut.
bool GroundLooksAbsolute(const Alignment& alignment, const Profile& profile,
                         const std::string& name) {
  int voters = 0;
  int absolute_votes = 0;
  for (const CrossSection& section : alignment.sections) {
    const GroundLine* line = GroundNamed(section, name);
    if (!line) continue;
    const std::optional<double> ground = GroundElevation(*line, 0);
    const std::optional<double> grade = ProfileElevation(profile, section.station);
    if (!ground || !grade) continue;
    ++voters;
    if (std::fabs(*ground - *grade) < std::fabs(*ground)) ++absolute_votes;
  }
  return absolute_votes * 2 > voters;
}

Result<GroundChoice> ChooseGround(const Alignment& alignment, const std::string& asked) {
  const std::optional<std::string> name = asked.empty() ? DefaultGroundName(alignment) : asked;
  if (!name)
    return GroundChoice{std::nullopt, "No cut or fill: no ground line's name contains \"exist\""};
  const auto found = std::count_if(alignment.sections.begin(), alignment.sections.end(),
                                   [&](const CrossSection& s) { return GroundNamed(s, *name); });
  if (found == 0) {
    std::vector<std::string> names;
    for (const CrossSection& section : alignment.sections) {
      for (const GroundLine& line : section.ground) {
        if (std::find(names.begin(), names.end(), line.name) == names.end())
          names.push_back(line.name);
      }
    }
    return UsageError("No ground line " + Quoted(*name) + " in alignment " +
                      Quoted(alignment.name) +
                      (names.empty() ? "; it has none" : "; it has " + NameList(names)));
  }
  std::string note = "Cut and fill against ground " + Quoted(*name);
  const auto missing = static_cast<int64_t>(alignment.sections.size()) - found;
  if (missing > 0) {
    note += " (none at " + std::to_string(missing) + " of " +
            std::to_string(alignment.sections.size()) + " cross sections)";
  }
  return GroundChoice{name, note};
}

// The station of one cross section; takes the codes of its finished grade over.
Result<StationRecord> StationOf(const Alignment& alignment, const CrossSection& section,
                                std::vector<GradePoint>& grade, const ElevationRule& rule,
                                const GroundChoice& ground, LinearUnit unit) {
  StationRecord record;
  record.region_station = StationLabel(section.station, alignment, unit);
  record.section_station = record.region_station;
  record.station_text = section.name;
  record.named_section = true;
  double base = 0;
  if (rule.profile) {
    const std::optional<double> profile = ProfileElevation(*rule.profile, section.station);
    if (!profile) {
      return Rejected(SectionNamed(section, record.region_station) + " lies outside profile " +
                      Quoted(rule.profile->name));
    }
    base = *profile;
  }
  const GroundLine* line = ground.name ? GroundNamed(section, *ground.name) : nullptr;
  record.points.reserve(grade.size());
  for (GradePoint& g : grade) {
    Point& point = record.points.emplace_back();
    point.label = std::move(g.code);
    point.offset = FormatLength(g.offset, unit);
    point.elevation = FormatLength(g.elevation + base, unit);
    // Ground and design in the same datum: the profile cancels out.
    const double design = ground.absolute_under_relative_design ? g.elevation + base : g.elevation;
    if (line) {
      if (const std::optional<double> at = GroundElevation(*line, g.offset))
        point.cut_fill = *at - design;
    }
  }
  return record;
}

// Every cross section's finished grade, each within the points a station holds.
Result<Grades> GradesOf(const Alignment& alignment, LinearUnit unit) {
  Grades grades;
  grades.reserve(alignment.sections.size());
  for (const CrossSection& section : alignment.sections) {
    grades.push_back(FinishedGrade(section.design));
    if (grades.back().size() > static_cast<size_t>(kMaxPoints)) {
      return Rejected(SectionNamed(section, StationLabel(section.station, alignment, unit)) +
                      " has " + std::to_string(grades.back().size()) +
                      " finished-grade points; a station holds at most " +
                      std::to_string(kMaxPoints));
    }
  }
  return grades;
}

// The alignment the choices name, the file's only one with cross sections, or the one the user
// picks from their names.
Result<const Alignment*> AlignmentOf(const LandXmlFile& file, const ImportChoices& choices) {
  if (choices.alignment.empty() && choices.choose_alignment) {
    const std::vector<std::string> names = AlignmentsWithCrossSections(file);
    if (names.size() > 1) {
      const Result<std::string> picked = choices.choose_alignment(names);
      if (!picked) return picked.failure();
      return ChooseAlignment(file, *picked);
    }
  }
  return ChooseAlignment(file, choices.alignment);
}

}  // namespace

std::vector<std::string> AlignmentsWithCrossSections(const LandXmlFile& file) {
  std::vector<std::string> names;
  for (const Alignment& alignment : file.alignments) {
    if (!alignment.sections.empty()) names.push_back(alignment.name);
  }
  return names;
}

Result<const Alignment*> ChooseAlignment(const LandXmlFile& file, std::string_view name) {
  const std::vector<std::string> names = AlignmentsWithCrossSections(file);
  if (names.empty()) return Rejected("The LandXML file has no alignment with cross sections");
  if (name.empty() && names.size() > 1) {
    return UsageError("The LandXML file has several alignments with cross sections: " +
                      NameList(names));
  }
  for (const Alignment& alignment : file.alignments) {
    if (!alignment.sections.empty() && (name.empty() || alignment.name == name)) return &alignment;
  }
  return UsageError("No alignment " + Quoted(name) + " with cross sections in the file; it has " +
                    NameList(names));
}

Result<ImportedStations> StationsFromLandXml(const LandXmlFile& file,
                                             const ImportChoices& choices) {
  const Result<const Alignment*> chosen = AlignmentOf(file, choices);
  if (!chosen) return chosen.failure();
  const Alignment& alignment = **chosen;
  if (alignment.sections.size() > static_cast<size_t>(kMaxStations)) {
    return Rejected("Alignment " + Quoted(alignment.name) + " has " +
                    std::to_string(alignment.sections.size()) +
                    " cross sections; a book holds at most " + std::to_string(kMaxStations));
  }
  Result<Grades> grades = GradesOf(alignment, file.unit);
  if (!grades) return grades.failure();
  const Result<ElevationRule> rule = DecideElevations(alignment, *grades, choices.elevations);
  if (!rule) return rule.failure();
  Result<GroundChoice> ground = ChooseGround(alignment, choices.ground);
  if (!ground) return ground.failure();
  if (rule->profile && ground->name &&
      GroundLooksAbsolute(alignment, *rule->profile, *ground->name)) {
    ground->absolute_under_relative_design = true;
    ground->note += " (its elevations absolute, the design's relative)";
  }

  ImportedStations imported;
  imported.kind = InputKind::kLandXml;
  imported.notes = {"Alignment " + Quoted(alignment.name) + ": " +
                        std::to_string(alignment.sections.size()) + " cross sections",
                    rule->note, ground->note};
  Stations& stations = imported.stations.sides.emplace_back();
  stations.reserve(alignment.sections.size());
  for (size_t k = 0; k < alignment.sections.size(); ++k) {
    Result<StationRecord> record =
        StationOf(alignment, alignment.sections[k], (*grades)[k], *rule, *ground, file.unit);
    if (!record) return record.failure();
    stations.push_back(std::move(*record));
  }
  return imported;
}

}  // namespace vantrels
