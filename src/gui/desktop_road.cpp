// The road one preview takes. It reads the file itself so that a file it cannot read is named.
#include "gui/desktop_road.h"

#include <QFile>
#include <utility>

#include "gui/job_progress.h"
#include "import/criteria_file.h"
#include "model/inherited_messages.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

Result<std::string> ReadChosenFile(const std::string& path) {
  Result<std::string> bytes = ReadFileBytes(path);
  if (bytes) return bytes;
  const std::string shown = ToReportBytes(QFile::decodeName(QByteArray::fromStdString(path)));
  return Rejected(inherited::kClassifyFailure.Around(shown + ": " + bytes.failure().message));
}

}  // namespace

Result<ImportedBook> BuildPreviewBook(const std::string& path, const PreviewQuestions& ask,
                                      RoadMemory& memory, Messages& messages) {
  ImportChoices choices;
  if (ask.choose_alignment) {
    choices.choose_alignment = [&ask](const std::vector<std::string>& names) {
      const UnbusyCursor asking;
      return ask.choose_alignment(names);
    };
  }
  Result<ImportedBook> imported = Failure{};
  {
    const BusyCursor busy;
    const Result<std::string> bytes = ReadChosenFile(path);
    if (!bytes) return bytes.failure();
    imported = ImportAndComputeBytes(*bytes, choices, memory, messages);
    if (!imported) return imported;
  }
  Surface* printer = ask.choose_printer ? ask.choose_printer() : nullptr;
  const BusyCursor busy;
  const Status counted = CountBook(imported->book, MeasurePrinterPage(printer, memory), messages);
  if (!counted) return counted.failure();
  return imported;
}

std::string PreviewSummary(const ImportedBook& previewed) {
  std::string summary = ReadSummary(previewed.book);
  for (const std::string& note : previewed.notes) summary += "; " + note;
  return summary;
}

}  // namespace vantrels
