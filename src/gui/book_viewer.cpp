#include "gui/book_viewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <utility>

#include "gui/find_station_dialog.h"
#include "gui/object_names.h"
#include "gui/print_controller.h"
#include "gui/print_range_dialog.h"
#include "gui/user_command.h"
#include "gui/viewer_view.h"
#include "gui/window_support.h"
#include "render/qt_text.h"

namespace vantrels {

namespace names = object_names::viewer;
using namespace inherited;

namespace {

// What each "&Go To" command does: its frame, and whether it shows the right side's editable list
// (modally) rather than the other one (modeless).
struct FinderCommand {
  const MessageFrame& frame;
  bool right_list;
};

const FinderCommand& CommandOf(StationFinder which) {
  static const FinderCommand kCommands[] = {
      {kFindStationFailure, false},
      {kFindLeftStationFailure, false},
      {kFindRightStationFailure, true},
  };
  return kCommands[static_cast<int>(which)];
}

// An export's unexpected failure; the export is not an inherited command.
constexpr MessageFrame kExportFailure{"Program Error : ", " occured in Export"};

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
  zoom_ = new QLabel(this);
  zoom_->setObjectName(names::kZoom);
  statusBar()->setObjectName(names::kStatusLine);
  statusBar()->addPermanentWidget(zoom_);
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
  print_menu_ = menu("&Print", names::kPrintMenu);
  command(print_menu_->addAction("PrintAll"), names::kPrintAll, [this] { printAll(); });
  command(print_menu_->addAction("Print Selected Pages"), names::kPrintSelected,
          [this] { printSelectedPages(); });
  QMenu* exports = menu("E&xport", names::kExportMenu);
  command(exports->addAction("&Spreadsheet (CSV)..."), names::kExportSpreadsheet,
          [this] { exportBook(OutputKind::kSpreadsheet); });
  command(exports->addAction("Stake-out for &TBC..."), names::kExportTbc,
          [this] { exportBook(OutputKind::kTbcStakeout); });
  command(exports->addAction("Stake-out for &Civil 3D..."), names::kExportCivil3d,
          [this] { exportBook(OutputKind::kCivil3dStakeout); });
  QAction* end = command(bar->addAction("&End"), names::kEnd, [this] { endViewer(); });
  end->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  buildShortcuts();
}

void BookViewer::buildShortcuts() {
  // Window-wide keys; the menu bar's own items would need the menu open.
  const auto shortcut = [this](QKeyCombination key, const char* name, auto handler) {
    auto* action = new QAction(this);
    action->setObjectName(name);
    action->setShortcut(QKeySequence(key));
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
  };
  shortcut(Qt::CTRL | Qt::Key_F, names::kFindKey, [this] { findStationOnThisSide(); });
  shortcut(Qt::CTRL | Qt::Key_P, names::kPrintKey, [this] { openPrintMenu(); });
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

void BookViewer::PlaceChanged(PlaceChange) {
  redrawPage();
}

QString BookViewer::statusNote() const {
  return statusBar()->currentMessage();
}

QString BookViewer::zoomShown() const {
  return zoom_->text();
}

void BookViewer::closeEvent(QCloseEvent* event) {
  event->accept();
  unloadStationWindow();
  unloadPrintRangeWindow();
  emit closed();
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

void BookViewer::findStationOnThisSide() {
  const Book* book = document().book();
  if (!book || !book->Divided()) {
    openStationFinder(StationFinder::kStation);
  } else {
    openStationFinder(document().place().side == Side::Left ? StationFinder::kLeftStation
                                                            : StationFinder::kRightStation);
  }
}

void BookViewer::openPrintMenu() {
  // As a click on "&Print" opens it, under the menu bar, with its first entry chosen for Enter.
  menuBar()->setActiveAction(print_menu_->menuAction());
  print_menu_->setActiveAction(print_menu_->actions().value(0));
}

void BookViewer::exportBook(OutputKind kind) {
  RunCommand(messages_, kExportFailure, [this, kind]() -> Status {
    const Result<std::string> written = printing_.Export(document(), kind);
    if (!written) return written.failure();
    if (!written->empty()) statusBar()->showMessage(FromReportBytes(*written));
    return {};
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
