#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace vantrels {

class AppContext;

// The report faces among the screen font names, in the order met, and the one to preselect:
// the second face met (none when fewer than two are installed).
struct ReportFontChoice {
  std::vector<std::string> faces;
  std::string preselected;
};
ReportFontChoice ChooseReportFonts(const std::vector<std::string>& screen_fonts);

// "Select Font and a Printer": the printer that receives the book and the fixed-pitch report
// font. Made afresh for every preview; either button closes it and the preview goes on.
class PrinterFontDialog : public QDialog {
  Q_OBJECT

 public:
  // Places the window and fills the printer list (the current printer chosen) and the font list.
  explicit PrinterFontDialog(AppContext& ctx, QWidget* parent = nullptr);
  ~PrinterFontDialog() override;

  // "&Preview": stores printer and font and makes the printer current, then closes.
  void takeChoice();
  // "&Cancel": closes without storing anything.
  void cancel();

 protected:
  // A key pressed in the printer list moves on to the font list, one in the font list to
  // "&Preview".
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillLists();

  AppContext& ctx_;
  QLabel* printer_caption_ = nullptr;
  QComboBox* printers_ = nullptr;
  QLabel* font_caption_ = nullptr;
  QComboBox* fonts_ = nullptr;
  QPushButton* preview_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vantrels
