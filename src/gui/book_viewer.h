#pragma once

#include <QMainWindow>
#include <optional>

#include "book/book_document.h"
#include "gui/page_picture_widget.h"
#include "model/inherited_messages.h"
#include "model/messages.h"
#include "model/result.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QScrollArea;
class QWheelEvent;

namespace vantrels {

class FindStationDialog;
class PrintController;
enum class OutputKind;
class PrintRangeDialog;

// The "&Go To" commands: the undivided roadway's stations, or those of one side.
enum class StationFinder { kStation, kLeftStation, kRightStation };

// The book one page at a time, drawn from the layout onto a retained picture, with the menu bar
// that turns pages, finds stations, prints, exports and closes the viewer. It observes the
// document: a new book or a page turned anywhere is drawn at once, and the caption names the file
// and the page. Keys and the mouse wheel turn pages as the menu does; the page fits the window
// whole, or is zoomed with scroll bars, the zoom shown in the status line. It owns its find and
// print range windows, which close with it.
class BookViewer : public QMainWindow, public BookObserver {
  Q_OBJECT

 public:
  // The window takes the book's page size in twips, and the menu follows the roadway type.
  BookViewer(BookDocument& document, PrintController& printing, Messages& messages,
             QWidget* parent = nullptr);
  ~BookViewer() override;

  // The viewer's drawing target.
  WindowSurface& picture() { return picture_; }
  PagePictureWidget* pictureWidget() const { return picture_widget_; }
  QScrollArea* pageArea() const { return page_area_; }
  // The scale the page is drawn at: from the window's outer size when the page fits the window,
  // else the zoom chosen.
  double viewScale() const { return view_scale_; }
  bool fitsWindow() const { return !zoom_scale_.has_value(); }

  // Clears the picture and draws the document's page on it, at the zoom or fitted to the
  // window, and names it in the caption.
  void redrawPage();

  // "&>>" and "<&<": one page on or back, or the end-of-book message. True when it moved.
  bool showNextPage();
  bool showPreviousPage();
  // The first and the last page of the book, across both sides of a divided roadway.
  void showFirstPage();
  void showLastPage();
  // "Go To Station", "GoTo StationLeft", "GoTo StationRight": the find window with the list of
  // the roadway or side (the right side's window is modal). The viewer goes to that side only
  // when Find finds a page.
  void openStationFinder(StationFinder which);
  // Ctrl+F: the find window of the side on show.
  void findStationOnThisSide();
  // "PrintAll" and "Print Selected Pages".
  void printAll();
  void printSelectedPages();
  // Ctrl+P: the print choices, the "&Print" menu opened.
  void openPrintMenu();
  // The "E&xport" menu: the book as a spreadsheet or a stake-out file; a divided roadway's
  // stake-out holds the side on show. What was written is told in the status line.
  void exportBook(OutputKind kind);
  // "&End": discards a printer document in progress and closes the viewer.
  void endViewer();

  // Ctrl+plus, Ctrl+minus and Ctrl+0: the next zoom step up or down, or back to the window.
  void zoomIn();
  void zoomOut();
  void fitToWindow();

  // The find and print range windows, made on first reference (without being shown) and kept,
  // with what they hold, until closed by their frame, "Cancel" or the viewer's close.
  FindStationDialog& stationWindow();
  bool stationWindowLoaded() const { return station_window_ != nullptr; }
  PrintRangeDialog& printRangeWindow();
  bool printRangeWindowLoaded() const { return print_range_ != nullptr; }

  void BookShown() override;
  void PlaceChanged(PlaceChange change) override;

  // The status line: what the last export wrote, and the zoom.
  QString statusNote() const;
  QString zoomShown() const;

 signals:
  // "&End" or the frame closed the viewer: its owner unloads it.
  void closed();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // A window manager tells the frame only once the window is shown: then the frame is fitted
  // into the screen.
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  // The frame closes the viewer like "&End" but keeps a printer document in progress.
  void closeEvent(QCloseEvent* event) override;
  // The page keys, when the focus is elsewhere in the viewer.
  void keyPressEvent(QKeyEvent* event) override;
  // Keys and the wheel on the page, before the scroll area takes them.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs one move of the document in `frame`; true when it moved.
  bool turnPage(const inherited::MessageFrame& frame, Status (BookDocument::*move)());
  // The page keys; false for any other key.
  bool pageKey(const QKeyEvent& key);
  bool zoomKey(const QKeyEvent& key);
  // Whether the zoomed page can scroll further down or right (`forward`), or up or left.
  bool canScroll(Qt::Orientation direction, bool forward) const;
  // One page on or back, the new page shown from the edge it is entered at.
  bool turn(bool forward);
  // Scrolls a line or a window's height or width that way when it can, else turns the page.
  void scrollOrTurn(Qt::Orientation direction, bool forward, bool whole_window);
  // A wheel turn: scrolls first, turns a page a notch at the page's edge.
  bool wheelTurn(QWheelEvent& wheel);
  // The scale (the zoom, or the window's) and the sheet of the page at that scale.
  void sizeSheet();
  // Sizes the window to the book's page, its frame within the screen, and shows the menus of
  // its roadway type.
  void fitToBook();
  // Once the frame is known: the frame within the screen.
  void keepFrameOnScreen();
  // Shows the station commands of the book's roadway type, Ctrl+F on the one of the side on
  // show.
  void showMenusForRoadwayType();
  void buildMenus();
  void buildShortcuts();
  void unloadStationWindow();
  void unloadPrintRangeWindow();

  PrintController& printing_;
  Messages& messages_;
  WindowSurface picture_;
  double view_scale_ = 0;
  double fit_scale_ = 0;
  // The frame has been fitted into the screen since the viewer was loaded.
  bool frame_fitted_ = false;
  // The zoom chosen; none while the page fits the window.
  std::optional<double> zoom_scale_;
  // Wheel movement short of a notch, in eighths of a degree.
  int wheel_rest_ = 0;
  QScrollArea* page_area_ = nullptr;
  PagePictureWidget* picture_widget_ = nullptr;
  QAction* find_station_ = nullptr;
  QAction* find_left_station_ = nullptr;
  QAction* find_right_station_ = nullptr;
  QMenu* print_menu_ = nullptr;
  QLabel* zoom_ = nullptr;
  FindStationDialog* station_window_ = nullptr;
  PrintRangeDialog* print_range_ = nullptr;
};

}  // namespace vantrels
