// The windows as views of one document: every preview reaches every open window, the viewer's
// children close with it, and each command leaves the viewer's place where it should.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include "book/page_list.h"
#include "gui/find_station_dialog.h"
#include "gui/page_list_dialog.h"
#include "gui/print_range_dialog.h"
#include "gui/viewer_view.h"
#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

namespace pr = names::print_range;

std::vector<std::string> Items(const QComboBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.count(); ++i) items.push_back(ToReportBytes(list.itemText(i)));
  return items;
}

class DocumentViews : public GuiTest {
 protected:
  // The page label a picture of `place` shows.
  std::string LabelOf(BookPosition place) const {
    std::string tag;
    if (TheBook().Divided()) tag = place.side == Side::Left ? "(Left)" : "(Right)";
    return tag + "Page No.:" + std::to_string(place.page + 1) + " of " +
           std::to_string(LastPage(place.side) + 1);
  }
  void Trigger(const char* action) { Child<QAction>(Viewer(), action).trigger(); }
};

TEST_F(DocumentViews, EveryPreviewReachesEveryOpenWindow) {
  PreviewFile(Example("divided.csv"));
  BookViewer& viewer = Viewer();
  viewer.openStationFinder(StationFinder::kLeftStation);
  FindStationDialog& finder = viewer.stationWindow();
  PrintRangeDialog& range = viewer.printRangeWindow();
  auto& side = Child<QComboBox>(range, pr::kSide);
  // The user left the print range window on the right side with a range of that book.
  side.setCurrentIndex(1);
  emit side.activated(1);
  Child<QLineEdit>(range, pr::kFromPage).setText("2");
  Child<QLineEdit>(range, pr::kToPage).setText("6");

  const struct {
    const char* file;
    const char* roadway;
    const char* total_caption;
  } previews[] = {
      {"undivided.csv", "UNDIVIDED", "Total Number of Pages:"},
      {"divided.csv", "DIVIDED", "Total Left Side Pages:"},
      {"undivided.csv", "UNDIVIDED", "Total Number of Pages:"},
  };
  for (const auto& preview : previews) {
    SCOPED_TRACE(preview.file);
    PreviewFile(Example(preview.file));
    ASSERT_EQ(&Viewer(), &viewer);
    ASSERT_EQ(&viewer.stationWindow(), &finder);
    ASSERT_EQ(&viewer.printRangeWindow(), &range);
    EXPECT_EQ(viewer.windowTitle(), ViewerTitle(QString(preview.file), document.book(), {}));
    EXPECT_TRUE(PictureShows(viewer.picture(), LabelOf({})));
    EXPECT_EQ(Items(Child<QComboBox>(finder, names::find_station::kList)), Listed(Side::Left));
    EXPECT_EQ(Child<QLabel>(range, pr::kRoadwayType).text(), preview.roadway);
    EXPECT_EQ(side.isHidden(), !TheBook().Divided());
    EXPECT_EQ(side.currentText(), "LeftSide");
    EXPECT_EQ(Child<QLabel>(range, pr::kTotalCaption).text(), preview.total_caption);
    EXPECT_EQ(Child<QLabel>(range, pr::kTotal).text(), QString::number(LastPage() + 1));
    EXPECT_EQ(Items(Child<QComboBox>(range.pageList(), names::page_list::kList)),
              PageListEntries(TheBook().Of(Side::Left)));
    // Pages typed for another book are not this book's.
    EXPECT_EQ(Child<QLineEdit>(range, pr::kFromPage).text(), "");
    EXPECT_EQ(Child<QLineEdit>(range, pr::kToPage).text(), "");
  }
}

