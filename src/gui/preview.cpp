// Preview: the road from the criteria file to the viewer, and the viewer the main window owns.
#include <QLineEdit>
#include <QStatusBar>
#include <QStringList>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "book/road.h"
#include "gui/desktop_road.h"
#include "gui/book_viewer.h"
#include "gui/main_window.h"
#include "gui/print_controller.h"
#include "gui/printer_font_dialog.h"
#include "gui/remembered_choices.h"
#include "gui/user_command.h"
#include "gui/window_support.h"
#include "model/inherited_messages.h"
#include "model/text.h"
#include "model/user_text.h"
#include "render/qt_text.h"
#include "render/report_fonts.h"

namespace vantrels {

void MainWindow::preview() {
  RunCommand(messages_, inherited::kPreviewFailure, [this] { return runPreview(); });
}

namespace {

// The first character of `text` that Windows-1252, the page heading's text, cannot hold.
std::optional<char32_t> FirstCharacterOutsideCp1252(const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    if (!CodePointToCp1252(c)) return c;
  }
  return std::nullopt;
}

}  // namespace

Status MainWindow::runPreview() {
  if (numbers_[1]->text().isEmpty() || numbers_[0]->text().isEmpty()) {
    messages_.Show(inherited::kEnterNumbers);
  }
  // The heading would print it as "?": refused, as vantrels-book refuses it.
  if (const std::optional<char32_t> c = FirstCharacterOutsideCp1252(numbers_[0]->text())) {
    numbers_[0]->setFocus();
    numbers_[0]->selectAll();
    return Rejected("Project Number cannot hold the character " + CodePointName(*c) +
                    ": the page heading is Windows-1252 text");
  }
  PageContext heading;
  heading.project_number = ToReportBytes(numbers_[0]->text());
  remembered_.SetProjectNumber(numbers_[0]->text());
  heading.heading_date = heading_date;

  const std::string name = UpperCase(input_file_);
  if (name.find(".CSV") == std::string::npos && name.find(".XML") == std::string::npos) return {};

  // The same road as vantrels-book's, with the font and printer window asked between the
  // computations and the counting. A rejected file leaves the book on show and its windows.
  PreviewQuestions ask;
  ask.choose_printer = [this] { return choosePrinterAndFont(); };
  ask.choose_alignment = [this](const std::vector<std::string>& names) -> Result<std::string> {
    QStringList offered;
    for (const std::string& alignment : names) offered << FromReportBytes(alignment);
    const QString chosen = ask_alignment ? ask_alignment(offered) : QString();
    if (chosen.isEmpty()) return Failure{FailureKind::kCancelled, {}};
    return ToReportBytes(chosen);
  };
  Result<ImportedBook> road = BuildPreviewBook(input_file_, ask, memory_, messages_);
  if (!road) {
    // Shown here, before the wrong-side stop ends the program; the failure goes on without it.
    if (!road.failure().message.empty()) messages_.Show(road.failure().message);
    if (road.failure().kind == FailureKind::kProgramEnded) endProgram();
    return Failure{road.failure().kind, ""};
  }
  // The whole summary in the tool tip too: a long one does not fit the line.
  const QString summary = FromReportBytes(PreviewSummary(*road));
  status_->showMessage(summary);
  status_->setToolTip(summary);
  heading.report_font = printing_.chosen().font;
  document_.Show(std::move(road->book), std::move(heading), input_file_);
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
