#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "book/book_document.h"
#include "book/book_renderer.h"
#include "gui/output_files.h"
#include "gui/printer_choice.h"
#include "model/messages.h"
#include "model/result.h"
#include "render/book_pdf.h"
#include "render/print_service.h"
#include "render/printer_surface.h"

namespace vantrels {

class ProgressWindow;

// The desktop program's printing and files in one place: the printer chosen for the next book,
// the page a book is laid out on, PrintAll and Print Selected Pages on an installed printer or
// into a PDF file, and the exports. The PDF entry is the print service's to tell; choosing it
// never selects or measures a system printer. Every file is written whole or not at all, never
// over the criteria file.
class PrintController {
 public:
  PrintController(PrintService& printers, Messages& messages);
  ~PrintController();
  PrintController(const PrintController&) = delete;
  PrintController& operator=(const PrintController&) = delete;

  // Asked for the output file when the PDF entry prints; an empty answer cancels the job. The
  // desktop program shows a save dialog; tests answer directly.
  std::function<QString()> ask_pdf_file;
  // Draws the PDF file's pages; empty: a PrinterSurface (tests watch the writing through it).
  PdfSurfaceMaker make_pdf_surface;
  // Told of each page a print job or PDF file has drawn, and stops it by returning false; empty:
  // a progress window with Cancel once the job runs past a second. Tests stop jobs through it.
  std::function<bool(int done, int total)> page_progress;
  // Asked for the file of an export (with the side of a divided roadway's stake-out); an empty
  // answer cancels it.
  std::function<QString(OutputKind kind, std::optional<Side> side)> ask_export_file;

  // The printers as the platform has them now: one may have been added since the last preview.
  PrinterOffer OfferedPrinters();
  // The font and printer window's choice: kept, and its printer made current, so that the next
  // book is laid out on that printer's page.
  void Choose(const PrinterChoice& choice);
  // The choice made last; both empty until the window chose.
  const PrinterChoice& chosen() const { return chosen_; }

  // What a new book is laid out on: the current printer, or the PDF paper for the PDF entry.
  // Selected on first use, since listing the platform's printers costs start-up time the main
  // window does not need.
  Surface& LayoutTarget();

  // "PrintAll": every page of the document's book, then the message that says where the pages
  // went. The viewer keeps its place. A printer that fails is a failure in the print frame.
  Status PrintAll(const BookDocument& document);
  // "Print Selected Pages": the range the print range window accepted. Without one ("Cancel",
  // the frame) nothing is printed and a printer document in progress is discarded.
  Status PrintRange(const BookDocument& document, const std::optional<PageSpan>& range);
  // "&End": discards a printer document in progress.
  void DiscardDocument();

  // The "E&xport" menu: the document's book as a spreadsheet (both sides of a divided roadway)
  // or a stake-out file (the side on show: the office programs read one alignment a file).
  // Gives what was written, for the status line; point codes the format cannot hold are told
  // in a message.
  Result<std::string> Export(const BookDocument& document, OutputKind kind);

 private:
  Status Print(const BookDocument& document, const PageSelection& selection);
  // What a job reports its pages to: page_progress, else `window`.
  std::function<bool(int, int)> JobProgress(ProgressWindow& window);
  Status PrintOnPrinter(const BookDocument& document, const PageSelection& selection);
  Status PrintToPdfFile(const BookDocument& document, const PageSelection& selection);
  // Points the printer surface at the current entry.
  void SelectCurrentPrinter();
  // Writes `bytes` whole to `path` (as the user chose it), never over the criteria file.
  Status WriteFile(const QString& path, const std::string& bytes, const BookDocument& document);

  PrintService& printers_;
  Messages& messages_;
  PrinterChoice chosen_;
  // The current printer: the page books are laid out on, and the document in progress.
  PrinterSurface printer_;
  bool printer_selected_ = false;
};

}  // namespace vantrels
