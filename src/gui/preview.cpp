// Preview: the road from the criteria file to the viewer, and the viewer the main window owns.
#include <QLineEdit>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "book/road.h"
#include "gui/book_viewer.h"
#include "gui/main_window.h"
#include "gui/print_controller.h"
#include "gui/printer_font_dialog.h"
#include "gui/remembered_choices.h"
#include "gui/user_command.h"
#include "gui/window_support.h"
#include "model/inherited_messages.h"
#include "model/text.h"
#include "render/qt_text.h"
#include "render/report_fonts.h"

namespace vantrels {

void MainWindow::preview() {
  RunCommand(messages_, inherited::kPreviewFailure, [this] { return runPreview(); });
}

Status MainWindow::runPreview() {
  if (numbers_[1]->text().isEmpty() || numbers_[0]->text().isEmpty()) {
    messages_.Show(inherited::kEnterNumbers);
  }
  PageContext heading;
  heading.project_number = ToReportBytes(numbers_[0]->text());
  remembered_.SetProjectNumber(numbers_[0]->text());
  heading.heading_date = heading_date;

  if (UpperCase(input_file_).find(".CSV") == std::string::npos) return {};

  // The same road as vantrels-book's, with the font and printer window asked between the
  // computations and the counting. A rejected file leaves the book on show and its windows.
  Result<Book> road = BuildBook(
      input_file_, [this] { return choosePrinterAndFont(); }, memory_, messages_);
  if (!road) {
    // Shown here, before the wrong-side stop ends the program; the failure goes on without it.
    messages_.Show(road.failure().message);
    if (road.failure().kind == FailureKind::kProgramEnded) endProgram();
    return Failure{road.failure().kind, ""};
  }
  heading.report_font = printing_.chosen().font;
  document_.Show(std::move(*road), std::move(heading), input_file_);
  showViewer();
  return {};
}

Surface* MainWindow::choosePrinterAndFont() {
  PrinterFontOffer offer;
  try {
    offer.printers = printing_.OfferedPrinters();
    offer.screen_fonts = fonts_.ScreenFontNames();
  } catch (const std::exception&) {
    // Without printer information the window offers nothing, silently.
    offer = {};
  }
  offer.preferred = remembered_.Printer();
  // The preview goes on whatever the window was told.
  PrinterFontDialog font_window(offer, messages_, this);
  RunModal(font_window);
  if (const std::optional<PrinterChoice>& choice = font_window.choice()) {
    printing_.Choose(*choice);
    remembered_.SetPrinter(*choice);
  }
  // The book is laid out on the page of the printer just chosen.
  return &printing_.LayoutTarget();
}

void MainWindow::showViewer() {
  RunCommand(messages_, inherited::kShowViewerFailure, [this] {
    if (!viewer_) {
      viewer_ = new BookViewer(document_, printing_, messages_);
      connect(viewer_, &BookViewer::closed, this, [this] { unloadViewer(); });
    }
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
  });
}

void MainWindow::unloadViewer() {
  // Its own "&End" or frame may be closing it: deleted once control is back in the event loop.
  Unload(std::exchange(viewer_, nullptr));
}

}  // namespace vantrels
