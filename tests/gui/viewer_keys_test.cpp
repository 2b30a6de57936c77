#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "gui/find_station_dialog.h"
#include "gui/viewer_view.h"
#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

constexpr char kFirstPage[] = " First Page can't move backward";
constexpr char kLastPage[] = " Last Page can't move forward";

class ViewerKeysTest : public GuiTest {
 protected:
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Viewer().pictureWidget(), key, modifiers);
  }

  // Turns the wheel over the page by `delta` eighths of a degree (positive: away from the user).
  void Wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    PagePictureWidget* picture = Viewer().pictureWidget();
    const QPointF at(picture->width() / 2.0, picture->height() / 2.0);
    QWheelEvent wheel(at, picture->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(picture, &wheel);
  }

  QScrollBar& VerticalBar() { return *Viewer().pageArea()->verticalScrollBar(); }

  // Zooms in as far as it goes, the page taller than the window, and lets the scroll area
  // catch up.
  void ZoomUntilScrollable() {
    for (int n = 0; n < 10; ++n) Key(Qt::Key_Plus, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_GT(VerticalBar().maximum(), VerticalBar().singleStep() * 4);
  }

  BookPosition Position() const { return document.place(); }
};

// Every page key on a divided book: where it goes from a given place, or what it says.
TEST_F(ViewerKeysTest, PageKeysMoveThroughTheNavigatorAcrossBothSides) {
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  const int32_t left = LastPage(Side::Left);
  const int32_t right = LastPage(Side::Right);
  ASSERT_GT(left, 0);
  ASSERT_GT(right, 0);
  struct Case {
    const char* what;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    BookPosition from, to;
    const char* refusal;
  };
  const Case cases[] = {
      {"Right", Qt::Key_Right, Qt::NoModifier, {Side::Left, 0}, {Side::Left, 1}, nullptr},
      {"Down", Qt::Key_Down, Qt::NoModifier, {Side::Left, 0}, {Side::Left, 1}, nullptr},
      {"Space", Qt::Key_Space, Qt::NoModifier, {Side::Left, 0}, {Side::Left, 1}, nullptr},
      {"Page Down", Qt::Key_PageDown, Qt::NoModifier, {Side::Left, 0}, {Side::Left, 1}, nullptr},
      {"keypad Right",
       Qt::Key_Right,
       Qt::KeypadModifier,
       {Side::Left, 0},
       {Side::Left, 1},
       nullptr},
      {"Right into the right side",
       Qt::Key_Right,
       Qt::NoModifier,
       {Side::Left, left},
       {Side::Right, 0},
       nullptr},
      {"Left", Qt::Key_Left, Qt::NoModifier, {Side::Left, 1}, {Side::Left, 0}, nullptr},
      {"Up back to the left side",
       Qt::Key_Up,
       Qt::NoModifier,
       {Side::Right, 0},
       {Side::Left, left},
       nullptr},
      {"Shift+Space",
       Qt::Key_Space,
       Qt::ShiftModifier,
       {Side::Right, 1},
       {Side::Right, 0},
       nullptr},
      {"Page Up", Qt::Key_PageUp, Qt::NoModifier, {Side::Right, 1}, {Side::Right, 0}, nullptr},
      {"End", Qt::Key_End, Qt::NoModifier, {Side::Left, 0}, {Side::Right, right}, nullptr},
      {"Home", Qt::Key_Home, Qt::NoModifier, {Side::Right, right}, {Side::Left, 0}, nullptr},
      {"Home from the right side's first page",
       Qt::Key_Home,
       Qt::NoModifier,
       {Side::Right, 0},
       {Side::Left, 0},
       nullptr},
      {"Left on the first page",
       Qt::Key_Left,
       Qt::NoModifier,
       {Side::Left, 0},
       {Side::Left, 0},
       kFirstPage},
      {"Up on the first page",
       Qt::Key_Up,
       Qt::NoModifier,
       {Side::Left, 0},
       {Side::Left, 0},
       kFirstPage},
      {"Home on the first page",
       Qt::Key_Home,
       Qt::NoModifier,
       {Side::Left, 0},
       {Side::Left, 0},
       kFirstPage},
      {"Right on the last page",
       Qt::Key_Right,
       Qt::NoModifier,
       {Side::Right, right},
       {Side::Right, right},
       kLastPage},
      {"Space on the last page",
       Qt::Key_Space,
       Qt::NoModifier,
       {Side::Right, right},
       {Side::Right, right},
       kLastPage},
      {"End on the last page",
       Qt::Key_End,
       Qt::NoModifier,
       {Side::Right, right},
       {Side::Right, right},
       kLastPage},
      {"End from the last left page",
       Qt::Key_End,
       Qt::NoModifier,
       {Side::Left, left},
       {Side::Right, right},
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    document.GoTo(c.from);
    Viewer().redrawPage();
    messages.shown.clear();
    Key(c.key, c.modifiers);
    EXPECT_EQ(Position(), c.to);
    EXPECT_EQ(messages.shown,
              c.refusal ? std::vector<std::string>{c.refusal} : std::vector<std::string>{});
    // The picture shows the page the navigator names.
    const int32_t last = LastPage(c.to.side);
    const std::string tag = c.to.side == Side::Left ? "(Left)" : "(Right)";
    EXPECT_TRUE(PictureShows(Viewer().picture(), tag + "Page No.:" + std::to_string(c.to.page + 1) +
                                                     " of " + std::to_string(last + 1)));
  }
}

TEST_F(ViewerKeysTest, OtherKeysAndModifiedPageKeysTurnNothing) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  Key(Qt::Key_Right, Qt::AltModifier);
  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_A);
  EXPECT_EQ(Position(), BookPosition{});
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewerKeysTest, CtrlFFindsOnTheSideShownCtrlPOpensThePrintMenuCtrlWEnds) {
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  Viewer().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Viewer()));
  const struct {
    Side side;
    bool modal;
  } sides[] = {{Side::Left, false}, {Side::Right, true}};
  for (const auto& c : sides) {
    document.GoTo({c.side, 1});
    modal_titles.clear();
    Key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(Viewer().stationWindowLoaded());
    // The left side's window stays open beside the viewer; the right side's runs modally.
    EXPECT_EQ(Viewer().stationWindow().isVisible(), !c.modal);
    EXPECT_EQ(modal_titles.size(), c.modal ? 1u : 0u);
    EXPECT_EQ(Position(), (BookPosition{c.side, 1}));
    Viewer().stationWindow().hide();
  }
  Viewer().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Viewer()));
  Key(Qt::Key_P, Qt::ControlModifier);
  ASSERT_NE(Viewer().menuBar()->activeAction(), nullptr);
  EXPECT_EQ(Viewer().menuBar()->activeAction()->objectName(), names::viewer::kPrintMenu);
  // Enter then prints the whole book.
  const QAction* chosen = Child<QMenu>(Viewer(), names::viewer::kPrintMenu).activeAction();
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->objectName(), names::viewer::kPrintAll);
  Viewer().menuBar()->setActiveAction(nullptr);
  Key(Qt::Key_W, Qt::ControlModifier);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(ViewerLoaded());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewerKeysTest, TheWheelTurnsAPageANotchWhenThePageFitsTheWindow) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  ASSERT_GT(LastPage(), 2);
  Wheel(-120);
  EXPECT_EQ(CurrentPage(), 1);
  // A fine-grained wheel turns once its movements add up to a notch.
  Wheel(-60);
  EXPECT_EQ(CurrentPage(), 1);
  Wheel(-60);
  EXPECT_EQ(CurrentPage(), 2);
  // Turning back starts a fresh notch.
  Wheel(-60);
  Wheel(120);
  EXPECT_EQ(CurrentPage(), 1);
  Wheel(240);
  EXPECT_EQ(CurrentPage(), 0);
  // Three notches against the first page say so once.
  EXPECT_EQ(messages.shown, std::vector<std::string>{kFirstPage});
  messages.shown.clear();
  Wheel(360);
  EXPECT_EQ(messages.shown, std::vector<std::string>{kFirstPage});
  EXPECT_EQ(CurrentPage(), 0);
}

