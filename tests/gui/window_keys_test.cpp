// Enter on buttons and where windows open, in every window of the desktop program.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStyleOption>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "gui/about_dialog.h"
#include "gui/find_station_dialog.h"
#include "gui/message_box.h"
#include "gui/print_range_dialog.h"
#include "gui/window_support.h"
#include "gui_fixture.h"
#include "model/units.h"

namespace vantrels::gui_test {
namespace {

namespace mw = names::main_window;

// The focus is on `button` and the style draws it there (a focus moved by the keyboard).
bool ShowsFocus(QPushButton& button) {
  QStyleOption option;
  option.initFrom(&button);
  return button.window()->focusWidget() == &button &&
         option.state.testFlag(QStyle::State_KeyboardFocusChange);
}

// How far the centre of `window` lies from the centre of `owner`'s window, in pixels.
int OffCentre(const QWidget& window, const QWidget& owner) {
  return (window.frameGeometry().center() - owner.window()->frameGeometry().center())
      .manhattanLength();
}

class WindowKeys : public GuiTest {
 protected:
  WindowKeys() {
    form.move(200, 150);
    form.show();
  }

  // Presses Enter, then keypad Enter, on `button` with the focus on it; the clicks counted.
  static int ClicksOnEnter(QPushButton& button) {
    QSignalSpy clicked(&button, &QPushButton::clicked);
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                         std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
      button.window()->show();
      button.setFocus();
      EXPECT_EQ(button.window()->focusWidget(), &button);
      QTest::keyClick(&button, key, modifiers);
    }
    return static_cast<int>(clicked.count());
  }
};

TEST_F(WindowKeys, EnterWalksTheMainWindowToFileBrowseShowsTheFocusThereAndPressesIt) {
  int asked = 0;
  form.ask_open_file = [&asked](const QString&, const QString&) {
    ++asked;
    return QString();
  };
  auto& project = MainWindowChild<QLineEdit>(mw::kProjectNumber);
  auto& browse = MainWindowChild<QPushButton>(mw::kFileBrowse);
  project.setFocus();
  QTest::keyClick(&project, Qt::Key_Return);
  QTest::keyClick(form.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(ShowsFocus(browse));
  EXPECT_EQ(asked, 0);
  // Regression: a third Enter did nothing.
  QTest::keyClick(&browse, Qt::Key_Return);
  EXPECT_EQ(asked, 1);
  QTest::keyClick(&browse, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(asked, 2);
  // Other keys with Enter press nothing.
  QTest::keyClick(&browse, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(asked, 2);
}

TEST_F(WindowKeys, EnterAndKeypadEnterPressTheFocusedButtonInEveryWindow) {
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  printing.ask_pdf_file = [] { return QString(); };
  PrinterFontDialog font_window(OfferOf(printers, fonts), messages, &form);
  AboutDialog about(messages, &form);
  about.start_program = [](const QString&, const QStringList&) { return true; };
  const struct {
    const char* window;
    QWidget* holder;
    const char* button;
  } cases[] = {
      {"main window", &form, mw::kAbout},
      {"main window", &form, mw::kClose},
      {"font and printer", &font_window, names::printer_font::kPreview},
      {"font and printer", &font_window, names::printer_font::kCancel},
      {"find", &Viewer().stationWindow(), names::find_station::kFind},
      {"print range", &Viewer().printRangeWindow(), names::print_range::kCancel},
      {"print range", &Viewer().printRangeWindow(), names::print_range::kPrint},
      {"about", &about, names::about::kOk},
      {"about", &about, names::about::kSystemInfo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.window) + " " + c.button);
    EXPECT_EQ(ClicksOnEnter(Child<QPushButton>(*c.holder, c.button)), 2);
  }
  EXPECT_EQ(program_ends, 1);
}

TEST_F(WindowKeys, PrintRangeOpensInFromWithItsTextChosenAndEnterPrints) {
  PreviewFile(Example("undivided.csv"));
  printing.ask_pdf_file = [] { return QString(); };
  // Enter on the focused Print button, then Enter in the page boxes.
  for (const bool in_box : {false, true}) {
    SCOPED_TRACE(in_box ? "Enter in To" : "Enter on Print");
    bool from_chosen = false;
    SetModalRunner([&](QDialog& dialog) {
      dialog.show();
      auto& from = Child<QLineEdit>(dialog, names::print_range::kFromPage);
      auto& to = Child<QLineEdit>(dialog, names::print_range::kToPage);
      // Regression: the window opened with the focus on Print.
      from_chosen = dialog.focusWidget() == &from && from.selectedText() == from.text();
      QTest::keyClicks(&from, "1");
      to.setText("2");
      auto& print = Child<QPushButton>(dialog, names::print_range::kPrint);
      QTest::keyClick(in_box ? static_cast<QWidget*>(&to) : &print, Qt::Key_Return);
      return dialog.result();
    });
    Viewer().printSelectedPages();
    EXPECT_TRUE(from_chosen);
    const std::optional<PageSpan>& range = Viewer().printRangeWindow().range();
    ASSERT_TRUE(range);
    EXPECT_EQ(range->side, Side::Left);
    EXPECT_EQ(range->first, 0);
    EXPECT_EQ(range->last, 1);
  }
}

TEST_F(WindowKeys, TheMainWindowOpensOnTheUpperGroupAndEnlargedShowsTheOptionsAsTheyAre) {
  form.show();
  QApplication::processEvents();
  auto& title = MainWindowChild<QLabel>(mw::kTitle);
  auto& group = MainWindowChild<QGroupBox>(mw::kShowOnReport);
  auto& edge = MainWindowChild<QCheckBox>(mw::kPointType[2]);
  // A client area of 8370 x 3405 twips, unless the upper group needs more.
  EXPECT_EQ(form.size(), form.size().expandedTo(form.minimumSizeHint()));
  EXPECT_EQ(form.width(), std::max(TwipsToPixels(8370, form.logicalDpiX()),
                                   form.minimumSizeHint().width()));
  EXPECT_EQ(form.height(), std::max(TwipsToPixels(3405, form.logicalDpiY()),
                                    form.minimumSizeHint().height()));
  // The options are out of sight and out of the way of Tab; a note says how to show them.
  auto& hint = MainWindowChild<QLabel>(mw::kOptionsHint);
  EXPECT_FALSE(group.isVisibleTo(&form));
  EXPECT_TRUE(hint.isVisibleTo(&form));
  EXPECT_TRUE(edge.toolTip().contains("always shows every point"));

  const int title_height = title.height();
  form.resize(form.width(), form.height() + 600);
  QApplication::processEvents();
  // Regression: the title row took all of it, then the option boxes were spread apart.
  EXPECT_EQ(title.height(), title_height);
  EXPECT_EQ(group.height(), group.sizeHint().height());
  EXPECT_TRUE(group.isVisibleTo(&form));
  EXPECT_EQ(group.visibleRegion().boundingRect(), group.rect());
  EXPECT_FALSE(hint.isVisibleTo(&form));
  // The extra room lies below the group, above the status line.
  const int below = MainWindowChild<QWidget>(mw::kStatusLine).geometry().top() -
                    group.mapTo(&form, QPoint(0, group.height())).y();
  EXPECT_GE(below, 300);
}

TEST_F(WindowKeys, MessageBoxesCentreOnTheWindowInFront) {
  QApplication::setActiveWindow(&form);
  MessageBoxMessages boxes;
  const QWidget* parent = nullptr;
  int off_centre = -1;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      ADD_FAILURE() << "no message box is shown";
      return;
    }
    parent = box->parentWidget();
    off_centre = OffCentre(*box, form);
    box->accept();
  });
  boxes.Show("Please Enter Project Number and Control Number");
  EXPECT_EQ(parent, &form);
  EXPECT_GE(off_centre, 0);
  EXPECT_LE(off_centre, 2);
}

