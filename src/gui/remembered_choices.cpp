#include "gui/remembered_choices.h"

#include "gui/printer_choice.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

constexpr char kBrowseFolder[] = "files/browseFolder";
constexpr char kOutputFolder[] = "files/outputFolder";
constexpr char kPrinter[] = "printing/printer";
constexpr char kFont[] = "printing/font";
constexpr char kProjectNumber[] = "report/projectNumber";

}  // namespace

RememberedChoices::RememberedChoices() = default;
RememberedChoices::~RememberedChoices() = default;

std::unique_ptr<QSettings> RememberedChoices::UserSettings() {
  return std::make_unique<QSettings>(QStringLiteral("vantrels"), QStringLiteral("vantrels"));
}

void RememberedChoices::Open(std::unique_ptr<QSettings> settings) {
  settings_ = std::move(settings);
}

QString RememberedChoices::Read(const char* key) const {
  return settings_ ? settings_->value(QLatin1String(key)).toString() : QString();
}

void RememberedChoices::Write(const char* key, const QString& value) {
  if (settings_) settings_->setValue(QLatin1String(key), value);
}

QString RememberedChoices::BrowseFolder() const {
  return Read(kBrowseFolder);
}

void RememberedChoices::SetBrowseFolder(const QString& folder) {
  Write(kBrowseFolder, folder);
}

QString RememberedChoices::OutputFolder() const {
  return Read(kOutputFolder);
}

void RememberedChoices::SetOutputFolder(const QString& folder) {
  Write(kOutputFolder, folder);
}

std::optional<PrinterChoice> RememberedChoices::Printer() const {
  if (!settings_ || !settings_->contains(QLatin1String(kPrinter))) return std::nullopt;
  return PrinterChoice{ToReportBytes(Read(kPrinter)), ToReportBytes(Read(kFont))};
}

void RememberedChoices::SetPrinter(const PrinterChoice& choice) {
  Write(kPrinter, FromReportBytes(choice.printer));
  Write(kFont, FromReportBytes(choice.font));
}

QString RememberedChoices::ProjectNumber() const {
  return Read(kProjectNumber);
}

void RememberedChoices::SetProjectNumber(const QString& number) {
  Write(kProjectNumber, number);
}

}  // namespace vantrels