TEST_F(ViewerKeysTest, AZoomedPageScrollsFirstAndTurnsAtItsEdge) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  ZoomUntilScrollable();
  QScrollBar& bar = VerticalBar();
  ASSERT_EQ(bar.value(), 0);

  Wheel(-120);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_GT(bar.value(), 0);
  const int wheeled = bar.value();
  Key(Qt::Key_Down);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_GT(bar.value(), wheeled);

  // Space scrolls a window's height at a time and turns the page only at its bottom.
  int scrolls = 0;
  while (CurrentPage() == 0 && scrolls < 50) {
    const bool at_bottom = bar.value() == bar.maximum();
    Key(Qt::Key_Space);
    if (CurrentPage() == 0) {
      EXPECT_FALSE(at_bottom);
      ++scrolls;
    } else {
      EXPECT_TRUE(at_bottom);
    }
  }
  EXPECT_GT(scrolls, 0);
  EXPECT_EQ(CurrentPage(), 1);
  EXPECT_EQ(bar.value(), 0);
  Key(Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(CurrentPage(), 0);

  bar.setValue(bar.maximum());
  Wheel(-120);
  EXPECT_EQ(CurrentPage(), 1);
  // The next page is shown from its top.
  EXPECT_EQ(bar.value(), 0);
  // At the top, the wheel turns back to the previous page, shown from its bottom.
  Wheel(120);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_EQ(bar.value(), bar.maximum());
  // Right and Left turn pages wherever the page is scrolled to.
  Key(Qt::Key_Right);
  EXPECT_EQ(CurrentPage(), 1);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewerKeysTest, ZoomKeysStepTheScaleAndCtrlZeroFitsTheWindowAgain) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  BookViewer& viewer = Viewer();
  const double fitted = viewer.viewScale();
  ASSERT_TRUE(viewer.fitsWindow());

  Key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_FALSE(viewer.fitsWindow());
  EXPECT_EQ(viewer.viewScale(), ZoomStepIn(fitted, 4));
  EXPECT_DOUBLE_EQ(viewer.picture().Runs().front().points, 10 * viewer.viewScale());
  // Ctrl+= is the same key without Shift.
  const double once = viewer.viewScale();
  Key(Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(viewer.viewScale(), ZoomStepIn(once, 4));

  Key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(viewer.viewScale(), once);
  // A zoomed page keeps its scale when the window changes size.
  const QSize before = viewer.size();
  viewer.resize(viewer.width() + 50, viewer.height() - 50);
  EXPECT_EQ(viewer.viewScale(), once);
  EXPECT_EQ(viewer.zoomShown(), "Zoom " + QString::number(std::lround(once * 100)) + " %");
  viewer.resize(before);

  Key(Qt::Key_0, Qt::ControlModifier);
  EXPECT_TRUE(viewer.fitsWindow());
  EXPECT_EQ(viewer.viewScale(), fitted);
  EXPECT_EQ(viewer.zoomShown(), "Fit to window " + QString::number(std::lround(fitted * 100)) + " %");

  // Zooming in as far as it goes stops below the 16-bit coordinates of the page.
  for (int n = 0; n < 20; ++n) Key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_LE(viewer.viewScale(), MaxViewScale(TheBook().page));
  EXPECT_TRUE(messages.shown.empty());
  for (int n = 0; n < 20; ++n) Key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(viewer.viewScale(), 0.25);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewerKeysTest, ScrollBarsAppearOnlyWhenTheZoomedPageIsLargerThanTheWindow) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  QScrollArea& area = *Viewer().pageArea();
  QApplication::processEvents();
  EXPECT_EQ(area.verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0);

  ZoomUntilScrollable();
  EXPECT_GT(area.horizontalScrollBar()->maximum(), 0);
  // The whole sheet can be scrolled into view: the widget holds it with its margin.
  const QRect sheet = Viewer().pictureWidget()->sheetRect();
  EXPECT_GT(sheet.left(), 0);
  EXPECT_GT(sheet.top(), 0);
  EXPECT_LT(sheet.right(), Viewer().pictureWidget()->width());
  EXPECT_LT(sheet.bottom(), Viewer().pictureWidget()->height());

  Key(Qt::Key_0, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(area.verticalScrollBar()->maximum(), 0);
}

