#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "gui/find_station_dialog.h"
#include "gui_fixture.h"
#include "import/import_test_util.h"

namespace vantrels::gui_test {
namespace {

using PreviewTest = GuiTest;

QString WriteFile(const QTemporaryDir& dir, const QString& name, const std::string& bytes) {
  const QString path = dir.filePath(name);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

QString CopyExample(const QTemporaryDir& dir, const char* example, const QString& name) {
  QFile source(Example(example));
  EXPECT_TRUE(source.open(QIODevice::ReadOnly));
  return WriteFile(dir, name, source.readAll().toStdString());
}

bool ActionVisible(BookViewer& viewer, const char* name) {
  auto* action = viewer.findChild<QAction*>(name);
  EXPECT_NE(action, nullptr) << name;
  return action != nullptr && action->isVisible();
}

TEST_F(PreviewTest, UndividedFileOpensTheViewerOnItsFirstPage) {
  PreviewFile(Example("undivided.csv"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(modal_titles, std::vector<std::string>{"Select Font and a Printer"});
  ASSERT_TRUE(ViewerLoaded());
  BookViewer& viewer = Viewer();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_EQ(viewer.windowTitle().toStdString(),
            "undivided.csv - Page 1 of " + std::to_string(LastPage() + 1) + " - Vantrels");

  EXPECT_EQ(document.heading().project_number, "P-17");
  EXPECT_EQ(printing.chosen().printer, "PDF file");
  // The second report face the font list meets.
  EXPECT_EQ(printing.chosen().font, "Lucida Console");
  EXPECT_EQ(TheBook().roadway, Roadway::Undivided);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_GT(LastPage(), 0);
  // A Letter page with quarter-inch margins.
  EXPECT_DOUBLE_EQ(TheBook().page.columns, 96);
  EXPECT_DOUBLE_EQ(TheBook().page.lines, 63);
  EXPECT_FALSE(Listed().empty());
  EXPECT_TRUE(PictureShows(viewer.picture(), "Project No: P-17"));
  EXPECT_TRUE(PictureShows(viewer.picture(), "Date: 01 02 2024"));
  EXPECT_TRUE(PictureShows(viewer.picture(), "Page No.:1 of " + std::to_string(LastPage() + 1)));
  EXPECT_TRUE(PictureShows(viewer.picture(), TheBook().Of(Side::Left).report[0].region_station));
}

TEST_F(PreviewTest, DividedFileOpensOnTheLeftSideAfterCountingTheRight) {
  PreviewFile(Example("divided.csv"));
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_TRUE(ViewerLoaded());
  EXPECT_EQ(CurrentSide(), Side::Left);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_FALSE(Listed(Side::Right).empty());
  EXPECT_TRUE(PictureShows(Viewer().picture(),
                           "(Left)Page No.:1 of " + std::to_string(LastPage(Side::Left) + 1)));
  EXPECT_TRUE(PictureShows(Viewer().picture(), TheBook().Of(Side::Left).report[0].region_station));
}

TEST_F(PreviewTest, EmptyNumberIsReportedAndTheBookIsStillMade) {
  PreviewFile(Example("undivided.csv"), "", "C-4");
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"Please Enter Project Number and Control Number"});
  ASSERT_TRUE(ViewerLoaded());
  EXPECT_TRUE(PictureShows(Viewer().picture(), "Project No: "));

  messages.shown.clear();
  PreviewFile(Example("undivided.csv"), "P-1", "");
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"Please Enter Project Number and Control Number"});
  EXPECT_TRUE(PictureShows(Viewer().picture(), "Project No: P-1"));
}

TEST_F(PreviewTest, OnlyAPathHoldingDotCsvInAnyCaseIsPreviewed) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  struct Case {
    QString name;
    bool previewed;
  };
  const Case cases[] = {
      {"lower.csv", true},
      {"book.CSV.d/in-a-folder.txt", true},
      {"plain.txt", false},
      {"csv-without-dot", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    CloseViewer(form);
    modal_titles.clear();
    PreviewFile(CopyExample(dir, "undivided.csv", c.name));
    EXPECT_EQ(ViewerLoaded(), c.previewed);
    EXPECT_EQ(modal_titles.size(), c.previewed ? 1u : 0u);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST_F(PreviewTest, RejectedFileLeavesThePreviousBookAndPictureUntouched) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("undivided.csv"));
  Viewer().showNextPage();
  const std::vector<std::string> before = PictureTexts(Viewer().picture());
  const Book* book = document.book();
  const int32_t last_page = LastPage();
  const size_t stations = TheBook().Of(Side::Left).report.size();
  const std::vector<std::string> listed = Listed();
  modal_titles.clear();

  PreviewFile(WriteFile(dir, "rejected.csv", "\"CRITERIA REPORT,Run 1\r\nJob\r\nUNDIVIDED,1\r\n"));
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Invalid File Type check file format"});
  EXPECT_TRUE(modal_titles.empty());
  EXPECT_EQ(PictureTexts(Viewer().picture()), before);
  EXPECT_EQ(document.book(), book);
  EXPECT_EQ(LastPage(), last_page);
  EXPECT_EQ(TheBook().Of(Side::Left).report.size(), stations);
  EXPECT_EQ(TheBook().roadway, Roadway::Undivided);
  // The find window still lists the book on show.
  Viewer().openStationFinder(StationFinder::kStation);
  EXPECT_EQ(Child<QComboBox>(Viewer().stationWindow(), names::find_station::kList).count(),
            static_cast<int>(listed.size()));
  EXPECT_EQ(CurrentPage(), 1);
}

TEST_F(PreviewTest, CancelInTheFontWindowOnTheFirstPreviewStillOpensTheBook) {
  font_window_answer = [](PrinterFontDialog& window) {
    Press(window, names::printer_font::kCancel);
  };
  PreviewFile(Example("undivided.csv"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(printing.chosen().printer, "");
  EXPECT_EQ(printing.chosen().font, "");
  EXPECT_EQ(printers.CurrentPrinterName(), kPdfPrinterName);
  ASSERT_TRUE(ViewerLoaded());
  EXPECT_TRUE(PictureShows(Viewer().picture(), "Project No: P-17"));
  // The unselectable empty face falls back to Courier New.
  EXPECT_EQ(Viewer().picture().Runs().front().family,
            ResolveFontFamily("Courier New").value_or("?"));
}

TEST_F(PreviewTest, CancelInTheFontWindowKeepsTheEarlierChoiceForTheNextBook) {
  PreviewFile(Example("undivided.csv"));
  font_window_answer = [](PrinterFontDialog& window) {
    Press(window, names::printer_font::kCancel);
  };
  PreviewFile(Example("divided.csv"));
  EXPECT_EQ(TheBook().roadway, Roadway::Divided);
  EXPECT_EQ(printing.chosen().printer, "PDF file");
  EXPECT_EQ(printing.chosen().font, "Lucida Console");
  EXPECT_EQ(document.heading().report_font, "Lucida Console");
}

TEST_F(PreviewTest, EveryPreviewShowsTheStationCommandsOfItsRoadwayType) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  const std::string undivided_station = TheBook().Of(Side::Left).report[0].region_station;
  BookViewer* viewer = &Viewer();
  EXPECT_TRUE(ActionVisible(*viewer, names::viewer::kFindStation));
  EXPECT_FALSE(ActionVisible(*viewer, names::viewer::kFindLeftStation));
  EXPECT_FALSE(ActionVisible(*viewer, names::viewer::kFindRightStation));

  // The open viewer is reused and now offers the two sides.
  PreviewFile(Example("divided.csv"));
  EXPECT_EQ(&Viewer(), viewer);
  EXPECT_FALSE(ActionVisible(*viewer, names::viewer::kFindStation));
  EXPECT_TRUE(ActionVisible(*viewer, names::viewer::kFindLeftStation));
  EXPECT_TRUE(ActionVisible(*viewer, names::viewer::kFindRightStation));
  EXPECT_FALSE(PictureShows(viewer->picture(), undivided_station));

  PreviewFile(Example("undivided.csv"));
  EXPECT_TRUE(ActionVisible(*viewer, names::viewer::kFindStation));
  EXPECT_FALSE(ActionVisible(*viewer, names::viewer::kFindRightStation));
}

TEST_F(PreviewTest, EveryPreviewStartsTheStationListsAfresh) {
  PreviewFile(Example("undivided.csv"));
  const std::vector<std::string> first = Listed();
  ASSERT_FALSE(first.empty());
  PreviewFile(Example("divided.csv"));
  PreviewFile(Example("undivided.csv"));
  EXPECT_EQ(Listed(), first);
  // The find window's right-side list holds nothing of the divided book before.
  Viewer().openStationFinder(StationFinder::kStation);
  EXPECT_EQ(Child<QComboBox>(Viewer().stationWindow(), names::find_station::kList).count(),
            static_cast<int>(first.size()));
  EXPECT_EQ(Child<QComboBox>(Viewer().stationWindow(), names::find_station::kRightList).count(), 0);
}

TEST_F(PreviewTest, WrongSideRowEndsTheProgram) {
  using namespace import_test;
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::vector<std::string> lines = DividedHeader();
  for (const std::string& row :
       {SideRow("2389+00.00", "2389+00.00 R1", "LEFT", "CL", "-12", "1"),
        SideRow("2389+00.00", "2389+00.00 R1", "RIGHT", "LEFTDITCH", "-10", "1"), kTerminator,
        SideRow("2389+00.00", "2389+00.00 R1", "RIGHT", "CL", "12", "1"), kTerminator}) {
    lines.push_back(row);
  }
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  modal_titles.clear();

  PreviewFile(WriteFile(dir, "wrong-side.csv", Join(lines)));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].find("Program Exiting"), std::string::npos);
  EXPECT_EQ(program_ends, 1);
  EXPECT_TRUE(modal_titles.empty());
  EXPECT_FALSE(ViewerLoaded());
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace vantrels::gui_test
