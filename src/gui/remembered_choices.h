#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

#include "gui/printer_choice.h"

namespace vantrels {

// What the desktop program keeps from one run to the next: the folder of the last File Browse
// and of the last file written (a PDF or an export), the printer and font chosen last, the
// project number. Until settings are opened it remembers
// nothing and keeps nothing, so a window made without them leaves the user's settings alone.
class RememberedChoices {
 public:
  RememberedChoices();
  ~RememberedChoices();

  // The user's settings of the desktop program.
  static std::unique_ptr<QSettings> UserSettings();
  // Keeps and reads the choices in `settings` from now on.
  void Open(std::unique_ptr<QSettings> settings);

  QString BrowseFolder() const;
  void SetBrowseFolder(const QString& folder);

  QString OutputFolder() const;
  void SetOutputFolder(const QString& folder);

  // Windows-1252 bytes, as the font and printer window gives them; nullopt when none was kept.
  std::optional<PrinterChoice> Printer() const;
  void SetPrinter(const PrinterChoice& choice);

  QString ProjectNumber() const;
  void SetProjectNumber(const QString& number);

 private:
  QString Read(const char* key) const;
  void Write(const char* key, const QString& value);

  std::unique_ptr<QSettings> settings_;
};

}  // namespace vantrels