TEST_F(DocumentViews, TheFindAndPrintRangeWindowsCloseWithTheViewer) {
  const struct {
    const char* how;
    std::function<void()> close;
  } closes[] = {
      {"&End", [this] { Trigger(names::viewer::kEnd); }},
      {"the viewer's frame", [this] { Viewer().close(); }},
      {"the main window's Close", [this] { Press(form, names::main_window::kClose); }},
  };
  for (const auto& c : closes) {
    SCOPED_TRACE(c.how);
    PreviewFile(Example("divided.csv"));
    const QPointer<BookViewer> viewer(&Viewer());
    viewer->openStationFinder(StationFinder::kLeftStation);
    const QPointer<FindStationDialog> finder(&viewer->stationWindow());
    const QPointer<PrintRangeDialog> range(&viewer->printRangeWindow());
    ASSERT_TRUE(finder->isVisible());
    c.close();
    EXPECT_FALSE(ViewerLoaded());
    // Gone from the screen at once, and deleted once control is back in the event loop.
    EXPECT_FALSE(finder->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(viewer.isNull());
    EXPECT_TRUE(finder.isNull());
    EXPECT_TRUE(range.isNull());
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DocumentViews, EachCommandLeavesTheViewerAtItsPlace) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  printing.ask_pdf_file = [&dir] { return dir.filePath("book.pdf"); };
  PreviewFile(Example("divided.csv"));
  const int32_t left = LastPage(Side::Left);
  const int32_t right = LastPage(Side::Right);
  const int32_t second_entry = TheBook().Of(Side::Left).station_entries[1].page;
  // Runs `press` on the next modal window (the find or print range window) and restores the usual
  // answers.
  const auto answering = [this](std::function<void(QDialog&)> press, std::function<void()> open) {
    return [this, press, open] {
      SetModalRunner([press](QDialog& dialog) {
        press(dialog);
        return dialog.result();
      });
      open();
      AnswerModalWindowsAsUsual();
    };
  };
  const auto find = [this](int entry) {
    Child<QComboBox>(Viewer().stationWindow(), names::find_station::kList).setCurrentIndex(entry);
    Press(Viewer().stationWindow(), names::find_station::kFind);
  };
  const struct {
    const char* command;
    BookPosition from;
    std::function<void()> run;
    BookPosition to;
    // False where the picture keeps showing `from`.
    bool redrawn;
  } cases[] = {
      {"&>> into the right side",
       {Side::Left, left},
       [this] { Trigger(names::viewer::kNextPage); },
       {Side::Right, 0},
       true},
      {"<&< back to the left side",
       {Side::Right, 0},
       [this] { Trigger(names::viewer::kPreviousPage); },
       {Side::Left, left},
       true},
      {"&>> on the last page",
       {Side::Right, right},
       [this] { Trigger(names::viewer::kNextPage); },
       {Side::Right, right},
       false},
      {"End key", {Side::Left, 1}, [this] { Viewer().showLastPage(); }, {Side::Right, right}, true},
      // Regression: the side changed when the find window opened, so the next move started
      // from a page other than the one shown.
      {"GoTo StationLeft, closed without Find",
       {Side::Right, 3},
       [this] {
         Trigger(names::viewer::kFindLeftStation);
         Viewer().stationWindow().close();
       },
       {Side::Right, 3},
       false},
      {"GoTo StationRight, Escape, then &>>",
       {Side::Left, 2},
       answering([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
                 [this] {
                   Trigger(names::viewer::kFindRightStation);
                   Trigger(names::viewer::kNextPage);
                 }),
       {Side::Left, 3},
       true},
      {"GoTo StationLeft and Find",
       {Side::Right, 3},
       [this, find] {
         Trigger(names::viewer::kFindLeftStation);
         find(1);
       },
       {Side::Left, second_entry},
       true},
      {"GoTo StationRight and Find",
       {Side::Left, 2},
       answering([](QDialog& dialog) { Press(dialog, names::find_station::kFind); },
                 [this] { Trigger(names::viewer::kFindRightStation); }),
       {Side::Right, 0},
       true},
      {"PrintAll",
       {Side::Right, 2},
       [this] { Trigger(names::viewer::kPrintAll); },
       {Side::Right, 2},
       false},
      {"Print Selected Pages of the right side",
       {Side::Left, 1},
       answering(
           [](QDialog& dialog) {
             auto& side = Child<QComboBox>(dialog, pr::kSide);
             side.setCurrentIndex(1);
             emit side.activated(1);
             Press(dialog, pr::kPrint);
           },
           [this] { Trigger(names::viewer::kPrintSelected); }),
       {Side::Left, 1},
       false},
      {"a new preview",
       {Side::Right, 3},
       [this] { PreviewFile(Example("divided.csv")); },
       {Side::Left, 0},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    document.GoTo(c.from);
    c.run();
    EXPECT_EQ(document.place(), c.to);
    EXPECT_TRUE(PictureShows(Viewer().picture(), LabelOf(c.redrawn ? c.to : c.from)));
  }
}

}  // namespace
}  // namespace vantrels::gui_test
