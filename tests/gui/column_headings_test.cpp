#include "gui/column_headings.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>

#include "book/page_list.h"
#include "gui/find_station_dialog.h"
#include "gui/page_list_dialog.h"
#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

TEST(FieldColumns, FieldsBeginAfterFiveBlanksOrMore) {
  struct Case {
    QString entry;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"3            10+00.00", {0, 13}},
      {"12            10+00.00", {0, 14}},
      {"1     10+00.00        15+00.00", {0, 6, 22}},
      // A blank inside a station is no gap between fields.
      {"1     2389+00.00 R1        2390+00.00", {0, 6, 27}},
      {"   7     8", {3, 9}},
      {"", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FieldColumns(c.entry), c.expected) << c.entry.toStdString();
  }
}

// Where ink begins in `area` of the picture, and again after each gap of `gap` blank columns.
std::vector<int> InkStarts(const QImage& image, QRect area, int gap) {
  std::vector<int> starts;
  int blank = gap;
  for (int x = area.left(); x <= area.right(); ++x) {
    bool ink = false;
    for (int y = area.top(); y <= area.bottom() && !ink; ++y) ink = qGray(image.pixel(x, y)) < 100;
    if (!ink) {
      ++blank;
      continue;
    }
    if (blank >= gap) starts.push_back(x);
    blank = 0;
  }
  return starts;
}

class ColumnHeadingsTest : public GuiTest {
 protected:
  // The headings' text starts against the list's column starts, in the window's picture.
  void ExpectAligned(QWidget& window, QComboBox& list, const std::vector<const char*>& headings) {
    window.show();
    QApplication::processEvents();
    const QImage image = window.grab().toImage();
    const QFontInfo face(list.font());
    EXPECT_TRUE(face.fixedPitch()) << face.family().toStdString();

    const QRect list_area(list.mapTo(&window, QPoint(4, 4)),
                          QSize(list.width() - 40, list.height() - 8));
    // Fields are five or more blanks apart; letters of a field one blank at most.
    const int character = QFontMetrics(list.font()).horizontalAdvance(QLatin1Char('0'));
    const std::vector<int> columns = InkStarts(image, list_area, 3 * character);
    ASSERT_GE(columns.size(), headings.size()) << list.currentText().toStdString();
    for (size_t k = 0; k < headings.size(); ++k) {
      const QLabel& heading = Child<QLabel>(window, headings[k]);
      const QRect area(heading.mapTo(&window, QPoint(0, 0)), heading.size());
      const std::vector<int> starts = InkStarts(image, area, area.width());
      ASSERT_EQ(starts.size(), 1u) << headings[k];
      EXPECT_NEAR(starts[0], columns[k], 3) << headings[k];
    }
  }
};

TEST_F(ColumnHeadingsTest, PageListHeadingsStandAboveTheirColumns) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(document.book());
  PageListDialog window;
  window.showPages(PageListEntries(TheBook().Of(Side::Left)));
  ASSERT_GT(window.entryCount(), 0);
  EXPECT_EQ(Child<QLabel>(window, names::page_list::kPageHeading).text(), "Page#");
  EXPECT_EQ(Child<QLabel>(window, names::page_list::kStartHeading).text(), "Start Station");
  EXPECT_EQ(Child<QLabel>(window, names::page_list::kEndHeading).text(), "End Station");
  ExpectAligned(window, Child<QComboBox>(window, names::page_list::kList),
                {names::page_list::kPageHeading, names::page_list::kStartHeading,
                 names::page_list::kEndHeading});
}

TEST_F(ColumnHeadingsTest, FindListHeadingsStandAboveTheirColumnsOnBothLists) {
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(document.book());
  Viewer().openStationFinder(StationFinder::kStation);
  FindStationDialog& window = Viewer().stationWindow();
  ExpectAligned(window, Child<QComboBox>(window, names::find_station::kList),
                {names::find_station::kPageHeading, names::find_station::kStationHeading});
  window.hide();

  // The editable right-side list has its own text inset.
  SetModalRunner([](QDialog& dialog) { return dialog.result(); });
  Viewer().openStationFinder(StationFinder::kRightStation);
  ExpectAligned(window, Child<QComboBox>(window, names::find_station::kRightList),
                {names::find_station::kPageHeading, names::find_station::kStationHeading});
}

}  // namespace
}  // namespace vantrels::gui_test
