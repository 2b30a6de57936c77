// The viewer's picture and how the user moves over it: the page fitted or zoomed, the window's
// frame within the screen, and the keys and the wheel.
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <cstdlib>

#include "gui/book_viewer.h"
#include "gui/user_command.h"
#include "gui/viewer_view.h"
#include "gui/window_support.h"
#include "model/units.h"

namespace vantrels {

using namespace inherited;

namespace {

// Grey around a zoomed page, in pixels.
constexpr int kZoomedMargin = 12;
// A wheel notch, in eighths of a degree.
constexpr int kWheelNotch = 120;

QScrollBar* BarOf(const QScrollArea& area, Qt::Orientation direction) {
  return direction == Qt::Vertical ? area.verticalScrollBar() : area.horizontalScrollBar();
}

}  // namespace

void BookViewer::fitToBook() {
  const PageGeometry page = document().page();
  const QSize outer(TwipsToPixels(page.columns * kCellTwipsWide, logicalDpiX()),
                    TwipsToPixels(page.lines * kCellTwipsHigh, logicalDpiY()));
  // The page's size is the window's outer size. The native window is made now so that a
  // platform that knows its frame at once reports it; else the frame of a window already shown
  // is the best guess until the window manager tells this one's.
  winId();
  const QMargins frame = FrameMarginsOf(*this);
  QSize client = outer.shrunkBy(frame);
  // Only the size: where the window goes is the window manager's choice until it is shown.
  if (const QScreen* shown_on = screen()) {
    const QRect available = shown_on->availableGeometry();
    client = ClientWithinScreen(QRect(available.topLeft(), client).translated(frame.left(), frame.top()),
                                frame, available)
                 .size();
  }
  resize(client);
  showMenusForRoadwayType();
}

void BookViewer::keepFrameOnScreen() {
  const QScreen* shown_on = screen();
  const QWindow* handle = windowHandle();
  if (frame_fitted_ || !shown_on || !handle || !isVisible()) return;
  const QMargins frame = handle->frameMargins();
  // Without a window manager there is no frame, and the client was fitted when loaded.
  if (frame.isNull()) return;
  frame_fitted_ = true;
  const QRect within = ClientWithinScreen(geometry(), frame, shown_on->availableGeometry());
  if (within != geometry()) setGeometry(within);
}

void BookViewer::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The window manager reports the frame after the window is mapped.
  QTimer::singleShot(0, this, [this] { keepFrameOnScreen(); });
}

void BookViewer::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  keepFrameOnScreen();
}

void BookViewer::redrawPage() {
  sizeSheet();
  picture_.Clear();
  const BookDocument& shown = document();
  setWindowTitle(ViewerTitle(QFile::decodeName(QByteArray::fromStdString(shown.file())),
                             shown.book(), shown.place()));
  zoom_->setText(ZoomText(view_scale_, !zoom_scale_.has_value()));
  picture_.SetViewScale(view_scale_);
  if (shown.book()) shown.Renderer(messages_).RenderPage(picture_, shown.place());
}

void BookViewer::sizeSheet() {
  const PageGeometry page = document().page();
  // A new book may have a larger page than the zoom allows: it fits the window instead.
  if (zoom_scale_ && *zoom_scale_ > MaxViewScale(page)) zoom_scale_.reset();
  view_scale_ = zoom_scale_.value_or(fit_scale_);
  picture_widget_->setSheetSize(QSizeF(page.columns * kCellTwipsWide * view_scale_,
                                       page.lines * kCellTwipsHigh * view_scale_));
  picture_widget_->setSheetMargin(zoom_scale_ ? kZoomedMargin : 0);
  // A zoomed page keeps its size and gets scroll bars; a fitted one follows the window.
  picture_widget_->setMinimumSize(zoom_scale_ ? picture_widget_->sheetSizeWithMargin()
                                              : QSize(0, 0));
}

