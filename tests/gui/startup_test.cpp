// The desktop program's start: the main window needs neither the platform's printers nor its
// font list, which cost start-up time; the first preview asks for both.
#include <QLineEdit>

#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

class CountingFonts : public FontCatalog {
 public:
  std::vector<std::string> ScreenFontNames() const override {
    ++asked;
    return {"Courier New"};
  }
  mutable int asked = 0;
};

TEST(Startup, TheMainWindowListsNoPrintersAndNoFontsUntilThePreview) {
  int printer_reads = 0;
  QtPrintService printers([&printer_reads] {
    ++printer_reads;
    return InstalledPrinters{};
  });
  CountingFonts fonts;
  RecordingMessages messages;
  RememberedChoices remembered;
  BookDocument document;
  PrintController printing(printers, messages);
  SetModalRunner([](QDialog& dialog) {
    if (auto* font_window = qobject_cast<PrinterFontDialog*>(&dialog)) font_window->takeChoice();
    return dialog.result();
  });
  MainWindow form(document, printing, fonts, remembered, messages);
  form.end_program = [] {};
  form.show();
  EXPECT_EQ(printer_reads, 0);
  EXPECT_EQ(fonts.asked, 0);

  Child<QLineEdit>(form, names::main_window::kProjectNumber).setText("P");
  Child<QLineEdit>(form, names::main_window::kControlNumber).setText("C");
  form.chooseFile(Example("undivided.csv"));
  form.preview();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_GE(printer_reads, 1);
  EXPECT_EQ(fonts.asked, 1);
  ASSERT_TRUE(document.book());
  // The book was laid out on the PDF entry's Letter page, the only printer there is.
  EXPECT_DOUBLE_EQ(document.book()->page.columns, 96);
  SetModalRunner(nullptr);
  CloseViewer(form);
}

}  // namespace
}  // namespace vantrels::gui_test
