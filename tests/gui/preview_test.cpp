#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "gui/go_to_station.h"
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

bool ActionVisible(frmPrint& viewer, const char* name) {
  auto* action = viewer.findChild<QAction*>(name);
  EXPECT_NE(action, nullptr) << name;
  return action != nullptr && action->isVisible();
}

TEST_F(PreviewTest, UndividedFileOpensTheViewerOnItsFirstPage) {
  PreviewFile(Example("undivided.csv"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(modal_titles, std::vector<std::string>{"Select Font and a Printer"});
  ASSERT_TRUE(ctx.ViewerLoaded());
  frmPrint& viewer = Viewer();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_EQ(viewer.windowTitle(), "Display Report");

  EXPECT_EQ(ctx.state.project_number, "P-17");
  EXPECT_EQ(ctx.state.printer_name, "PDF file");
  // The second report face the font list meets.
  EXPECT_EQ(ctx.state.report_font, "Lucida Console");
  EXPECT_EQ(TheBook().roadway, Roadway::Undivided);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_GT(LastPage(), 0);
  // A Letter page with quarter-inch margins.
  EXPECT_DOUBLE_EQ(TheBook().page.columns, 96);
  EXPECT_DOUBLE_EQ(TheBook().page.lines, 63);
  EXPECT_FALSE(Listed().empty());
  EXPECT_TRUE(PictureShows(viewer.Picture(), "Project No: P-17"));
  EXPECT_TRUE(PictureShows(viewer.Picture(), "Date: 01 02 2024"));
  EXPECT_TRUE(PictureShows(viewer.Picture(), "Page No.:1 of " + std::to_string(LastPage() + 1)));
  EXPECT_TRUE(PictureShows(viewer.Picture(), TheBook().Of(Side::Left).report[0].region_station));
}

TEST_F(PreviewTest, DividedFileOpensOnTheLeftSideAfterCountingTheRight) {
  PreviewFile(Example("divided.csv"));
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_TRUE(ctx.ViewerLoaded());
  EXPECT_EQ(CurrentSide(), Side::Left);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_FALSE(Listed(Side::Right).empty());
  EXPECT_TRUE(PictureShows(Viewer().Picture(),
                           "(Left)Page No.:1 of " + std::to_string(LastPage(Side::Left) + 1)));
  EXPECT_TRUE(PictureShows(Viewer().Picture(), TheBook().Of(Side::Left).report[0].region_station));
}

TEST_F(PreviewTest, EmptyNumberIsReportedAndTheBookIsStillMade) {
  PreviewFile(Example("undivided.csv"), "", "C-4");
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"Please Enter Project Number and Control Number"});
  ASSERT_TRUE(ctx.ViewerLoaded());
  EXPECT_TRUE(PictureShows(Viewer().Picture(), "Project No: "));

  messages.shown.clear();
  PreviewFile(Example("undivided.csv"), "P-1", "");
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"Please Enter Project Number and Control Number"});
  EXPECT_TRUE(PictureShows(Viewer().Picture(), "Project No: P-1"));
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
    ctx.UnloadAll();
    modal_titles.clear();
    PreviewFile(CopyExample(dir, "undivided.csv", c.name));
    EXPECT_EQ(ctx.ViewerLoaded(), c.previewed);
    EXPECT_EQ(modal_titles.size(), c.previewed ? 1u : 0u);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST_F(PreviewTest, RejectedFileLeavesThePreviousBookAndPictureUntouched) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("undivided.csv"));
  Viewer().viewForward_Click();
  const std::vector<std::string> before = PictureTexts(Viewer().Picture());
  const Book* book = ctx.book();
  const int32_t last_page = LastPage();
  const size_t stations = TheBook().Of(Side::Left).report.size();
  const std::vector<std::string> listed = Listed();
  modal_titles.clear();

  PreviewFile(WriteFile(dir, "rejected.csv", "\"CRITERIA REPORT,Run 1\r\nJob\r\nUNDIVIDED,1\r\n"));
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Invalid File Type check file format"});
  EXPECT_TRUE(modal_titles.empty());
  EXPECT_EQ(PictureTexts(Viewer().Picture()), before);
  EXPECT_EQ(ctx.book(), book);
  EXPECT_EQ(LastPage(), last_page);
  EXPECT_EQ(TheBook().Of(Side::Left).report.size(), stations);
  EXPECT_EQ(TheBook().roadway, Roadway::Undivided);
  // The find window still lists the book on show.
  mnuGoToStation_Click(ctx);
  EXPECT_EQ(ctx.StationWindow().Combo1->count(), static_cast<int>(listed.size()));
  EXPECT_EQ(CurrentPage(), 1);
}

