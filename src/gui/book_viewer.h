#pragma once

#include <QMainWindow>
#include <optional>

#include "book/book_navigator.h"
#include "model/units.h"
#include "gui/page_picture_widget.h"

class QAction;
class QKeyEvent;
class QMenu;
class QScrollArea;
class QWheelEvent;

namespace vantrels {

class AppContext;

// The viewer's scale for its outer size in twips: scaled by the width when the window is
// relatively taller than a page of 8 x 10.5 inches, else (the tie included) by the height.
// Quotients in single precision, as the scale has always been computed.
double ViewScaleFor(double width_twips, double height_twips);

// The book one page at a time, drawn from the layout onto a retained picture, with the menu bar
// that turns pages, finds stations, prints and closes the viewer. The caption names the file and
// the page shown. Keys and the mouse wheel turn pages through the same navigator as the menu;
// the page fits the window, or is zoomed with scroll bars.
class BookViewer : public QMainWindow {
  Q_OBJECT

 public:
  // The window takes the book's page size in twips, and the menu follows the roadway type.
  explicit BookViewer(AppContext& ctx, QWidget* parent = nullptr);
  ~BookViewer() override;

  // The viewer's drawing target.
  WindowSurface& picture() { return picture_; }
  PagePictureWidget* pictureWidget() const { return picture_widget_; }
  QScrollArea* pageArea() const { return page_area_; }
  // The scale the page is drawn at: from the window's outer size when the page fits the window,
  // else the zoom chosen.
  double viewScale() const { return view_scale_; }
  bool fitsWindow() const { return !zoom_.has_value(); }

  // Clears the picture and draws the navigator's page of the book on it, at the zoom or fitted
  // to the window, and names it in the caption.
  void redrawPage();
  // Shows the station commands of the book's roadway type (when the window loads, and again for
  // every new book, which may be of the other roadway type).
  void showMenusForRoadwayType();

  // "&>>" and "<&<": one page on or back, or the end-of-book message. True when it moved.
  bool showNextPage();
  bool showPreviousPage();
  // "PrintAll": every page of the book to the current printer.
  void printAll();
  // "&End": discards a printer document in progress and closes the viewer.
  void endViewer();
  // The first and the last page of the book, across both sides of a divided roadway.
  void showFirstPage();
  void showLastPage();

  // Ctrl+plus, Ctrl+minus and Ctrl+0: the next zoom step up or down, or back to the window.
  void zoomIn();
  void zoomOut();
  void fitToWindow();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The frame unloads the viewer like "&End" but keeps a printer document in progress.
  void closeEvent(QCloseEvent* event) override;
  // The page keys, when the focus is elsewhere in the viewer.
  void keyPressEvent(QKeyEvent* event) override;
  // Keys and the wheel on the page, before the scroll area takes them.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Moves the viewer's place with `move` and redraws, or shows the refusal. True when it moved.
  bool turnPage(Status (BookNavigator::*move)());
  // The page keys; false for any other key.
  bool pageKey(const QKeyEvent& key);
  // Whether the page, taller than the window, can scroll further down (`forward`) or up.
  bool canScroll(bool forward) const;
  // One page on or back, the new page shown from the edge it is entered at.
  bool turn(bool forward);
  // Scrolls a line or a window's height that way when it can, else turns the page.
  void scrollOrTurn(bool forward, bool whole_window);
  // A wheel turn: scrolls first, turns a page a notch at the page's edge.
  bool wheelTurn(QWheelEvent& wheel);
  // The scale (the zoom, or the window's) and the sheet of the page at that scale.
  void sizeSheet();
  // Sizes the window to the book's page within the screen and shows the menus of its roadway
  // type.
  void fitToBook();
  void buildMenus();

  AppContext& ctx_;
  WindowSurface picture_;
  double view_scale_ = 0;
  double fit_scale_ = 0;
  // The zoom chosen; none while the page fits the window.
  std::optional<double> zoom_;
  // Wheel movement short of a notch, in eighths of a degree.
  int wheel_rest_ = 0;
  QScrollArea* page_area_ = nullptr;
  PagePictureWidget* picture_widget_ = nullptr;
  QAction* next_page_ = nullptr;
  QAction* previous_page_ = nullptr;
  QMenu* go_to_menu_ = nullptr;
  QAction* find_station_ = nullptr;
  QAction* find_left_station_ = nullptr;
  QAction* find_right_station_ = nullptr;
  QMenu* print_menu_ = nullptr;
  QAction* print_all_ = nullptr;
  QAction* print_selected_ = nullptr;
  QAction* end_ = nullptr;
};

// Loads the viewer if needed and shows it, modeless, in front.
void ShowViewer(AppContext& ctx);

}  // namespace vantrels
