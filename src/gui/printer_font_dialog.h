#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "gui/printer_choice.h"
#include "model/messages.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vantrels {

// The report faces among the screen font names, in the order met, and the one to preselect:
// the second face met, or the only one when exactly one is installed (none without a face).
struct ReportFontChoice {
  std::vector<std::string> faces;
  std::string preselected;
};
ReportFontChoice ChooseReportFonts(const std::vector<std::string>& screen_fonts);

// What the font and printer window offers: the printers (none where the platform could not
// list them), the screen fonts among which the report faces are found, and the choice to show
// first where its printer and face are listed (the one kept from the last run).
struct PrinterFontOffer {
  PrinterOffer printers;
  std::vector<std::string> screen_fonts;
  std::optional<PrinterChoice> preferred;
};

// "Select Font and a Printer": the printer that receives the book and the fixed-pitch report
// font. Made afresh for every preview; either button closes it and the preview goes on with the
// choice, if one was made.
class PrinterFontDialog : public QDialog {
  Q_OBJECT

 public:
  // Places the window and fills the printer list (the current printer chosen) and the font list.
  explicit PrinterFontDialog(const PrinterFontOffer& offer, Messages& messages,
                             QWidget* parent = nullptr);
  ~PrinterFontDialog() override;

  // "&Preview": takes the printer and font shown in the lists, then closes.
  void takeChoice();
  // "&Cancel": closes without a choice.
  void cancel();

  // What "&Preview" took; nullopt when the window was cancelled or closed.
  const std::optional<PrinterChoice>& choice() const { return choice_; }

 private:
  void place();
  void fillLists(const PrinterFontOffer& offer);
  // Shows the printer and the font of `choice` in the lists, each when it is listed.
  void prefer(const PrinterChoice& choice);

  Messages& messages_;
  std::optional<PrinterChoice> choice_;
  QLabel* printer_caption_ = nullptr;
  QComboBox* printer_list_ = nullptr;
  QLabel* font_caption_ = nullptr;
  QComboBox* font_list_ = nullptr;
  QPushButton* preview_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vantrels
