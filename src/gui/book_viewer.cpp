#include "gui/book_viewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <cmath>
#include <exception>
#include <string>

#include "gui/app_context.h"
#include "gui/find_station_dialog.h"
#include "gui/object_names.h"
#include "gui/print_range_dialog.h"
#include "model/units.h"

namespace vantrels {

namespace names = object_names::viewer;

namespace {

// A printable area of 8 x 10.5 inches decides the scale; the scale itself leaves 300 twips.
constexpr double kPageTestWidth = 11520;
constexpr double kPageTestHeight = 15120;
constexpr double kScaleWidth = 11820;
constexpr double kScaleHeight = 15420;

std::string Describe(const std::exception& e) {
  return e.what();
}

}  // namespace

double ViewScaleFor(double width_twips, double height_twips) {
  const double a = SinglePrecision(height_twips / kPageTestHeight);
  const double b = SinglePrecision(width_twips / kPageTestWidth);
  return a > b ? SinglePrecision(width_twips / kScaleWidth)
               : SinglePrecision(height_twips / kScaleHeight);
}

int TwipsToPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

BookViewer::BookViewer(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
  setObjectName(names::kWindow);
  setWindowTitle("Display Report");
  picture_widget_ = new PagePictureWidget(&picture_, this);
  picture_widget_->setObjectName(names::kPicture);
  picture_widget_->setFocusPolicy(Qt::StrongFocus);
  setCentralWidget(picture_widget_);
  buildMenus();
  fitToBook();
}

BookViewer::~BookViewer() {
  // The picture widget refers to picture_, which dies before the base class deletes children.
  delete picture_widget_;
}

void BookViewer::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(names::kMenuBar);
  const auto command = [this](QAction* action, const char* name, auto handler) {
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };

  next_page_ = command(bar->addAction("&>>"), names::kNextPage, [this] { showNextPage(); });
  previous_page_ =
      command(bar->addAction("<&<"), names::kPreviousPage, [this] { showPreviousPage(); });

  go_to_menu_ = bar->addMenu("&Go To");
  go_to_menu_->setObjectName(names::kGoToMenu);
  go_to_menu_->menuAction()->setObjectName(names::kGoToMenu);
  find_station_ = command(go_to_menu_->addAction("Go To Station"), names::kFindStation,
                          [this] { OpenStationFinder(ctx_); });
  find_left_station_ = command(go_to_menu_->addAction("GoTo StationLeft"), names::kFindLeftStation,
                               [this] { OpenLeftStationFinder(ctx_); });
  find_right_station_ = command(go_to_menu_->addAction("GoTo StationRight"),
                                names::kFindRightStation, [this] { OpenRightStationFinder(ctx_); });

  print_menu_ = bar->addMenu("&Print");
  print_menu_->setObjectName(names::kPrintMenu);
  print_menu_->menuAction()->setObjectName(names::kPrintMenu);
  print_all_ =
      command(print_menu_->addAction("PrintAll"), names::kPrintAll, [this] { printAll(); });
  print_selected_ = command(print_menu_->addAction("Print Selected Pages"), names::kPrintSelected,
                            [this] { PrintSelectedPages(ctx_); });

  end_ = command(bar->addAction("&End"), names::kEnd, [this] { endViewer(); });
}

void BookViewer::fitToBook() {
  try {
    const PageGeometry page = ctx_.Page();
    const QSize outer(TwipsToPixels(page.columns * kCellTwipsWide, logicalDpiX()),
                      TwipsToPixels(page.lines * kCellTwipsHigh, logicalDpiY()));
    // The size is the outer size. The native window is made now so that a platform that knows
    // its frame at once (not every window manager does) reports it.
    winId();
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(outer - frame);
    showMenusForRoadwayType();
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error : " + Describe(e) + " occured in form load");
  }
}

void BookViewer::showMenusForRoadwayType() {
  const Book* book = ctx_.book();
  if (!book) return;
  find_left_station_->setVisible(book->Divided());
  find_right_station_->setVisible(book->Divided());
  find_station_->setVisible(!book->Divided());
}

void BookViewer::redrawPage() {
  picture_.Clear();
  if (ctx_.book()) ctx_.Printer(view_scale_).RenderPage(picture_, ctx_.navigator.Position());
}

void BookViewer::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  try {
    const QRect outer = frameGeometry();
    const double width = PixelsToTwips(outer.width(), logicalDpiX());
    const double height = PixelsToTwips(outer.height(), logicalDpiY());
    picture_.SetOuterSize(width, height);
    view_scale_ = ViewScaleFor(width, height);
    redrawPage();
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error: " + Describe(e) + " occured in form_resize(frmPrint)");
  }
}

void BookViewer::closeEvent(QCloseEvent* event) {
  event->accept();
  if (ctx_.ViewerLoaded() && &ctx_.Viewer() == this) ctx_.UnloadViewer();
}

void BookViewer::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_PageDown && event->modifiers() == Qt::NoModifier) {
    showNextPage();
  } else if (event->key() == Qt::Key_PageUp && event->modifiers() == Qt::NoModifier) {
    showPreviousPage();
  } else {
    QMainWindow::keyPressEvent(event);
  }
}

void BookViewer::turnPage(Navigation (BookNavigator::*move)()) {
  const Navigation moved = (ctx_.navigator.*move)();
  if (!moved.moved) {
    ctx_.messages.Show(moved.refusal);
    return;
  }
  redrawPage();
}

void BookViewer::showNextPage() {
  try {
    turnPage(&BookNavigator::Next);
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error : " + Describe(e) + " occured in ViewForward_Click");
  }
}

void BookViewer::showPreviousPage() {
  try {
    turnPage(&BookNavigator::Previous);
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error : " + Describe(e) + " occured in ViewBackward_Click");
  }
}

void BookViewer::printAll() {
  try {
    // The last-page indexes describe the book, which printing does not change: they stay.
    if (const Book* book = ctx_.book()) ctx_.PrintPages(WholeBook(*book));
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error : " + Describe(e) + " occured in viewPrint_click");
  }
}

void BookViewer::endViewer() {
  try {
    ctx_.CurrentPrinter().KillDoc();
    ctx_.UnloadViewer();
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error: " + Describe(e) + " occured in viewEnd_Click");
  }
}

void ShowViewer(AppContext& ctx) {
  try {
    BookViewer& viewer = ctx.Viewer();
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
  } catch (const std::exception& e) {
    ctx.messages.Show("Program Error: " + std::string(e.what()) + " Preview(korPrint)");
  }
}

}  // namespace vantrels