TEST_F(WindowKeys, AWindowCentredOverOneAtTheScreensCornerStaysOnTheScreen) {
  const QRect available = form.screen()->availableGeometry();
  form.move(available.topLeft());
  QDialog tall(&form);
  tall.resize(form.frameGeometry().width() + 200, form.frameGeometry().height() + 200);
  PlaceOver(tall, &form);
  EXPECT_GE(tall.frameGeometry().top(), available.top());
  EXPECT_GE(tall.frameGeometry().left(), available.left());
}

TEST_F(WindowKeys, MessagesBelongToAWindowOnScreenEvenWhenNoneIsActive) {
  // As without a window manager: nothing active, nothing focused.
  QApplication::setActiveWindow(nullptr);
  ASSERT_EQ(QApplication::activeWindow(), nullptr);
  ASSERT_EQ(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(FrontWindow(), &form);
  form.hide();
  EXPECT_EQ(FrontWindow(), nullptr);
}

TEST_F(WindowKeys, DialogsCentreOnTheirWindowAndTheFindWindowsStayAboveTheViewer) {
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  BookViewer& viewer = Viewer();
  viewer.move(400, 50);

  PrinterFontDialog font_window(OfferOf(printers, fonts), messages, &form);
  EXPECT_LE(OffCentre(font_window, form), 2);

  Viewer().openStationFinder(StationFinder::kLeftStation);
  FindStationDialog& finder = Viewer().stationWindow();
  ASSERT_NE(finder.windowHandle(), nullptr);
  EXPECT_EQ(finder.windowHandle()->transientParent(), viewer.windowHandle());
  EXPECT_LE(OffCentre(finder, viewer), 2);
  finder.hide();

  // The right side's modal find window too: without a window manager nothing else keeps it
  // in front of the viewer.
  const QWindow* right_parent = nullptr;
  int right_off_centre = -1;
  SetModalRunner([&](QDialog& dialog) {
    right_parent = dialog.windowHandle() ? dialog.windowHandle()->transientParent() : nullptr;
    right_off_centre = OffCentre(dialog, viewer);
    return 0;
  });
  Viewer().openStationFinder(StationFinder::kRightStation);
  EXPECT_EQ(right_parent, viewer.windowHandle());
  EXPECT_LE(right_off_centre, 2);

  int range_off_centre = -1;
  const QWindow* range_parent = nullptr;
  SetModalRunner([&](QDialog& dialog) {
    range_parent = dialog.windowHandle() ? dialog.windowHandle()->transientParent() : nullptr;
    range_off_centre = OffCentre(dialog, viewer);
    return 0;
  });
  Viewer().printSelectedPages();
  EXPECT_EQ(range_parent, viewer.windowHandle());
  EXPECT_LE(range_off_centre, 2);
  EXPECT_GE(range_off_centre, 0);
}

}  // namespace
}  // namespace vantrels::gui_test
