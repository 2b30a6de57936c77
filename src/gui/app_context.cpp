#include "gui/app_context.h"

#include <QDialog>
#include <QWidget>
#include <stdexcept>
#include <utility>

#include "gui/book_viewer.h"
#include "gui/find_station_dialog.h"
#include "gui/print_range_dialog.h"

namespace vantrels {

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
    : messages(messages_sink), printers(print_service), fonts(font_catalog) {
  SelectCurrentPrinter();
}

AppContext::~AppContext() = default;

void AppContext::SetBook(Book book, PageContext heading) {
  book_ = std::make_unique<Book>(std::move(book));
  heading_ = std::move(heading);
  navigator.Open(book_.get());
  if (station_window_) station_window_->showBook();
  if (print_range_) print_range_->showBook();
}

PageGeometry AppContext::Page() const {
  return book_ ? book_->page : memory.page;
}

BookPrinter AppContext::Printer(double view_scale) const {
  PageContext context = heading_;
  context.view_scale = view_scale;
  return BookPrinter(*book_, std::move(context), messages);
}

int AppContext::RunModal(QDialog& dialog) {
  if (run_modal) return run_modal(dialog);
  return dialog.exec();
}

bool AppContext::BeginPrintJob() {
  PrinterOptions options;
  std::unique_ptr<QPrinter> made;
  try {
    made = printers.CreateCurrentPrinter(options);
  } catch (const std::runtime_error&) {
    // Only the PDF entry refuses without an output file: ask for one.
    if (!ask_pdf_file) return false;
    options.pdf_output_file = ask_pdf_file();
    if (options.pdf_output_file.isEmpty()) return false;
    made = printers.CreateCurrentPrinter(options);
  }
  if (!made) return false;
  printer.SetPrinter(std::move(made));
  return true;
}

void AppContext::PrintPages(const PageSelection& selection) {
  if (!book_ || !BeginPrintJob()) return;
  const PrintResult printed = Printer().Print(printer, selection);
  if (!printed.pages.empty()) navigator.MoveTo(printed.pages.back().position);
  if (!printed.printed) {
    messages.Show("Program Error : " + printed.failure + " occured in viewPrint_click");
    return;
  }
  printer.KillDoc();
  messages.Show("Pages have been sent to " + chosen.printer + " printer.");
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

void AppContext::SelectCurrentPrinter() {
  std::unique_ptr<QPrinter> made;
  try {
    made = printers.CreateCurrentPrinter(PrinterOptions{});
  } catch (const std::runtime_error&) {
    // The PDF entry: its page can be measured before the file name is known.
    made = MakePdfPrinter(QString());
  }
  printer.SetPrinter(std::move(made));
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
