#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "book/book_document.h"
#include "book/road.h"
#include "gui/book_viewer.h"
#include "gui/find_station_dialog.h"
#include "gui/print_controller.h"
#include "gui/window_support.h"
#include "render/print_service.h"
#include "render/qt_text.h"
#include "scripted_modal.h"
#include "widget_lookup.h"

namespace vantrels {
namespace {

using gui_test::Child;
namespace fs = object_names::find_station;

// The find window's controls.
QComboBox* List(QDialog& window) {
  return &Child<QComboBox>(window, fs::kList);
}
QComboBox* RightList(QDialog& window) {
  return &Child<QComboBox>(window, fs::kRightList);
}
void PressFind(QDialog& window) {
  Child<QPushButton>(window, fs::kFind).click();
}
QString Text(QDialog& window, const char* label) {
  return Child<QLabel>(window, label).text();
}

const std::string kBlanks12(12, ' ');

class FindStation : public ::testing::Test {
 protected:
  void SetUp() override {
    // A modal find window runs the next scripted step while shown, so no test can block.
    SetModalRunner([this](QDialog& dialog) {
      ++modal_runs_;
      return RunScriptedStep(steps_, dialog);
    });
    viewer_ = std::make_unique<BookViewer>(document_, printing_, messages_);
  }

  void TearDown() override {
    SetModalRunner(nullptr);
    viewer_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void Load(const char* example) {
    Result<ImportedBook> road = BuildBook(std::string(VANTRELS_EXAMPLES) + "/" + example, {},
                                        &printing_.LayoutTarget(), memory_, messages_);
    ASSERT_TRUE(road.ok());
    ASSERT_TRUE(messages_.shown.empty()) << messages_.shown.front();
    PageContext heading;
    heading.report_font = "Courier New";
    heading.heading_date = "05 02 2024";
    document_.Show(std::move(road->book), heading, {});
  }

  std::vector<std::string> Listed(Side side) const {
    std::vector<std::string> entries;
    for (const StationEntry& entry : document_.book()->Of(side).station_entries) {
      entries.push_back(FormatStationEntry(entry));
    }
    return entries;
  }

  BookPosition Position() const { return document_.place(); }

  void Open(StationFinder which) { viewer_->openStationFinder(which); }
  FindStationDialog& Window() { return viewer_->stationWindow(); }

  // Picks the list entry with this text, as the user does with the drop-down list.
  static void Pick(QComboBox* list, const std::string& entry) {
    const int index = list->findText(FromReportBytes(entry));
    ASSERT_GE(index, 0) << entry;
    list->setCurrentIndex(index);
  }

  // True when the viewer's picture holds this text, e.g. the page label "Page No.:5 of 10".
  bool ViewerShows(const QString& text) {
    for (const TextRun& run : viewer_->picture().Runs()) {
      if (run.text.contains(text)) return true;
    }
    return false;
  }

  RecordingMessages messages_;
  QtPrintService printers_{{}, ""};
  BookDocument document_;
  PrintController printing_{printers_, messages_};
  RoadMemory memory_;
  std::unique_ptr<BookViewer> viewer_;
  ModalSteps steps_;
  int modal_runs_ = 0;
};

TEST_F(FindStation, UndividedWindowListsEveryStationHeadingAndFindsItsPage) {
  Load("undivided.csv");
  Open(StationFinder::kStation);
  FindStationDialog& window = Window();
  EXPECT_EQ(window.windowTitle(), "Find Station on the Page");
  EXPECT_EQ(Text(window, fs::kStationCaption), "Station :");
  EXPECT_EQ(Text(window, fs::kPageHeading), "Page #");
  EXPECT_EQ(Text(window, fs::kStationHeading), "Station");
  EXPECT_EQ(Child<QPushButton>(window, fs::kFind).text(), "Find");
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isModal());
  EXPECT_EQ(modal_runs_, 0);
  EXPECT_TRUE(List(window)->isVisible());
  EXPECT_FALSE(RightList(window)->isVisible());
  EXPECT_FALSE(List(window)->isEditable());

  const std::vector<std::string> entries = Listed(Side::Left);
  ASSERT_EQ(List(window)->count(), static_cast<int>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(ToReportBytes(List(window)->itemText(static_cast<int>(i))), entries[i]);
  }
  EXPECT_EQ(ToReportBytes(List(window)->currentText()), "1" + kBlanks12 + "2389+00.00 R1");

