#include <QComboBox>
#include <QLabel>
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

TEST(PrinterFontWindow, ALetterChoosesInTheListAndEnterThereTakesTheChoice) {
  RecordingMessages messages;
  QtPrintService printers({"Laser", "Plotter"}, "Laser");
  FixedFontCatalog fonts({"Courier New", "Lucida Console"});
  // Typed into a list: the entry chosen, where the focus is; Enter in either list is "&Preview".
  const struct {
    QComboBox& (*list)(PrinterFontDialog&);
    Qt::Key key;
    const char* chosen;
  } cases[] = {
      {Printers, Qt::Key_P, "Plotter"},
      {Fonts, Qt::Key_C, "Courier New"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    PrinterFontDialog window(OfferOf(printers, fonts), messages);
    window.show();
    QComboBox& list = c.list(window);
    list.setFocus();
    QTest::keyClick(&list, c.key);
    EXPECT_EQ(list.currentText(), c.chosen);
    EXPECT_EQ(window.focusWidget(), &list);
    // Regression: Enter moved the focus on and the window stayed open.
    QTest::keyClick(&list, Qt::Key_Return);
    ASSERT_TRUE(window.choice());
    EXPECT_EQ(&list == &Printers(window) ? window.choice()->printer : window.choice()->font,
              c.chosen);
    EXPECT_EQ(window.result(), QDialog::Accepted);
  }
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace vantrels::gui_test
