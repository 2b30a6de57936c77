#include "gui/print_controller.h"

#include <QFile>
#include <utility>

#include "gui/job_progress.h"
#include "gui/termination.h"
#include "gui/window_support.h"
#include "model/inherited_messages.h"
#include "model/output_file.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

// The PDF entry's paper: the book is laid out on it, and its file is written on it.
constexpr Paper kPdfPaper = Paper::Letter;

}  // namespace

PageProgress PrintController::JobProgress(ProgressWindow& window) {
  return page_progress ? page_progress : window.Progress();
}

PrintController::PrintController(PrintService& printers, Messages& messages)
    : printers_(printers), messages_(messages) {}

PrintController::~PrintController() = default;

PrinterOffer PrintController::OfferedPrinters() {
  printers_.Refresh();
  return PrinterOffer{printers_.PrinterNames(), printers_.CurrentPrinterName()};
}

void PrintController::Choose(const PrinterChoice& choice) {
  chosen_ = choice;
  printers_.MakeCurrent(choice.printer);
  SelectCurrentPrinter();
}

Surface& PrintController::LayoutTarget() {
  if (!printer_selected_) SelectCurrentPrinter();
  return printer_;
}

void PrintController::SelectCurrentPrinter() {
  printer_selected_ = true;
  printer_.SetPrinter(printers_.CurrentIsPdfFile() ? MakePdfPagePrinter(kPdfPaper)
                                                   : printers_.CreateCurrentPrinter({}));
}

Status PrintController::PrintAll(const BookDocument& document) {
  // The last-page indexes describe the book, which printing does not change: they stay.
  if (!document.book()) return {};
  return Print(document, WholeBook(*document.book()));
}

Status PrintController::PrintRange(const BookDocument& document,
                                   const std::optional<PageSpan>& range) {
  if (!range) {
    DiscardDocument();
    return {};
  }
  if (!document.book()) return {};
  return Print(document, {*range});
}

void PrintController::DiscardDocument() {
  printer_.KillDoc();
}

Status PrintController::Print(const BookDocument& document, const PageSelection& selection) {
  if (printers_.CurrentIsPdfFile()) return PrintToPdfFile(document, selection);
  return PrintOnPrinter(document, selection);
}

Status PrintController::PrintOnPrinter(const BookDocument& document,
                                       const PageSelection& selection) {
  // A new job on the printer as it is set up now; the layout's page stays the book's.
  printer_selected_ = true;
  printer_.SetPrinter(printers_.CreateCurrentPrinter({}));
  const BusyCursor busy;
  ProgressWindow window("Printing the book...", FrontWindow());
  ProgressSurface printer(printer_, PagesIn(selection), JobProgress(window));
  const auto printed = document.Renderer(messages_).Print(printer, selection);
  // A cancelled job has discarded its pages; a failed one stays open, for "&End" to discard.
  if (!printed && printed.failure().kind == FailureKind::kCancelled) return printed.failure();
  if (!printed) return Rejected(inherited::kPrintFailure.Around(printed.failure().message));
  printer_.KillDoc();
  messages_.Show(inherited::PagesSent(chosen_.printer));
  return {};
}

Status PrintController::PrintToPdfFile(const BookDocument& document,
                                       const PageSelection& selection) {
  const QString answer = ask_pdf_file ? ask_pdf_file() : QString();
  if (answer.isEmpty()) return Failure{FailureKind::kCancelled, {}};
  OutputFile output(QFile::encodeName(answer).toStdString());
  Status written = output.Open({document.file()});
  if (written) {
    // A termination signal now removes the temporary file and ends the program at once.
    const OutputBeingWritten writing;
    const BusyCursor busy;
    ProgressWindow window("Writing the PDF file...", FrontWindow());
    const PageProgress progress = JobProgress(window);
    const int pages = PagesIn(selection);
    const auto with_progress = [this, &progress, pages](const QString& path, Paper paper) {
      std::unique_ptr<Surface> surface =
          make_pdf_surface ? make_pdf_surface(path, paper)
                           : std::make_unique<PrinterSurface>(MakePdfPrinter(path, paper));
      return std::make_unique<ProgressSurface>(std::move(surface), pages, progress);
    };
    written = WriteBookPdf(document.Renderer(messages_), selection, kPdfPaper,
                           BookPdfTitle(document.file(), document.heading().project_number), output,
                           with_progress);
  }
  // Cancelled: the output was discarded, any file there is as it was.
  if (!written && written.failure().kind == FailureKind::kCancelled) return written.failure();
  // Messages are Windows-1252 text; the path as the user sees it.
  const std::string shown_path = ToReportBytes(answer);
  if (!written) {
    const bool input = written.failure().kind == FailureKind::kUsage;
    const std::string what =
        output.in_place()
            ? shown_path + " is written but not yet safe on disk: its folder could not be flushed"
            : "cannot write " + shown_path;
    return Rejected(inherited::kPrintFailure.Around(
        what + ": " + (input ? "it is the criteria file being read" : written.failure().message)));
  }
  messages_.Show(inherited::PagesSent(std::string(kPdfPrinterName) + " \"" + shown_path + "\""));
  return {};
}

}  // namespace vantrels
