#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "model/messages.h"
#include "model/store.h"
#include "render/print_service.h"
#include "render/printer_surface.h"
#include "render/report_fonts.h"

class QDialog;

namespace vantrels {

class frmPrint;
class frmStation;
class Form5;
class Form6;

// What every window of the desktop program shares for the whole run: the store, the message
// sink, the print and font services and the current printer. Windows that exist once per run
// are created on first reference (without being shown) and unloaded by their frame or command.
class AppContext {
 public:
  AppContext(Messages& messages, PrintService& printers, FontCatalog& fonts);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Store store;
  Messages& messages;
  PrintService& printers;
  FontCatalog& fonts;

  // The current printer; store.Printer points here, so every heading measures it.
  PrinterSurface printer;

  // Asked for the output file when the PDF entry is current and a print job starts; an empty
  // answer cancels the job. The desktop program shows a save dialog; tests answer directly.
  std::function<QString()> ask_pdf_file;

  // Runs a modal window of the main window (the font and printer window, About) and returns its
  // result. Unset, the window's own event loop runs; tests set it to press the window's buttons.
  std::function<int(QDialog&)> run_modal;
  int RunModal(QDialog& dialog);

  // Sets `printer` up for a print job on the current printer entry (asking for the PDF file
  // name when needed). False when the user cancelled or no printer could be made.
  bool BeginPrintJob();
  // Points `printer` at the current entry again (after the font and printer window chose one),
  // so headings measure the chosen printer's page.
  void SelectCurrentPrinter();
  // The printable area of the current printer into PageColumns / PageLines, as every heading
  // measures it; both keep their values when the printer cannot be measured.
  void MeasurePrinterPage();

  // Single instances, created on first reference. The viewer is loaded at creation: its size
  // comes from the printer page, measured first as the heading of its first drawing would.
  frmPrint& Viewer();
  bool ViewerLoaded() const { return viewer_ != nullptr; }
  // Closes and destroys the viewer; the next reference loads it again. Safe from the window's
  // own handlers: the window is deleted once control is back in the event loop.
  void UnloadViewer();

  frmStation& StationWindow();
  bool StationWindowLoaded() const { return station_window_ != nullptr; }
  void UnloadStationWindow();

  Form5& PrintRangeWindow();
  bool PrintRangeWindowLoaded() const { return print_range_ != nullptr; }
  void UnloadPrintRangeWindow();

  Form6& PageListWindow();
  bool PageListWindowLoaded() const { return page_list_ != nullptr; }
  void UnloadPageListWindow();

  // Unloads every window above (the program is ending).
  void UnloadAll();

 private:
  std::unique_ptr<frmPrint> viewer_;
  std::unique_ptr<frmStation> station_window_;
  std::unique_ptr<Form5> print_range_;
  std::unique_ptr<Form6> page_list_;
};

}  // namespace vantrels