  Pick(List(window), "5" + kBlanks12 + "2394+50.00 R1");
  PressFind(window);
  EXPECT_EQ(Position().page, 4);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_TRUE(ViewerShows("Page No.:5 of 10"));
  // Find only hides the window: it keeps its list for the next use.
  EXPECT_TRUE(viewer_->stationWindowLoaded());
}

TEST_F(FindStation, StationCutAcrossTwoPagesFindsEachOfItsPages) {
  Load("undivided.csv");
  const std::string station = "2392+00.00 R1";
  std::vector<std::string> entries;
  for (const std::string& entry : Listed(Side::Left)) {
    if (entry.ends_with(kBlanks12 + station)) entries.push_back(entry);
  }
  ASSERT_EQ(entries,
            (std::vector<std::string>{"2" + kBlanks12 + station, "3" + kBlanks12 + station}));
  const struct {
    std::string entry;
    int32_t page;
  } cases[] = {{entries[1], 2}, {entries[0], 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    Open(StationFinder::kStation);
    Pick(List(Window()), c.entry);
    PressFind(Window());
    EXPECT_EQ(Position().page, c.page);
    EXPECT_TRUE(ViewerShows(QString("Page No.:%1 of 10").arg(c.page + 1)));
  }
}

TEST_F(FindStation, StationLeftKeepsTheViewersSideUntilFindFindsAPage) {
  Load("divided.csv");
  document_.GoTo({Side::Right, 3});

  Open(StationFinder::kLeftStation);
  // Regression: the side changed here, while the picture still showed the right side.
  EXPECT_EQ(Position(), (BookPosition{Side::Right, 3}));
  FindStationDialog& window = Window();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(modal_runs_, 0);
  EXPECT_TRUE(List(window)->isVisible());
  EXPECT_FALSE(RightList(window)->isVisible());
  EXPECT_EQ(List(window)->count(), static_cast<int>(Listed(Side::Left).size()));

  window.close();
  EXPECT_EQ(Position(), (BookPosition{Side::Right, 3}));
  // The next move starts from the page shown.
  ASSERT_TRUE(document_.Next().ok());
  EXPECT_EQ(Position(), (BookPosition{Side::Right, 4}));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FindStation, StationLeftFindsTheLeftPageOfACutStation) {
  Load("divided.csv");
  Open(StationFinder::kLeftStation);
  Pick(List(Window()), "3" + kBlanks12 + "2392+50.00 R2");
  PressFind(Window());
  EXPECT_EQ(Position(), (BookPosition{Side::Left, 2}));
  EXPECT_TRUE(ViewerShows("(Left)Page No.:3 of 5"));
}

TEST_F(FindStation, StationRightIsModalAndFindsRightPageOneAtOnce) {
  Load("divided.csv");
  document_.GoTo({Side::Left, 2});
  // The left window still open modeless is shown again modally.
  Open(StationFinder::kLeftStation);
  steps_.push_back([&](QDialog& dialog) {
    auto& window = dynamic_cast<FindStationDialog&>(dialog);
    EXPECT_EQ(Position(), (BookPosition{Side::Left, 2}));
    EXPECT_TRUE(RightList(window)->isVisible());
    EXPECT_FALSE(List(window)->isVisible());
    EXPECT_TRUE(RightList(window)->isEditable());
    EXPECT_EQ(RightList(window)->count(), static_cast<int>(Listed(Side::Right).size()));
    EXPECT_EQ(ToReportBytes(RightList(window)->currentText()), Listed(Side::Right).front());
    PressFind(window);
  });
  Open(StationFinder::kRightStation);
  EXPECT_EQ(modal_runs_, 1);
  EXPECT_EQ(Position(), (BookPosition{Side::Right, 0}));
  EXPECT_TRUE(ViewerShows("(Right)Page No.:1 of 5"));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FindStation, TypedRightEntryIsReadUpToItsFirstBlank) {
  Load("divided.csv");
  const struct {
    const char* text;
    int32_t page;
  } cases[] = {
      {"4            2395+00.00 R2", 3}, {"  5   x  ", 4}, {"1 2389+00.00 R2", 0}, {"+2 y", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    document_.GoTo({Side::Left, 4});
    steps_.push_back([&](QDialog& dialog) {
      auto& window = dynamic_cast<FindStationDialog&>(dialog);
      RightList(window)->setEditText(c.text);
      PressFind(window);
    });
    Open(StationFinder::kRightStation);
    EXPECT_EQ(Position(), (BookPosition{Side::Right, c.page}));
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FindStation, EnterInEitherListFindsAsFindDoesAndAStationFindsItsPage) {
  Load("divided.csv");
  const StationEntry& last = document_.book()->Of(Side::Left).station_entries.back();
  document_.GoTo({Side::Right, 1});
  Open(StationFinder::kLeftStation);
  Pick(List(Window()), FormatStationEntry(last));
  QTest::keyClick(List(Window()), Qt::Key_Return);
  EXPECT_EQ(Position(), (BookPosition{Side::Left, last.page}));
  EXPECT_FALSE(Window().isVisible());

  const struct {
    const char* typed;
    Qt::Key key;
    int32_t page;
  } cases[] = {
      {"2395+00", Qt::Key_Return, 3}, {"2395+00.00", Qt::Key_Enter, 3}, {"2  2391+00", Qt::Key_Return, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    document_.GoTo({Side::Left, 0});
    steps_.push_back([&](QDialog& dialog) {
      auto& window = dynamic_cast<FindStationDialog&>(dialog);
      RightList(window)->setEditText(c.typed);
      QTest::keyClick(RightList(window)->lineEdit(), c.key);
    });
    Open(StationFinder::kRightStation);
    EXPECT_EQ(Position(), (BookPosition{Side::Right, c.page}));
  }
  EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
}

TEST_F(FindStation, FindRejectsEntriesItCannotUseAndStaysOpen) {
  Load("divided.csv");
  const struct {
    const char* text;
    std::string message;  // empty: any description after the prefix
  } cases[] = {
      // Regression: a cleared box hid the window without a word.
      {"", " Program Error : the box is empty: choose a station from the list"},
      {"    ", " Program Error : the box is empty: choose a station from the list"},
      {"12", ""},
      {"  3  ", ""},
      {"abc def", ""},
      {"- 3", ""},
      {"6 x", " Program Error : Page 6 is out of range 1 to 5"},
      {"40            2395+00.00 R2", " Program Error : Page 40 is out of range 1 to 5"},
      {"0 x", " Program Error : Page 0 is out of range 1 to 5"},
      {"-2 x", " Program Error : Page -2 is out of range 1 to 5"},
      {"70000 x", " Program Error : Page 70000 is out of range 1 to 5"},
      {"99999999            2395+00.00 R2",
       " Program Error : Page 99999999 is out of range 1 to 5"},
  };
  document_.GoTo({Side::Left, 2});
  steps_.push_back([&](QDialog& dialog) {
    auto& window = dynamic_cast<FindStationDialog&>(dialog);
    for (const auto& c : cases) {
      SCOPED_TRACE(c.text);
      messages_.shown.clear();
      RightList(window)->setEditText(c.text);
      PressFind(window);
      ASSERT_EQ(messages_.shown.size(), 1u);
      if (c.message.empty()) {
        EXPECT_TRUE(messages_.shown[0].starts_with(" Program Error : "));
        EXPECT_GT(messages_.shown[0].size(), std::string(" Program Error : ").size());
      } else {
        EXPECT_EQ(messages_.shown[0], c.message);
      }
      EXPECT_TRUE(window.isVisible());
      EXPECT_EQ(Position().page, 2);
    }
    window.close();
  });
  Open(StationFinder::kRightStation);
  EXPECT_EQ(modal_runs_, 1);
  EXPECT_EQ(Position().page, 2);
}

TEST_F(FindStation, EmptyListsStillOpenTheWindowAndFindOnlyHidesIt) {
  // No book yet.
  EXPECT_EQ(RightList(Window())->currentText(), "Combo2");
  Open(StationFinder::kStation);
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(List(Window())->count(), 0);
  EXPECT_EQ(List(Window())->currentText(), "");
  PressFind(Window());
  EXPECT_FALSE(Window().isVisible());

  steps_.push_back([&](QDialog& dialog) {
    auto& window = dynamic_cast<FindStationDialog&>(dialog);
    EXPECT_EQ(RightList(window)->count(), 0);
    EXPECT_EQ(RightList(window)->currentText(), "");
    PressFind(window);
  });
  Open(StationFinder::kRightStation);
  EXPECT_EQ(modal_runs_, 1);
  EXPECT_EQ(Position().page, 0);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FindStation, FrameCloseUnloadsTheWindowButItsListsComeBack) {
  Load("undivided.csv");
  Open(StationFinder::kStation);
  Window().close();
  EXPECT_FALSE(viewer_->stationWindowLoaded());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  Open(StationFinder::kStation);
  EXPECT_EQ(List(Window())->count(), static_cast<int>(Listed(Side::Left).size()));
  EXPECT_GT(List(Window())->count(), 0);

  steps_.push_back([](QDialog& dialog) { dialog.close(); });
  Open(StationFinder::kRightStation);
  EXPECT_FALSE(viewer_->stationWindowLoaded());
  // Closed without Find: the viewer stays where it was.
  EXPECT_EQ(Position().side, Side::Left);
}

TEST_F(FindStation, StationRightRunsItsOwnModalLoop) {
  Load("divided.csv");
  SetModalRunner(nullptr);
  bool was_modal = false;
  QTimer::singleShot(0, [&] {
    auto* window = qobject_cast<FindStationDialog*>(QApplication::activeModalWidget());
    if (window == nullptr) {
      ADD_FAILURE() << "the find window is not the active modal window";
      Window().reject();
      return;
    }
    was_modal = window->isModal();
    PressFind(*window);
  });
  document_.GoTo({Side::Left, 3});
  Open(StationFinder::kRightStation);
  EXPECT_TRUE(was_modal);
  EXPECT_EQ(Position(), (BookPosition{Side::Right, 0}));
}

}  // namespace
}  // namespace vantrels
