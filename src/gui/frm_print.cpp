#include "gui/frm_print.h"

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
#include "gui/go_to_station.h"
#include "gui/print_selected.h"
#include "model/units.h"

namespace vantrels {

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

frmPrint::frmPrint(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
  setObjectName("frmPrint");
  setWindowTitle("Display Report");
  picture_widget_ = new PagePictureWidget(&picture_, this);
  picture_widget_->setObjectName("picture");
  picture_widget_->setFocusPolicy(Qt::StrongFocus);
  setCentralWidget(picture_widget_);
  BuildMenus();
  Form_Load();
}

frmPrint::~frmPrint() {
  // The picture widget refers to picture_, which dies before the base class deletes children.
  delete picture_widget_;
}

void frmPrint::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("menuBar");
  const auto command = [this](QAction* action, const char* name, void (frmPrint::*handler)()) {
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
  };

  viewForward_ = command(bar->addAction("&>>"), "viewForward", &frmPrint::viewForward_Click);
  viewBackward_ = command(bar->addAction("<&<"), "viewBackward", &frmPrint::viewBackward_Click);

  mnuGoTo_ = bar->addMenu("&Go To");
  mnuGoTo_->setObjectName("mnuGoTo");
  mnuGoTo_->menuAction()->setObjectName("mnuGoTo");
  mnuGoToStation_ = mnuGoTo_->addAction("Go To Station");
  mnuGoToStation_->setObjectName("mnuGoToStation");
  connect(mnuGoToStation_, &QAction::triggered, this, [this] { mnuGoToStation_Click(ctx_); });
  mnuStationLeft_ = mnuGoTo_->addAction("GoTo StationLeft");
  mnuStationLeft_->setObjectName("mnuStationLeft");
  connect(mnuStationLeft_, &QAction::triggered, this, [this] { mnuStationLeft_Click(ctx_); });
  mnuStationRight_ = mnuGoTo_->addAction("GoTo StationRight");
  mnuStationRight_->setObjectName("mnuStationRight");
  connect(mnuStationRight_, &QAction::triggered, this, [this] { mnuStationRight_Click(ctx_); });

  mnuPrint_ = bar->addMenu("&Print");
  mnuPrint_->setObjectName("mnuPrint");
  mnuPrint_->menuAction()->setObjectName("mnuPrint");
  viewprint_ = command(mnuPrint_->addAction("PrintAll"), "viewprint", &frmPrint::viewprint_Click);
  PrnSelPages_ = mnuPrint_->addAction("Print Selected Pages");
  PrnSelPages_->setObjectName("PrnSelPages");
  connect(PrnSelPages_, &QAction::triggered, this, [this] { PrnSelPages_Click(ctx_); });

  viewEnd_ = command(bar->addAction("&End"), "viewEnd", &frmPrint::viewEnd_Click);
}

void frmPrint::Form_Load() {
  try {
    const PageGeometry page = ctx_.Page();
    const QSize outer(TwipsToPixels(page.columns * kCellTwipsWide, logicalDpiX()),
                      TwipsToPixels(page.lines * kCellTwipsHigh, logicalDpiY()));
    // The size is the outer size. The native window is made now so that a platform that knows
    // its frame at once (not every window manager does) reports it.
    winId();
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(outer - frame);
    ShowMenusForRoadwayType();
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error : " + Describe(e) + " occured in form load");
  }
}

void frmPrint::ShowMenusForRoadwayType() {
  const Book* book = ctx_.book();
  if (!book) return;
  mnuStationLeft_->setVisible(book->Divided());
  mnuStationRight_->setVisible(book->Divided());
  mnuGoToStation_->setVisible(!book->Divided());
}

void frmPrint::RedrawPage() {
  picture_.Clear();
  if (ctx_.book()) ctx_.Printer().RenderPage(picture_, ctx_.navigator.Position());
}

void frmPrint::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  try {
    const QRect outer = frameGeometry();
    const double width = PixelsToTwips(outer.width(), logicalDpiX());
    const double height = PixelsToTwips(outer.height(), logicalDpiY());
    picture_.SetOuterSize(width, height);
    ctx_.state.view_scale = ViewScaleFor(width, height);
    RedrawPage();
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error: " + Describe(e) + " occured in form_resize(frmPrint)");
  }
}

void frmPrint::closeEvent(QCloseEvent* event) {
  event->accept();
  if (ctx_.ViewerLoaded() && &ctx_.Viewer() == this) ctx_.UnloadViewer();
}

void frmPrint::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_PageDown && event->modifiers() == Qt::NoModifier) {
    viewForward_Click();
  } else if (event->key() == Qt::Key_PageUp && event->modifiers() == Qt::NoModifier) {
    viewBackward_Click();
  } else {
    QMainWindow::keyPressEvent(event);
  }
}

void frmPrint::TurnPage(Navigation (BookNavigator::*move)()) {
  const Navigation moved = (ctx_.navigator.*move)();
  if (!moved.moved) {
    ctx_.messages.Show(moved.refusal);
    return;
  }
  RedrawPage();
}

void frmPrint::viewForward_Click() {
  try {
    TurnPage(&BookNavigator::Next);
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error : " + Describe(e) + " occured in ViewForward_Click");
  }
}

void frmPrint::viewBackward_Click() {
  try {
    TurnPage(&BookNavigator::Previous);
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error : " + Describe(e) + " occured in ViewBackward_Click");
  }
}

void frmPrint::viewprint_Click() {
  try {
    // The last-page indexes describe the book, which printing does not change: they stay.
    if (const Book* book = ctx_.book()) ctx_.PrintPages(WholeBook(*book));
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error : " + Describe(e) + " occured in viewPrint_click");
  }
}

void frmPrint::viewEnd_Click() {
  try {
    ctx_.printer.KillDoc();
    ctx_.UnloadViewer();
  } catch (const std::exception& e) {
    ctx_.messages.Show("Program Error: " + Describe(e) + " occured in viewEnd_Click");
  }
}

void Preview(AppContext& ctx) {
  try {
    frmPrint& viewer = ctx.Viewer();
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
  } catch (const std::exception& e) {
    ctx.messages.Show("Program Error: " + std::string(e.what()) + " Preview(korPrint)");
  }
}

}  // namespace vantrels
