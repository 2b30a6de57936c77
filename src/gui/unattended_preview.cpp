#include "gui/unattended_preview.h"

#include <QFileInfo>
#include <QLineEdit>
#include <cstdio>

#include "gui/object_names.h"
#include "gui/printer_font_dialog.h"
#include "gui/window_support.h"
#include "model/cp1252.h"

namespace vantrels {

void StderrMessages::Show(const std::string& text) {
  std::fprintf(stderr, "message: %s\n", Cp1252ToUtf8(text).c_str());
}

UnattendedDesktop::UnattendedDesktop(PrintService& print_service) : printers(print_service) {
  SetModalRunner([](QDialog& dialog) {
    if (auto* font_window = qobject_cast<PrinterFontDialog*>(&dialog)) font_window->takeChoice();
    return dialog.result();
  });
}

void FillExampleForm(MainWindow& form, const QString& criteria_file) {
  form.end_program = [] {};
  namespace names = object_names::main_window;
  form.findChild<QLineEdit*>(names::kProjectNumber)->setText("EXAMPLE-1");
  form.findChild<QLineEdit*>(names::kControlNumber)->setText("4711");
  form.chooseFile(QFileInfo(criteria_file).absoluteFilePath());
}

}  // namespace vantrels
