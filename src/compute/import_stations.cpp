#include "compute/import_stations.h"

#include <utility>

#include "import/landxml_reader.h"
#include "model/inherited_messages.h"
#include "model/text.h"

namespace vantrels {

namespace {

Result<ImportedStations> FromCriteria(Result<RoadwayStations> imported) {
  if (!imported) return imported.failure();
  return ImportedStations{std::move(*imported), InputKind::kCriteriaReport, {}};
}

Result<ImportedStations> FromLandXml(const Result<LandXmlFile>& file,
                                     const ImportChoices& choices) {
  if (!file) return file.failure();
  return StationsFromLandXml(*file, choices);
}

// A criteria report names itself in its first line, whatever its first character: one that
// begins with '<' is still a criteria report.
bool NamesItselfACriteriaReport(std::string_view bytes) {
  const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
  const size_t comma = line.find(',');
  return comma != std::string_view::npos && comma > 1 &&
         UpperCase(TrimBlanks(line.substr(1, comma - 1))) == "VANTREL REPORT";
}

bool IsCriteriaReport(std::string_view bytes) {
  return NamesItselfACriteriaReport(bytes) || !LooksLikeXml(bytes);
}

}  // namespace

Result<ImportedStations> ImportStations(std::string_view bytes, const ImportChoices& choices,
                                        ImportMemory& memory, Messages& messages) {
  if (IsCriteriaReport(bytes)) return FromCriteria(ImportCriteriaBytes(bytes, memory, messages));
  return FromLandXml(ReadLandXml(bytes), choices);
}

Result<ImportedStations> ImportStationsFromFile(const std::string& path,
                                                const ImportChoices& choices, ImportMemory& memory,
                                                Messages& messages) {
  Result<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return Rejected(inherited::kClassifyFailure.Around(bytes.failure().message));
  if (IsCriteriaReport(*bytes)) {
    return FromCriteria(ImportCriteriaBytes(*bytes, memory, messages));
  }
  // The file's bytes go to the reader, which parses them where they lie and frees them.
  return FromLandXml(ReadLandXmlInPlace(std::move(*bytes)), choices);
}

}  // namespace vantrels
