#include "compute/import_stations.h"

#include <exception>
#include <utility>

#include "import/landxml_reader.h"

namespace vantrels {

namespace {

// The criteria import tells its failures through the message sink: the message of a failed
// import becomes the Failure; the messages of one that goes on are passed on.
Result<ImportedStations> ImportCriteria(std::string_view bytes, ImportMemory& memory,
                                        Messages& messages) {
  RecordingMessages recorded;
  ImportResult imported = ImportCriteriaBytes(bytes, memory, recorded);
  if (imported.status == ImportStatus::kImported) {
    for (const std::string& text : recorded.shown) messages.Show(text);
    return ImportedStations{std::move(imported.stations), {}};
  }
  const std::string message = recorded.shown.empty() ? std::string() : recorded.shown.back();
  if (imported.status == ImportStatus::kProgramEnded)
    return Failure{FailureKind::kProgramEnded, message};
  return Rejected(message);
}

}  // namespace

Result<ImportedStations> ImportStations(std::string_view bytes, const ImportChoices& choices,
                                        ImportMemory& memory, Messages& messages) {
  if (!LooksLikeXml(bytes)) return ImportCriteria(bytes, memory, messages);
  const Result<LandXmlFile> file = ReadLandXml(bytes);
  if (!file) return file.failure();
  return StationsFromLandXml(*file, choices);
}

Result<ImportedStations> ImportStationsFromFile(const std::string& path,
                                                const ImportChoices& choices,
                                                ImportMemory& memory, Messages& messages) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const std::exception& e) {
    return Rejected(std::string("Program Error : ") + e.what() + " occured in GpkVantrels");
  }
  return ImportStations(bytes, choices, memory, messages);
}

}  // namespace vantrels
