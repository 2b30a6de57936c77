#include "gui/book_viewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <string>

#include "gui/app_context.h"
#include "gui/find_station_dialog.h"
#include "gui/object_names.h"
#include "gui/print_range_dialog.h"
#include "gui/viewer_view.h"
#include "model/units.h"

namespace vantrels {

namespace names = object_names::viewer;

namespace {

// A printable area of 8 x 10.5 inches decides the scale; the scale itself leaves 300 twips.
constexpr double kPageTestWidth = 11520;
constexpr double kPageTestHeight = 15120;
constexpr double kScaleWidth = 11820;
constexpr double kScaleHeight = 15420;

// Grey around a zoomed page, in pixels.
constexpr int kZoomedMargin = 12;
// A wheel notch, in eighths of a degree.
constexpr int kWheelNotch = 120;

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

BookViewer::BookViewer(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
  setObjectName(names::kWindow);
  setWindowTitle(ViewerTitle(QString(), nullptr, {}));
  picture_widget_ = new PagePictureWidget(&picture_);
  picture_widget_->setObjectName(names::kPicture);
  picture_widget_->setFocusPolicy(Qt::StrongFocus);
  picture_widget_->installEventFilter(this);
  page_area_ = new QScrollArea(this);
  page_area_->setObjectName(names::kPageArea);
  page_area_->setFrameShape(QFrame::NoFrame);
  page_area_->setFocusPolicy(Qt::NoFocus);
  page_area_->setWidgetResizable(true);
  page_area_->setWidget(picture_widget_);
  setCentralWidget(page_area_);
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
    QSize outer(TwipsToPixels(page.columns * kCellTwipsWide, logicalDpiX()),
                TwipsToPixels(page.lines * kCellTwipsHigh, logicalDpiY()));
    // A page taller than the screen shrinks, keeping its shape, into the screen's free area.
    if (const QScreen* shown_on = screen()) {
      outer = FitWithin(outer, shown_on->availableGeometry().size());
    }
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
  sizeSheet();
  picture_.Clear();
  const BookPosition shown = ctx_.navigator.Position();
  setWindowTitle(ViewerTitle(QFile::decodeName(QByteArray::fromStdString(ctx_.BookFile())),
                             ctx_.book(), shown));
  picture_.SetViewScale(view_scale_);
  if (ctx_.book()) ctx_.Printer().RenderPage(picture_, shown);
}

void BookViewer::sizeSheet() {
  const PageGeometry page = ctx_.Page();
  // A new book may have a larger page than the zoom allows: it fits the window instead.
  if (zoom_ && *zoom_ > MaxViewScale(page)) zoom_.reset();
  view_scale_ = zoom_.value_or(fit_scale_);
  picture_widget_->setSheetSize(QSizeF(page.columns * kCellTwipsWide * view_scale_,
                                       page.lines * kCellTwipsHigh * view_scale_));
  picture_widget_->setSheetMargin(zoom_ ? kZoomedMargin : 0);
  // A zoomed page keeps its size and gets scroll bars; a fitted one follows the window.
  picture_widget_->setMinimumSize(zoom_ ? picture_widget_->sheetSizeWithMargin() : QSize(0, 0));
}

void BookViewer::zoomIn() {
  if (const auto step = ZoomStepIn(view_scale_, MaxViewScale(ctx_.Page()))) {
    zoom_ = *step;
    redrawPage();
  }
}

void BookViewer::zoomOut() {
  if (const auto step = ZoomStepOut(view_scale_)) {
    zoom_ = *step;
    redrawPage();
  }
}

void BookViewer::fitToWindow() {
  if (!zoom_) return;
  zoom_.reset();
  redrawPage();
}

void BookViewer::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  try {
    const QRect outer = frameGeometry();
    const double width = PixelsToTwips(outer.width(), logicalDpiX());
    const double height = PixelsToTwips(outer.height(), logicalDpiY());
    picture_.SetOuterSize(width, height);
    fit_scale_ = ViewScaleFor(width, height);
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
  if (!pageKey(*event)) QMainWindow::keyPressEvent(event);
}

bool BookViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture_widget_) {
    if (event->type() == QEvent::KeyPress) return pageKey(*static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::Wheel) return wheelTurn(*static_cast<QWheelEvent*>(event));
  }
  return QMainWindow::eventFilter(watched, event);
}

