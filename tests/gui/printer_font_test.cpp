#include <QComboBox>
#include <QLabel>
#include <QStyleOption>
#include <QTest>

#include "gui_fixture.h"
#include "widget_lookup.h"

namespace vantrels::gui_test {
namespace {

namespace pf = names::printer_font;

QComboBox& Printers(PrinterFontDialog& window) {
  return Child<QComboBox>(window, pf::kPrinterList);
}
QComboBox& Fonts(PrinterFontDialog& window) {
  return Child<QComboBox>(window, pf::kFontList);
}
void Press(PrinterFontDialog& window, const char* name) {
  Child<QPushButton>(window, name).click();
}

std::vector<std::string> Items(const QComboBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.count(); ++i) items.push_back(list.itemText(i).toStdString());
  return items;
}

TEST(PrinterFontWindow, OffersTheReportFacesInTheOrderMetAndPreselectsTheSecondOrTheOnlyOne) {
  struct Case {
    const char* name;
    std::vector<std::string> screen_fonts;
    std::vector<std::string> offered;
    std::string preselected;
  };
  const Case cases[] = {
      {"all three",
       {"Courier New", "Lucida Console", "MS LineDraw"},
       {"Courier New", "Lucida Console", "MS LineDraw"},
       "Lucida Console"},
      // Regression: the box started blank where only one report face is installed.
      {"only one", {"Arial", "Lucida Console", "Verdana"}, {"Lucida Console"}, "Lucida Console"},
      {"order met, others never, names exact",
       {"MS LineDraw", "courier new", "Courier", "DejaVu Sans Mono", "Courier New ", "Courier New",
        "Lucida Console"},
       {"MS LineDraw", "Courier New", "Lucida Console"},
       "Courier New"},
      {"none", {"Arial", "Liberation Mono"}, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingMessages messages;
    QtPrintService printers({}, "");
    FixedFontCatalog fonts(c.screen_fonts);
    PrinterFontDialog window(OfferOf(printers, fonts), messages);
    EXPECT_EQ(Items(Fonts(window)), c.offered);
    EXPECT_EQ(Fonts(window).currentText().toStdString(), c.preselected);
    Press(window, pf::kPreview);
    ASSERT_TRUE(window.choice());
    EXPECT_EQ(window.choice()->font, c.preselected);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(PrinterFontWindow, ListsThePrintersAndPreviewMakesTheChosenOneCurrent) {
  RecordingMessages messages;
  QtPrintService printers({"Laser", "Plotter", "Laser"}, "Plotter");
  FixedFontCatalog fonts({"Courier New"});
  PrintController printing(printers, messages);
  PrinterFontDialog window(OfferOf(printers, fonts), messages);
  EXPECT_EQ(window.windowTitle(), "Select Font and a Printer");
  EXPECT_EQ(Child<QLabel>(window, pf::kPrinterCaption).text(), "Printer Name :");
  EXPECT_EQ(Child<QLabel>(window, pf::kFontCaption).text(), "Font Name :");
  EXPECT_EQ(Items(Printers(window)),
            (std::vector<std::string>{"Laser", "Plotter", "Laser", kPdfPrinterName}));
  EXPECT_EQ(Printers(window).currentText(), "Plotter");
  EXPECT_EQ(window.pos(), QPoint(TwipsToPixels(450, window.logicalDpiX()),
                                 TwipsToPixels(450, window.logicalDpiY())));

  Printers(window).setCurrentIndex(2);
  Press(window, pf::kPreview);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  ASSERT_TRUE(window.choice());
  EXPECT_EQ(window.choice()->printer, "Laser");
  // The only face installed was preselected.
  EXPECT_EQ(window.choice()->font, "Courier New");
  // The preview keeps the choice and makes its printer current.
  printing.Choose(*window.choice());
  EXPECT_EQ(printing.chosen().printer, "Laser");
  EXPECT_EQ(printers.CurrentPrinterName(), "Laser");
}

TEST(PrinterFontWindow, CancelStoresNothingAndKeepsTheCurrentPrinter) {
  RecordingMessages messages;
  QtPrintService printers({"Laser", "Plotter"}, "Plotter");
  FixedFontCatalog fonts({"Courier New", "Lucida Console"});
  PrinterFontDialog window(OfferOf(printers, fonts), messages);
  Printers(window).setCurrentIndex(0);
  Press(window, pf::kCancel);
  EXPECT_FALSE(window.choice());
  EXPECT_EQ(printers.CurrentPrinterName(), "Plotter");
  EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST(PrinterFontWindow, AKeyInAListMovesTheFocusOn) {
  RecordingMessages messages;
  QtPrintService printers({"Laser"}, "Laser");
  FixedFontCatalog fonts({"Courier New", "Lucida Console"});
  PrinterFontDialog window(OfferOf(printers, fonts), messages);
  window.show();
  Printers(window).setFocus();
  QTest::keyClick(&Printers(window), Qt::Key_X);
  EXPECT_EQ(window.focusWidget(), &Fonts(window));
  QTest::keyClick(&Fonts(window), Qt::Key_Return);
  EXPECT_EQ(window.focusWidget(), &Child<QPushButton>(window, pf::kPreview));
  // The style draws the focus where the key moved it.
  QStyleOption option;
  option.initFrom(&Child<QPushButton>(window, pf::kPreview));
  EXPECT_TRUE(option.state.testFlag(QStyle::State_KeyboardFocusChange));
  // Enter only moved the focus: nothing was pressed.
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.choice());
}

}  // namespace
}  // namespace vantrels::gui_test
