#pragma once

#include <QMainWindow>

#include "book/book_navigator.h"
#include "gui/page_picture_widget.h"

class QAction;
class QMenu;

namespace vantrels {

class AppContext;

// The viewer's scale for its outer size in twips: scaled by the width when the window is
// relatively taller than a page of 8 x 10.5 inches, else (the tie included) by the height.
// Quotients in single precision, as the scale has always been computed.
double ViewScaleFor(double width_twips, double height_twips);

// Whole pixels of `twips` on a device of `dpi` logical dots per inch.
int TwipsToPixels(double twips, double dpi);

// "Display Report": the book one page at a time, drawn from the layout onto a retained picture,
// with the menu bar that turns pages, finds stations, prints and closes the viewer.
class BookViewer : public QMainWindow {
  Q_OBJECT

 public:
  // The window takes the book's page size in twips, and the menu follows the roadway type.
  explicit BookViewer(AppContext& ctx, QWidget* parent = nullptr);
  ~BookViewer() override;

  // The viewer's drawing target.
  WindowSurface& picture() { return picture_; }
  PagePictureWidget* pictureWidget() const { return picture_widget_; }
  // The scale the page is drawn at, from the window's outer size.
  double viewScale() const { return view_scale_; }

  // Clears the picture and draws the navigator's page of the book on it.
  void redrawPage();
  // Shows the station commands of the book's roadway type (when the window loads, and again for
  // every new book, which may be of the other roadway type).
  void showMenusForRoadwayType();

  // "&>>" and "<&<": one page on or back, or the end-of-book message.
  void showNextPage();
  void showPreviousPage();
  // "PrintAll": every page of the book to the current printer.
  void printAll();
  // "&End": discards a printer document in progress and closes the viewer.
  void endViewer();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The frame unloads the viewer like "&End" but keeps a printer document in progress.
  void closeEvent(QCloseEvent* event) override;
  // Page Down and Page Up turn pages like "&>>" and "<&<".
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Moves the viewer's place with `move` and redraws, or shows the refusal.
  void turnPage(Navigation (BookNavigator::*move)());
  // Sizes the window to the book's page and shows the menus of its roadway type.
  void fitToBook();
  void buildMenus();

  AppContext& ctx_;
  WindowSurface picture_;
  double view_scale_ = 0;
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