TEST_F(ViewerKeysTest, CtrlWheelZooms) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  const double fitted = Viewer().viewScale();
  Wheel(120, Qt::ControlModifier);
  const double zoomed = Viewer().viewScale();
  EXPECT_EQ(zoomed, ZoomStepIn(fitted, 4));
  Wheel(-120, Qt::ControlModifier);
  EXPECT_EQ(Viewer().viewScale(), ZoomStepOut(zoomed));
  EXPECT_EQ(CurrentPage(), 0);
}

TEST_F(ViewerKeysTest, TheCaptionNamesTheFileAndThePageShownAfterEveryMove) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  const QString pages = QString::number(LastPage() + 1);
  EXPECT_EQ(Viewer().windowTitle(), "undivided.csv - Page 1 of " + pages + " - Vantrels");
  Key(Qt::Key_End);
  EXPECT_EQ(Viewer().windowTitle(),
            "undivided.csv - Page " + pages + " of " + pages + " - Vantrels");
  ASSERT_TRUE(document.GoToPageNumber(2));
  EXPECT_EQ(Viewer().windowTitle(), "undivided.csv - Page 2 of " + pages + " - Vantrels");

  // A new preview in the open viewer names the new file and its first page.
  PreviewFile(Example("divided.csv"));
  const QString left = QString::number(LastPage(Side::Left) + 1);
  EXPECT_EQ(Viewer().windowTitle(), "divided.csv - (Left) Page 1 of " + left + " - Vantrels");
  Key(Qt::Key_End);
  const QString right = QString::number(LastPage(Side::Right) + 1);
  EXPECT_EQ(Viewer().windowTitle(),
            "divided.csv - (Right) Page " + right + " of " + right + " - Vantrels");

  // A rejected file leaves the book and the caption as they were.
  const QString before = Viewer().windowTitle();
  PreviewFile(QString(VANTRELS_TEST_DATA) + "/missing-file.csv");
  EXPECT_EQ(Viewer().windowTitle(), before);
}

}  // namespace
}  // namespace vantrels::gui_test
