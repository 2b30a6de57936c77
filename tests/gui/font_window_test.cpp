#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

std::vector<std::string> Items(const QComboBox* list) {
  std::vector<std::string> items;
  for (int i = 0; i < list->count(); ++i) items.push_back(list->itemText(i).toStdString());
  return items;
}

TEST(FontWindow, OffersTheReportFacesInTheOrderMetAndPreselectsTheSecond) {
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
      {"only one", {"Arial", "Lucida Console", "Verdana"}, {"Lucida Console"}, ""},
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
    AppContext ctx(messages, printers, fonts);
    frmSystem window(ctx);
    EXPECT_EQ(Items(window.combo1_1), c.offered);
    EXPECT_EQ(window.combo1_1->currentText().toStdString(), c.preselected);
    window.cmdDone->click();
    EXPECT_EQ(ctx.state.report_font, c.preselected);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(FontWindow, ListsThePrintersAndPreviewMakesTheChosenOneCurrent) {
  RecordingMessages messages;
  QtPrintService printers({"Laser", "Plotter", "Laser"}, "Plotter");
  FixedFontCatalog fonts({"Courier New"});
  AppContext ctx(messages, printers, fonts);
  frmSystem window(ctx);
  EXPECT_EQ(window.windowTitle(), "Select Font and a Printer");
  EXPECT_EQ(window.Label1_0->text(), "Printer Name :");
  EXPECT_EQ(window.Label1_1->text(), "Font Name :");
  EXPECT_EQ(Items(window.combo1_0),
            (std::vector<std::string>{"Laser", "Plotter", "Laser", kPdfPrinterName}));
  EXPECT_EQ(window.combo1_0->currentText(), "Plotter");
  EXPECT_EQ(window.pos(), QPoint(TwipsToPixels(450, window.logicalDpiX()),
                                 TwipsToPixels(450, window.logicalDpiY())));

  window.combo1_0->setCurrentIndex(2);
  window.cmdDone->click();
  EXPECT_EQ(ctx.state.printer_name, "Laser");
  EXPECT_EQ(ctx.state.report_font, "");
  EXPECT_EQ(printers.CurrentPrinterName(), "Laser");
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST(FontWindow, CancelStoresNothingAndKeepsTheCurrentPrinter) {
  RecordingMessages messages;
  QtPrintService printers({"Laser", "Plotter"}, "Plotter");
  FixedFontCatalog fonts({"Courier New", "Lucida Console"});
  AppContext ctx(messages, printers, fonts);
  ctx.state.printer_name = "Earlier";
  ctx.state.report_font = "Courier New";
  frmSystem window(ctx);
  window.combo1_0->setCurrentIndex(0);
  window.cmdCancel->click();
  EXPECT_EQ(ctx.state.printer_name, "Earlier");
  EXPECT_EQ(ctx.state.report_font, "Courier New");
  EXPECT_EQ(printers.CurrentPrinterName(), "Plotter");
  EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST(FontWindow, AKeyInAListMovesTheFocusOn) {
  RecordingMessages messages;
  QtPrintService printers({"Laser"}, "Laser");
  FixedFontCatalog fonts({"Courier New", "Lucida Console"});
  AppContext ctx(messages, printers, fonts);
  frmSystem window(ctx);
  window.show();
  window.combo1_0->setFocus();
  QTest::keyClick(window.combo1_0, Qt::Key_X);
  EXPECT_EQ(window.focusWidget(), window.combo1_1);
  QTest::keyClick(window.combo1_1, Qt::Key_Return);
  EXPECT_EQ(window.focusWidget(), window.cmdDone);
  // Enter only moved the focus: nothing was pressed.
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(ctx.state.report_font, "");
}

}  // namespace
}  // namespace vantrels::gui_test