TEST_F(PreviewTest, CancelInTheFontWindowOnTheFirstPreviewStillOpensTheBook) {
  font_window_answer = [](frmSystem& window) { window.cmdCancel->click(); };
  PreviewFile(Example("undivided.csv"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ctx.state.printer_name, "");
  EXPECT_EQ(ctx.state.report_font, "");
  EXPECT_EQ(printers.CurrentPrinterName(), kPdfPrinterName);
  ASSERT_TRUE(ctx.ViewerLoaded());
  EXPECT_TRUE(PictureShows(Viewer().Picture(), "Project No: P-17"));
  // The unselectable empty face falls back to Courier New.
  EXPECT_EQ(Viewer().Picture().Runs().front().family,
            ResolveFontFamily("Courier New").value_or("?"));
}

TEST_F(PreviewTest, EveryPreviewShowsTheStationCommandsOfItsRoadwayType) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ctx.ViewerLoaded());
  const std::string undivided_station = TheBook().Of(Side::Left).report[0].region_station;
  frmPrint* viewer = &Viewer();
  EXPECT_TRUE(ActionVisible(*viewer, "mnuGoToStation"));
  EXPECT_FALSE(ActionVisible(*viewer, "mnuStationLeft"));
  EXPECT_FALSE(ActionVisible(*viewer, "mnuStationRight"));

  // The open viewer is reused and now offers the two sides.
  PreviewFile(Example("divided.csv"));
  EXPECT_EQ(&Viewer(), viewer);
  EXPECT_FALSE(ActionVisible(*viewer, "mnuGoToStation"));
  EXPECT_TRUE(ActionVisible(*viewer, "mnuStationLeft"));
  EXPECT_TRUE(ActionVisible(*viewer, "mnuStationRight"));
  EXPECT_FALSE(PictureShows(viewer->Picture(), undivided_station));

  PreviewFile(Example("undivided.csv"));
  EXPECT_TRUE(ActionVisible(*viewer, "mnuGoToStation"));
  EXPECT_FALSE(ActionVisible(*viewer, "mnuStationRight"));
}

TEST_F(PreviewTest, EveryPreviewStartsTheStationListsAfresh) {
  PreviewFile(Example("undivided.csv"));
  const std::vector<std::string> first = Listed();
  ASSERT_FALSE(first.empty());
  PreviewFile(Example("divided.csv"));
  PreviewFile(Example("undivided.csv"));
  EXPECT_EQ(Listed(), first);
  // The find window's right-side list holds nothing of the divided book before.
  mnuGoToStation_Click(ctx);
  EXPECT_EQ(ctx.StationWindow().Combo1->count(), static_cast<int>(first.size()));
  EXPECT_EQ(ctx.StationWindow().Combo2->count(), 0);
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
  ASSERT_TRUE(ctx.ViewerLoaded());
  modal_titles.clear();

  PreviewFile(WriteFile(dir, "wrong-side.csv", Join(lines)));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].find("Program Exiting"), std::string::npos);
  EXPECT_EQ(program_ends, 1);
  EXPECT_TRUE(modal_titles.empty());
  EXPECT_FALSE(ctx.ViewerLoaded());
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace vantrels::gui_test
