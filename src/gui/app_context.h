#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "book/book_navigator.h"
#include "book/book_renderer.h"
#include "book/road.h"
#include "gui/remembered_choices.h"
#include "model/book.h"
#include "model/messages.h"
#include "render/print_service.h"
#include "render/printer_surface.h"
#include "render/report_fonts.h"

class QDialog;

namespace vantrels {

class BookViewer;
class FindStationDialog;
class PrintRangeDialog;

// The printer and the report face chosen in the font and printer window; Windows-1252 bytes.
struct PrinterChoice {
  std::string printer;
  std::string font;
};

// The message after a print job: `printer` is the chosen printer's name, or for the PDF entry
// the entry and the file written ("PDF file \"/home/ann/book.pdf\"").
std::string PagesSentMessage(const std::string& printer);

// What every window of the desktop program shares for the whole run: the book on show and the
// viewer's place in it, the message sink, the print and font services and the current printer.
// Windows that exist once per run are created on first reference (without being shown) and unloaded
// by their frame or command.
class AppContext {
 public:
  AppContext(Messages& messages, PrintService& printers, FontCatalog& fonts);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // What one preview leaves for the next.
  RoadMemory memory;
  // The viewer's side and page in the book.
  BookNavigator navigator;
  Messages& messages;
  PrintService& printers;
  FontCatalog& fonts;

  // The printer and face chosen last; both empty until the font and printer window chose.
  PrinterChoice chosen;
  // The heading's date, "mm dd yyyy"; empty means today.
  std::string heading_date;
  // Kept from one run to the next once the desktop program opens the user's settings.
  RememberedChoices remembered;

  // The book every window shows; null before the first preview. A rejected file leaves it.
  const Book* book() const { return book_.get(); }
  // The criteria file the book on show was read from (the file name's bytes).
  const std::string& BookFile() const { return book_file_; }
  // The heading texts and face the book on show is drawn with.
  const PageContext& Heading() const { return heading_; }
  // Makes `book`, drawn with `heading` and read from `file`, the one on show: the viewer's place
  // goes to its first page, and the find and print range windows, when loaded, show the new book.
  void SetBook(Book book, PageContext heading, std::string file = {});
  // The page the viewer opens at: the book's, or the page measured last without a book.
  PageGeometry Page() const;
  // Draws the pages of the book with its heading texts and face. Needs a book.
  BookRenderer Printer() const;

  // The current printer; a preview lays the book out on its page. Selected on first use, since
  // listing the platform's printers costs start-up time the main window does not need.
  PrinterSurface& CurrentPrinter();

  // Asked for the output file when the PDF entry is current and a print job starts; an empty
  // answer cancels the job. The desktop program shows a save dialog; tests answer directly.
  std::function<QString()> ask_pdf_file;

  // Runs a modal window of the main window (the font and printer window, About) and returns its
  // result. Unset, the window's own event loop runs; tests set it to press the window's buttons.
  std::function<int(QDialog&)> run_modal;
  int RunModal(QDialog& dialog);

  // Prints `selection` of the book as PrintAll and Print Selected Pages do and says where the
  // pages went. The PDF entry asks for the file and writes it whole or not at all, with the
  // station bookmarks. The viewer stays on the page it shows.
  void PrintPages(const PageSelection& selection);
  // Keeps the font and printer window's choice and makes its printer the current one, so the
  // next book is laid out on that printer's page.
  void Choose(const PrinterChoice& choice);
  // Points the current printer at the current entry again.
  void SelectCurrentPrinter();

  // Shows page `page_number` (counted from 1) of the viewer's side and redraws the viewer; the
  // refusal when the side has no such page.
  Status GoToPageNumber(int64_t page_number);

  // Single instances, created on first reference. The viewer is loaded at creation: its size
  // comes from the book's page.
  BookViewer& Viewer();
  bool ViewerLoaded() const { return viewer_ != nullptr; }
  // Closes and destroys the viewer; the next reference loads it again. Safe from the window's
  // own handlers: the window is deleted once control is back in the event loop.
  void UnloadViewer();

  FindStationDialog& StationWindow();
  bool StationWindowLoaded() const { return station_window_ != nullptr; }
  void UnloadStationWindow();

  PrintRangeDialog& PrintRangeWindow();
  bool PrintRangeWindowLoaded() const { return print_range_ != nullptr; }
  void UnloadPrintRangeWindow();

  // Unloads every window above (the program is ending).
  void UnloadAll();

 private:
  // Sends the pages to the installed printer that is current.
  void PrintOnPrinter(std::unique_ptr<QPrinter> made, const PageSelection& selection);
  // Writes the pages to a PDF file the user names.
  void PrintToPdfFile(const PageSelection& selection);

  std::unique_ptr<Book> book_;
  std::string book_file_;
  PageContext heading_;
  PrinterSurface printer_;
  bool printer_selected_ = false;
  std::unique_ptr<BookViewer> viewer_;
  std::unique_ptr<FindStationDialog> station_window_;
  std::unique_ptr<PrintRangeDialog> print_range_;
};

}  // namespace vantrels