bool BookViewer::pageKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers & Qt::ControlModifier) {
    // Ctrl+plus is Ctrl+Shift+= on many keyboards.
    if ((modifiers & ~Qt::ShiftModifier) != Qt::ControlModifier) return false;
    switch (key.key()) {
      case Qt::Key_Plus:
      case Qt::Key_Equal:
        zoomIn();
        return true;
      case Qt::Key_Minus:
        zoomOut();
        return true;
      case Qt::Key_0:
        fitToWindow();
        return true;
      default:
        return false;
    }
  }
  if (modifiers == Qt::ShiftModifier && key.key() == Qt::Key_Space) {
    scrollOrTurn(false, true);
    return true;
  }
  if (modifiers != Qt::NoModifier) return false;
  switch (key.key()) {
    case Qt::Key_Right:
    case Qt::Key_PageDown:
      showNextPage();
      return true;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
      showPreviousPage();
      return true;
    case Qt::Key_Down:
      scrollOrTurn(true, false);
      return true;
    case Qt::Key_Up:
      scrollOrTurn(false, false);
      return true;
    case Qt::Key_Space:
      scrollOrTurn(true, true);
      return true;
    case Qt::Key_Home:
      showFirstPage();
      return true;
    case Qt::Key_End:
      showLastPage();
      return true;
    default:
      return false;
  }
}

bool BookViewer::canScroll(bool forward) const {
  const QScrollBar* bar = page_area_->verticalScrollBar();
  return forward ? bar->value() < bar->maximum() : bar->value() > bar->minimum();
}

bool BookViewer::turn(bool forward) {
  const bool moved = forward ? showNextPage() : showPreviousPage();
  // The next page is shown from its top, the one before from its bottom.
  QScrollBar* bar = page_area_->verticalScrollBar();
  if (moved) bar->setValue(forward ? bar->minimum() : bar->maximum());
  return moved;
}

void BookViewer::scrollOrTurn(bool forward, bool whole_window) {
  if (!canScroll(forward)) {
    turn(forward);
    return;
  }
  QScrollBar* bar = page_area_->verticalScrollBar();
  const int step = whole_window ? bar->pageStep() : bar->singleStep();
  bar->setValue(bar->value() + (forward ? step : -step));
}

bool BookViewer::wheelTurn(QWheelEvent& wheel) {
  const int delta = wheel.angleDelta().y();
  if (delta == 0) return false;
  if (wheel.modifiers() & Qt::ControlModifier) {
    if (delta > 0)
      zoomIn();
    else
      zoomOut();
    return true;
  }
  const bool forward = delta < 0;
  if (canScroll(forward)) {
    // The scroll bar scrolls the page; turning starts afresh at the edge.
    wheel_rest_ = 0;
    QCoreApplication::sendEvent(page_area_->verticalScrollBar(), &wheel);
    return true;
  }
  if ((wheel_rest_ < 0) != (delta < 0)) wheel_rest_ = 0;
  wheel_rest_ += delta;
  for (int notches = std::abs(wheel_rest_) / kWheelNotch; notches > 0; --notches) {
    // One message for a refused turn, however many notches the wheel moved.
    if (!turn(forward)) {
      wheel_rest_ = 0;
      break;
    }
  }
  wheel_rest_ %= kWheelNotch;
  return true;
}

bool BookViewer::turnPage(Status (BookNavigator::*move)()) {
  const Status moved = (ctx_.navigator.*move)();
  if (!moved) {
    ctx_.messages.Show(moved.failure().message);
    return false;
  }
  redrawPage();
  return true;
}

bool BookViewer::showNextPage() {
  try {
    return turnPage(&BookNavigator::Next);
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error : " + Describe(e) + " occured in ViewForward_Click");
  }
  return false;
}

bool BookViewer::showPreviousPage() {
  try {
    return turnPage(&BookNavigator::Previous);
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error : " + Describe(e) + " occured in ViewBackward_Click");
  }
  return false;
}

void BookViewer::showFirstPage() {
  try {
    turnPage(&BookNavigator::GoToFirst);
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error : " + Describe(e) + " occured in ViewBackward_Click");
  }
}

void BookViewer::showLastPage() {
  try {
    turnPage(&BookNavigator::GoToLast);
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error : " + Describe(e) + " occured in ViewForward_Click");
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
