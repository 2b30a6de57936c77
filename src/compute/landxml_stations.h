#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "import/landxml_document.h"
#include "model/book.h"
#include "model/result.h"

namespace vantrels {

// How the elevations of a LandXML file's design points are read: as they are (J-LandXML), as
// heights above the profile grade at their station (Civil 3D), or by what the file looks like.
enum class ElevationMode { kAuto, kAbsolute, kRelative };

// What the user chose for a LandXML file; a criteria report needs none of it. Names are in
// Windows-1252, as the book keeps the file's texts.
struct ImportChoices {
  // The alignment by name; empty: the file's only alignment with cross sections.
  std::string alignment = {};
  ElevationMode elevations = ElevationMode::kAuto;
  // The existing-ground line by name, in any letter case; empty: the first whose name contains
  // "exist".
  std::string ground = {};
  // Asked, with their names, when no alignment is named and several have cross sections: gives
  // the name chosen or the failure that ends the import (the desktop's Cancel, the command
  // line's usage error). Without it, that file is a usage error listing the names.
  std::function<Result<std::string>(const std::vector<std::string>& names)> choose_alignment =
      nullptr;
};

// The kinds of file a book is made from.
enum class InputKind { kCriteriaReport, kLandXml };

// The stations of one book and what the import decided on the way (the alignment, the
// elevation rule, the ground line), one line each in Windows-1252: the command line prints them
// on stderr, the desktop program shows them in its status line. A criteria report has none.
struct ImportedStations {
  RoadwayStations stations;
  InputKind kind = InputKind::kCriteriaReport;
  std::vector<std::string> notes;
};

// The names of the file's alignments that have cross sections, in file order.
std::vector<std::string> AlignmentsWithCrossSections(const LandXmlFile& file);

// The alignment of that name that has cross sections; with no name, the file's only one. A name
// that matches none, or no name while several have cross sections, is a usage error that lists
// their names; a file without cross sections is rejected.
Result<const Alignment*> ChooseAlignment(const LandXmlFile& file, std::string_view name);

// The book's stations from the alignment chosen by name, by choose_alignment or as the only one, as a criteria file of one undivided roadway
// gives them: one station per cross section in file order, named by its station (after the
// station equations, with its region when there are equations) and by the cross section's
// name; its finished-grade points with their codes, offsets and elevations (profile added when
// relative) written in the file's unit, and their cut or fill against the ground line.
Result<ImportedStations> StationsFromLandXml(const LandXmlFile& file, const ImportChoices& choices);

}  // namespace vantrels
