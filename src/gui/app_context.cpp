#include "gui/app_context.h"

#include <QDialog>
#include <QFile>
#include <QWidget>
#include <stdexcept>
#include <utility>

#include "gui/book_viewer.h"
#include "gui/find_station_dialog.h"
#include "gui/print_range_dialog.h"
#include "model/output_file.h"
#include "render/book_pdf.h"
#include "render/qt_text.h"

namespace vantrels {

std::string PagesSentMessage(const std::string& printer) {
  return "Pages have been sent to " + printer + " printer.";
}

namespace {

// The window may be running one of its own handlers (a frame close, a menu command): hide it
// now and delete it once control is back in the event loop.
template <typename Window>
void Unload(std::unique_ptr<Window>& window) {
  if (!window) return;
  Window* released = window.release();
  released->hide();
  released->deleteLater();
}

}  // namespace

AppContext::AppContext(Messages& messages_sink, PrintService& print_service,
                       FontCatalog& font_catalog)
    : messages(messages_sink), printers(print_service), fonts(font_catalog) {}

AppContext::~AppContext() = default;

void AppContext::SetBook(Book book, PageContext heading, std::string file) {
  book_ = std::make_unique<Book>(std::move(book));
  heading_ = std::move(heading);
  book_file_ = std::move(file);
  navigator.Open(book_.get());
  if (station_window_) station_window_->showBook();
  if (print_range_) print_range_->showBook();
}

PageGeometry AppContext::Page() const {
  return book_ ? book_->page : memory.page;
}

BookRenderer AppContext::Printer(double view_scale) const {
  PageContext context = heading_;
  context.view_scale = view_scale;
  return BookRenderer(*book_, std::move(context), messages);
}

int AppContext::RunModal(QDialog& dialog) {
  if (run_modal) return run_modal(dialog);
  return dialog.exec();
}

void AppContext::PrintPages(const PageSelection& selection) {
  if (!book_) return;
  std::unique_ptr<QPrinter> made;
  try {
    made = printers.CreateCurrentPrinter(PrinterOptions{});
  } catch (const std::runtime_error&) {
    // Only the PDF entry refuses without an output file.
    PrintToPdfFile(selection);
    return;
  }
  if (made) PrintOnPrinter(std::move(made), selection);
}

void AppContext::PrintOnPrinter(std::unique_ptr<QPrinter> made, const PageSelection& selection) {
  PrinterSurface& surface = CurrentPrinter();
  surface.SetPrinter(std::move(made));
  const PrintResult printed = Printer().Print(surface, selection);
  if (!printed.printed) {
    messages.Show("Program Error : " + printed.failure + " occured in viewPrint_click");
    return;
  }
  surface.KillDoc();
  messages.Show(PagesSentMessage(chosen.printer));
}

void AppContext::PrintToPdfFile(const PageSelection& selection) {
  const QString answer = ask_pdf_file ? ask_pdf_file() : QString();
  if (answer.isEmpty()) return;
  const std::string path = QFile::encodeName(answer).toStdString();
  OutputFile output(path);
  Status written = output.Open({book_file_});
  if (written) {
    // The book was counted on the PDF entry's page, which is Letter (SelectCurrentPrinter).
    written = WriteBookPdf(Printer(), selection, Paper::Letter,
                           BookPdfTitle(book_file_, heading_.project_number), output);
  }
  // Messages are Windows-1252 text; the path as the user sees it.
  const std::string shown_path = ToReportBytes(answer);
  if (!written) {
    const bool input = written.failure().kind == FailureKind::kUsage;
    const std::string what = output.in_place()
                                 ? shown_path + " is written but not yet safe on disk: its folder "
                                                "could not be flushed"
                                 : "cannot write " + shown_path;
    messages.Show("Program Error : " + what + ": " +
                  (input ? "it is the criteria file being read" : written.failure().message) +
                  " occured in viewPrint_click");
    return;
  }
  messages.Show(PagesSentMessage(std::string(kPdfPrinterName) + " \"" + shown_path + "\""));
}

void AppContext::Choose(const PrinterChoice& choice) {
  chosen = choice;
  printers.MakeCurrent(choice.printer);
  SelectCurrentPrinter();
}

Navigation AppContext::GoToPageNumber(int64_t page_number) {
  const Navigation moved = navigator.GoToPageNumber(page_number);
  if (moved.moved) Viewer().redrawPage();
  return moved;
}

PrinterSurface& AppContext::CurrentPrinter() {
  if (!printer_selected_) SelectCurrentPrinter();
  return printer_;
}

void AppContext::SelectCurrentPrinter() {
  printer_selected_ = true;
  std::unique_ptr<QPrinter> made;
  try {
    made = printers.CreateCurrentPrinter(PrinterOptions{});
  } catch (const std::runtime_error&) {
    // The PDF entry: its page can be measured before the file name is known.
    made = MakePdfPrinter(QString());
  }
  printer_.SetPrinter(std::move(made));
}

BookViewer& AppContext::Viewer() {
  if (!viewer_) viewer_ = std::make_unique<BookViewer>(*this);
  return *viewer_;
}

void AppContext::UnloadViewer() {
  Unload(viewer_);
}

FindStationDialog& AppContext::StationWindow() {
  if (!station_window_) station_window_ = std::make_unique<FindStationDialog>(*this);
  return *station_window_;
}

void AppContext::UnloadStationWindow() {
  Unload(station_window_);
}

PrintRangeDialog& AppContext::PrintRangeWindow() {
  if (!print_range_) print_range_ = std::make_unique<PrintRangeDialog>(*this);
  return *print_range_;
}

void AppContext::UnloadPrintRangeWindow() {
  Unload(print_range_);
}

void AppContext::UnloadAll() {
  UnloadViewer();
  UnloadStationWindow();
  UnloadPrintRangeWindow();
}

}  // namespace vantrels
