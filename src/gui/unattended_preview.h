// The desktop program run without anyone at it (the documentation's pictures, the memory probe):
// messages go to stderr, the font and printer window takes the choice it opens with, and the main
// window previews a criteria file with the example's numbers.
#pragma once

#include <QString>

#include "gui/app_context.h"
#include "gui/main_window.h"
#include "model/messages.h"

namespace vantrels {

// Messages go to stderr: a message box would wait for a click.
class StderrMessages : public Messages {
 public:
  void Show(const std::string& text) override;
};

// Modal windows return at once; the font and printer window with its preselected choice.
void AnswerDialogsUnattended(AppContext& ctx);

// Fills the project and control numbers with the example's, chooses `criteria_file` and shows
// the main window; ending the program is left to the caller.
void FillExampleForm(MainWindow& form, const QString& criteria_file);

}  // namespace vantrels
