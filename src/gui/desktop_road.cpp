// The road one preview takes. It reads the file itself so that a file it cannot read is named,
// and takes LandXML files with the alignment the user picks.
#include "gui/desktop_road.h"

#include <QFile>
#include <exception>
#include <new>
#include <utility>

#include "compute/grade.h"
#include "compute/import_stations.h"
#include "gui/job_progress.h"
#include "import/criteria_file.h"
#include "import/landxml_reader.h"
#include "model/inherited_messages.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

Result<std::string> ReadChosenFile(const std::string& path) {
  try {
    return ReadFileBytes(path);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    const std::string shown = ToReportBytes(QFile::decodeName(QByteArray::fromStdString(path)));
    return Rejected(inherited::kClassifyFailure.Around(shown + ": " + e.what()));
  }
}

// A LandXML file with several alignments is a usage failure until the user picks one.
Result<ImportedStations> ImportChosenFile(std::string_view bytes, const PreviewQuestions& ask,
                                          RoadMemory& memory, Messages& messages) {
  ImportChoices choices;
  Result<ImportedStations> imported = ImportStations(bytes, choices, memory.import, messages);
  if (imported || imported.failure().kind != FailureKind::kUsage || !ask.choose_alignment) {
    return imported;
  }
  const Result<LandXmlFile> file = ReadLandXml(bytes);
  if (!file) return file.failure();
  const std::vector<std::string> names = AlignmentsWithCrossSections(*file);
  if (names.size() < 2) return imported;
  Result<std::string> chosen = [&] {
    const UnbusyCursor asking;
    return ask.choose_alignment(names);
  }();
  if (!chosen) return chosen.failure();
  choices.alignment = std::move(*chosen);
  return StationsFromLandXml(*file, choices);
}

}  // namespace

Result<PreviewedBook> BuildPreviewBook(const std::string& path, const PreviewQuestions& ask,
                                       RoadMemory& memory, Messages& messages) {
  PreviewedBook previewed;
  {
    const BusyCursor busy;
    const Result<std::string> bytes = ReadChosenFile(path);
    if (!bytes) return bytes.failure();
    Result<ImportedStations> imported = ImportChosenFile(*bytes, ask, memory, messages);
    if (!imported) return imported.failure();
    RoadwayStations stations = CalculateSlopes(std::move(imported->stations));
    stations = FilterPoints(std::move(stations), messages);
    previewed = PreviewedBook{BuildReport(std::move(stations), messages),
                              std::move(imported->notes)};
  }
  Surface* printer = ask.choose_printer ? ask.choose_printer() : nullptr;
  const BusyCursor busy;
  const Status counted =
      CountBook(previewed.book, MeasurePrinterPage(printer, memory), messages);
  if (!counted) return counted.failure();
  return previewed;
}

std::string PreviewSummary(const PreviewedBook& previewed) {
  std::string summary = ReadSummary(previewed.book);
  for (const std::string& note : previewed.notes) summary += "; " + note;
  return summary;
}

}  // namespace vantrels
