// The desktop program run without anyone at it (the documentation's pictures, the memory probe):
// messages go to stderr, the font and printer window takes the choice it opens with, and the main
// window previews a criteria file with the example's numbers.
#pragma once

#include <QString>
#include <string>

#include "book/book_document.h"
#include "gui/main_window.h"
#include "gui/print_controller.h"
#include "gui/remembered_choices.h"
#include "model/messages.h"
#include "render/print_service.h"
#include "render/report_fonts.h"

namespace vantrels {

// Messages go to stderr: a message box would wait for a click.
class StderrMessages : public Messages {
 public:
  void Show(const std::string& text) override;
};

// The desktop program's objects as main() makes them, with messages on stderr and every modal
// window returning at once (the font and printer window with its preselected choice).
struct UnattendedDesktop {
  explicit UnattendedDesktop(PrintService& printers);

  StderrMessages messages;
  PrintService& printers;
  SystemFontCatalog fonts;
  RememberedChoices remembered;
  BookDocument document;
  PrintController printing{printers, messages};
  MainWindow form{document, printing, fonts, remembered, messages};
};

// Fills the project and control numbers with the example's, chooses `criteria_file` and shows
// the main window; ending the program is left to the caller.
void FillExampleForm(MainWindow& form, const QString& criteria_file);

}  // namespace vantrels
