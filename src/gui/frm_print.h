#pragma once

#include <QMainWindow>

#include "book/book_navigator.h"
#include "gui/page_picture_widget.h"

class QAction;
class QMenu;

namespace vantrels {

class AppContext;

// ViewScale of the viewer for its outer size in twips: scaled by the width when the window is
// relatively taller than a page of 8 x 10.5 inches, else (the tie included) by the height.
// Quotients in single precision, as the scale has always been computed.
double ViewScaleFor(double width_twips, double height_twips);

// Whole pixels of `twips` on a device of `dpi` logical dots per inch.
int TwipsToPixels(double twips, double dpi);

// "Display Report": the book one page at a time, drawn from the layout onto a retained picture,
// with the menu bar that turns pages, finds stations, prints and closes the viewer.
class frmPrint : public QMainWindow {
  Q_OBJECT

 public:
  // The window takes the book's page size in twips, and the menu follows the roadway type.
  explicit frmPrint(AppContext& ctx, QWidget* parent = nullptr);
  ~frmPrint() override;

  // The viewer's drawing target.
  WindowSurface& Picture() { return picture_; }
  PagePictureWidget* PictureWidget() const { return picture_widget_; }

  // Clears the picture and draws the navigator's page of the book on it.
  void RedrawPage();
  // Shows the station commands of the book's roadway type (when the window loads, and again for
  // every new book, which may be of the other roadway type).
  void ShowMenusForRoadwayType();

  // "&>>", "<&<", "PrintAll", "&End".
  void viewForward_Click();
  void viewBackward_Click();
  void viewprint_Click();
  void viewEnd_Click();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The frame unloads the viewer like "&End" but keeps a printer document in progress.
  void closeEvent(QCloseEvent* event) override;
  // Page Down and Page Up turn pages like "&>>" and "<&<".
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Moves the viewer's place with `move` and redraws, or shows the refusal.
  void TurnPage(Navigation (BookNavigator::*move)());
  void Form_Load();
  void BuildMenus();

  AppContext& ctx_;
  WindowSurface picture_;
  PagePictureWidget* picture_widget_ = nullptr;
  QAction* viewForward_ = nullptr;
  QAction* viewBackward_ = nullptr;
  QMenu* mnuGoTo_ = nullptr;
  QAction* mnuGoToStation_ = nullptr;
  QAction* mnuStationLeft_ = nullptr;
  QAction* mnuStationRight_ = nullptr;
  QMenu* mnuPrint_ = nullptr;
  QAction* viewprint_ = nullptr;
  QAction* PrnSelPages_ = nullptr;
  QAction* viewEnd_ = nullptr;
};

// The layout module's Preview: loads the viewer if needed and shows it, modeless.
void Preview(AppContext& ctx);

}  // namespace vantrels
