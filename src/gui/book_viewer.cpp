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
#include <cstdlib>
#include <utility>

#include "gui/find_station_dialog.h"
#include "gui/object_names.h"
#include "gui/print_controller.h"
#include "gui/print_range_dialog.h"
#include "gui/user_command.h"
#include "gui/viewer_view.h"
#include "gui/window_support.h"
#include "model/units.h"

namespace vantrels {

namespace names = object_names::viewer;
using namespace inherited;

namespace {

// Grey around a zoomed page, in pixels.
constexpr int kZoomedMargin = 12;
// A wheel notch, in eighths of a degree.
constexpr int kWheelNotch = 120;

// What each "&Go To" command does: its frame, the side it chooses at once, and whether it shows
// the right side's editable list (modally) rather than the other one (modeless).
struct FinderCommand {
  const MessageFrame& frame;
  std::optional<Side> side;
  bool right_list;
};

const FinderCommand& CommandOf(StationFinder which) {
  static const FinderCommand kCommands[] = {
      {kFindStationFailure, std::nullopt, false},
      {kFindLeftStationFailure, Side::Left, false},
      {kFindRightStationFailure, Side::Right, true},
  };
  return kCommands[static_cast<int>(which)];
}

}  // namespace

BookViewer::BookViewer(BookDocument& document, PrintController& printing, Messages& messages,
                       QWidget* parent)
    : QMainWindow(parent), BookObserver(document), printing_(printing), messages_(messages) {
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
  RunCommand(messages_, kViewerLoadFailure, [this] { fitToBook(); });
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
  const auto menu = [bar](const char* caption, const char* name) {
    QMenu* added = bar->addMenu(caption);
    added->setObjectName(name);
    added->menuAction()->setObjectName(name);
    return added;
  };

  command(bar->addAction("&>>"), names::kNextPage, [this] { showNextPage(); });
  command(bar->addAction("<&<"), names::kPreviousPage, [this] { showPreviousPage(); });
  QMenu* go_to = menu("&Go To", names::kGoToMenu);
  find_station_ = command(go_to->addAction("Go To Station"), names::kFindStation,
                          [this] { openStationFinder(StationFinder::kStation); });
  find_left_station_ = command(go_to->addAction("GoTo StationLeft"), names::kFindLeftStation,
                               [this] { openStationFinder(StationFinder::kLeftStation); });
  find_right_station_ = command(go_to->addAction("GoTo StationRight"), names::kFindRightStation,
                                [this] { openStationFinder(StationFinder::kRightStation); });
  QMenu* print = menu("&Print", names::kPrintMenu);
  command(print->addAction("PrintAll"), names::kPrintAll, [this] { printAll(); });
  command(print->addAction("Print Selected Pages"), names::kPrintSelected,
          [this] { printSelectedPages(); });
  command(bar->addAction("&End"), names::kEnd, [this] { endViewer(); });
}

void BookViewer::fitToBook() {
  const PageGeometry page = document().page();
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
}

void BookViewer::showMenusForRoadwayType() {
  const Book* book = document().book();
  if (!book) return;
  find_left_station_->setVisible(book->Divided());
  find_right_station_->setVisible(book->Divided());
  find_station_->setVisible(!book->Divided());
}

void BookViewer::BookShown() {
  // An open viewer may have been loaded for the other roadway type.
  showMenusForRoadwayType();
  redrawPage();
}

void BookViewer::PlaceChanged(PlaceChange change) {
  // A side chosen for the next move leaves the page shown as it is.
  if (change == PlaceChange::kTurned) redrawPage();
}

void BookViewer::redrawPage() {
  sizeSheet();
  picture_.Clear();
  const BookDocument& shown = document();
  setWindowTitle(ViewerTitle(QFile::decodeName(QByteArray::fromStdString(shown.file())),
                             shown.book(), shown.place()));
  picture_.SetViewScale(view_scale_);
  if (shown.book()) shown.Renderer(messages_).RenderPage(picture_, shown.place());
}

void BookViewer::sizeSheet() {
  const PageGeometry page = document().page();
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
  if (const auto step = ZoomStepIn(view_scale_, MaxViewScale(document().page()))) {
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
  RunCommand(messages_, kViewerResizeFailure, [this] {
    const QRect outer = frameGeometry();
    const double width = PixelsToTwips(outer.width(), logicalDpiX());
    const double height = PixelsToTwips(outer.height(), logicalDpiY());
    picture_.SetOuterSize(width, height);
    fit_scale_ = ViewScaleFor(width, height);
    redrawPage();
  });
}

void BookViewer::closeEvent(QCloseEvent* event) {
  event->accept();
  unloadStationWindow();
  unloadPrintRangeWindow();
  emit closed();
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
    case Qt::Key_Up:
      scrollOrTurn(key.key() == Qt::Key_Down, false);
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
    if (delta > 0) {
      zoomIn();
    } else {
      zoomOut();
    }
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

bool BookViewer::turnPage(const MessageFrame& frame, Status (BookDocument::*move)()) {
  // The document tells this viewer to redraw when the page turned.
  return RunCommand(messages_, frame, [this, move] { return (document().*move)(); });
}

bool BookViewer::showNextPage() {
  return turnPage(kForwardFailure, &BookDocument::Next);
}

bool BookViewer::showPreviousPage() {
  return turnPage(kBackwardFailure, &BookDocument::Previous);
}

void BookViewer::showFirstPage() {
  turnPage(kBackwardFailure, &BookDocument::GoToFirst);
}

void BookViewer::showLastPage() {
  turnPage(kForwardFailure, &BookDocument::GoToLast);
}

void BookViewer::openStationFinder(StationFinder which) {
  const FinderCommand& command = CommandOf(which);
  RunCommand(messages_, command.frame, [this, &command] {
    if (command.side) document().ChooseSide(*command.side);
    FindStationDialog& window = stationWindow();
    window.showList(command.right_list);
    // A modeless find window that is still open is shown again, modally, for the right side.
    if (command.right_list && window.isVisible()) window.hide();
    // Centred on the viewer and kept above it, where no window manager orders the windows.
    PlaceOver(window, this);
    if (command.right_list) {
      window.setModal(true);
      RunModal(window);
    } else {
      window.setModal(false);
      window.show();
      window.raise();
      window.activateWindow();
    }
  });
}

void BookViewer::printAll() {
  RunCommand(messages_, kPrintFailure, [this] { return printing_.PrintAll(document()); });
}

void BookViewer::printSelectedPages() {
  RunCommand(messages_, kPrintFailure, [this] {
    PrintRangeDialog& window = printRangeWindow();
    PlaceOver(window, this);
    const std::optional<PageSpan> range = window.runModal();
    // "Cancel" and the frame unload the window.
    if (!range) unloadPrintRangeWindow();
    return printing_.PrintRange(document(), range);
  });
}

void BookViewer::endViewer() {
  RunCommand(messages_, kEndFailure, [this] {
    printing_.DiscardDocument();
    close();
  });
}

FindStationDialog& BookViewer::stationWindow() {
  if (!station_window_) {
    station_window_ = new FindStationDialog(document(), messages_, this);
    connect(station_window_, &FindStationDialog::unloaded, this, [this] { unloadStationWindow(); });
  }
  return *station_window_;
}

PrintRangeDialog& BookViewer::printRangeWindow() {
  if (!print_range_) print_range_ = new PrintRangeDialog(document(), messages_, this);
  return *print_range_;
}

void BookViewer::unloadStationWindow() {
  Unload(std::exchange(station_window_, nullptr));
}

void BookViewer::unloadPrintRangeWindow() {
  Unload(std::exchange(print_range_, nullptr));
}

}  // namespace vantrels
