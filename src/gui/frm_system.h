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
// font. Loaded afresh for every preview; either button closes it and the preview goes on.
class frmSystem : public QDialog {
  Q_OBJECT

 public:
  // Places the window and fills the printer list (the current printer chosen) and the font list.
  explicit frmSystem(AppContext& ctx, QWidget* parent = nullptr);
  ~frmSystem() override;

  QLabel* Label1_0 = nullptr;
  QComboBox* combo1_0 = nullptr;  // printers
  QLabel* Label1_1 = nullptr;
  QComboBox* combo1_1 = nullptr;  // fonts
  QPushButton* cmdDone = nullptr;
  QPushButton* cmdCancel = nullptr;

  // "&Preview": stores printer and font and makes the printer current, then closes.
  void cmdDone_Click();
  // "&Cancel": closes without storing anything.
  void cmdCancel_Click();

 protected:
  // A key pressed in the printer list moves on to the font list, one in the font list to
  // "&Preview".
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();

  AppContext& ctx_;
};

}  // namespace vantrels
