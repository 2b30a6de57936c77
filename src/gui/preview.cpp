#include <QLineEdit>
#include <exception>
#include <string>
#include <utility>

#include "book/road.h"
#include "gui/app_context.h"
#include "gui/book_viewer.h"
#include "gui/main_window.h"
#include "gui/printer_font_dialog.h"
#include "model/text.h"
#include "render/qt_text.h"

namespace vantrels {

void MainWindow::preview() {
  Messages& messages = ctx_.messages;
  try {
    if (numbers_[1]->text().isEmpty() || numbers_[0]->text().isEmpty()) {
      messages.Show("Please Enter Project Number and Control Number");
    }
    PageContext heading;
    heading.project_number = ToReportBytes(numbers_[0]->text());
    ctx_.remembered.SetProjectNumber(numbers_[0]->text());
    heading.heading_date = ctx_.heading_date;

    if (UpperCase(input_file_).find(".CSV") == std::string::npos) return;

    // A rejected file leaves the book on show, its lists and its viewer as they are.
    Result<Book> road = ImportAndCompute(input_file_, ctx_.memory, messages);
    if (!road) {
      messages.Show(road.failure().message);
      if (road.failure().kind == FailureKind::kProgramEnded) endProgram();
      return;
    }

    // The preview goes on whatever the font and printer window was told.
    PrinterFontDialog font_window(ctx_.printers, ctx_.fonts, messages, this);
    if (const auto kept = ctx_.remembered.Printer()) font_window.prefer(*kept);
    ctx_.RunModal(font_window);
    if (font_window.choice()) {
      ctx_.Choose(*font_window.choice());
      ctx_.remembered.SetPrinter(*font_window.choice());
    }
    heading.report_font = ctx_.chosen.font;

    // The book is laid out on the page of the printer just chosen.
    const Status counted =
        CountBook(*road, MeasurePrinterPage(&ctx_.CurrentPrinter(), ctx_.memory), messages);
    // A book that cannot be laid out on that page is not shown; the book on show stays.
    if (!counted) {
      messages.Show(counted.failure().message);
      return;
    }
    ctx_.SetBook(std::move(*road), std::move(heading), input_file_);
    BookViewer& viewer = ctx_.Viewer();
    // An open viewer still shows the previous book's page: the new one replaces it.
    viewer.redrawPage();
    // An open viewer may have been loaded for the other roadway type.
    viewer.showMenusForRoadwayType();
    ShowViewer(ctx_);
  } catch (const std::exception&) {
    messages.Show("Error occured in Command3_click");
  }
}

}  // namespace vantrels