void BookViewer::zoomIn() {
  if (const auto step = ZoomStepIn(view_scale_, MaxViewScale(document().page()))) {
    zoom_scale_ = *step;
    redrawPage();
  }
}

void BookViewer::zoomOut() {
  if (const auto step = ZoomStepOut(view_scale_)) {
    zoom_scale_ = *step;
    redrawPage();
  }
}

void BookViewer::fitToWindow() {
  if (!zoom_scale_) return;
  zoom_scale_.reset();
  redrawPage();
}

void BookViewer::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RunCommand(messages_, kViewerResizeFailure, [this] {
    const QRect outer = frameGeometry();
    const double width = PixelsToTwips(outer.width(), logicalDpiX());
    const double height = PixelsToTwips(outer.height(), logicalDpiY());
    picture_.SetOuterSize(width, height);
    // The scale the outer size gives, unless the page would not fit whole in the room left by
    // the menu and status lines: then as large as it fits, so the whole page shows, centred.
    // A pixel is kept spare against rounding.
    const QSize room = page_area_->maximumViewportSize() - QSize(1, 1);
    fit_scale_ = std::min(ViewScaleFor(width, height),
                          WholePageScale(PixelsToTwips(room.width(), logicalDpiX()),
                                         PixelsToTwips(room.height(), logicalDpiY()),
                                         document().page()));
    if (!(fit_scale_ > 0)) fit_scale_ = ViewScaleFor(width, height);
    redrawPage();
  });
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

bool BookViewer::zoomKey(const QKeyEvent& key) {
  // Ctrl+plus is Ctrl+Shift+= on many keyboards.
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
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

bool BookViewer::pageKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers & Qt::ControlModifier) return zoomKey(key);
  if (modifiers == Qt::ShiftModifier && key.key() == Qt::Key_Space) {
    scrollOrTurn(Qt::Vertical, false, true);
    return true;
  }
  if (modifiers != Qt::NoModifier) return false;
  switch (key.key()) {
    case Qt::Key_PageDown:
      showNextPage();
      return true;
    case Qt::Key_PageUp:
      showPreviousPage();
      return true;
    case Qt::Key_Right:
    case Qt::Key_Left:
      scrollOrTurn(Qt::Horizontal, key.key() == Qt::Key_Right, false);
      return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
      scrollOrTurn(Qt::Vertical, key.key() == Qt::Key_Down, false);
      return true;
    case Qt::Key_Space:
      scrollOrTurn(Qt::Vertical, true, true);
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

bool BookViewer::canScroll(Qt::Orientation direction, bool forward) const {
  const QScrollBar* bar = BarOf(*page_area_, direction);
  return forward ? bar->value() < bar->maximum() : bar->value() > bar->minimum();
}

bool BookViewer::turn(bool forward) {
  const bool moved = forward ? showNextPage() : showPreviousPage();
  // The next page is shown from its top left, the one before from its bottom right.
  if (moved) {
    for (QScrollBar* bar : {page_area_->verticalScrollBar(), page_area_->horizontalScrollBar()}) {
      bar->setValue(forward ? bar->minimum() : bar->maximum());
    }
  }
  return moved;
}

void BookViewer::scrollOrTurn(Qt::Orientation direction, bool forward, bool whole_window) {
  if (!canScroll(direction, forward)) {
    turn(forward);
    return;
  }
  QScrollBar* bar = BarOf(*page_area_, direction);
  const int step = whole_window ? bar->pageStep() : bar->singleStep();
  bar->setValue(bar->value() + (forward ? step : -step));
}

bool BookViewer::wheelTurn(QWheelEvent& wheel) {
  const int delta = wheel.angleDelta().y();
  if (delta == 0) return false;
  if (wheel.modifiers() & Qt::ControlModifier) {
    if (delta > 0) {
      zoomIn();
    } else {
      zoomOut();
    }
    return true;
  }
  const bool forward = delta < 0;
  if (canScroll(Qt::Vertical, forward)) {
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

}  // namespace vantrels
