#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "gui/about_dialog.h"
#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

namespace mw = names::main_window;

class MainWindowTest : public GuiTest {
 protected:
  QCheckBox& PointType(int i) { return MainWindowChild<QCheckBox>(mw::kPointType[i]); }
  QCheckBox& OffsetOption(int i) { return MainWindowChild<QCheckBox>(mw::kOffsetOption[i]); }
  QLineEdit& OffsetDistance(int i) { return MainWindowChild<QLineEdit>(mw::kOffsetDistance[i]); }
  QLabel& OffsetFrom(int i) { return MainWindowChild<QLabel>(mw::kOffsetFromCaption[i]); }
  QComboBox& OffsetReference(int i) { return MainWindowChild<QComboBox>(mw::kOffsetReference[i]); }
  QLineEdit& Number(int i) {
    return MainWindowChild<QLineEdit>(i == 0 ? mw::kProjectNumber : mw::kControlNumber);
  }
  QLabel& FileName() { return MainWindowChild<QLabel>(mw::kFileName); }
};

TEST_F(MainWindowTest, TheProgramStartsWithoutABookOnItsFirstPage) {
  EXPECT_EQ(document.book(), nullptr);
  EXPECT_EQ(document.place(), (BookPosition{Side::Left, 0}));
  EXPECT_EQ(form.inputFile(), "");
  EXPECT_EQ(FileName().text(), "#");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(OffsetReference(i).currentText(), "From Last Point");
    EXPECT_FALSE(OffsetDistance(i).isEnabled());
    EXPECT_FALSE(OffsetFrom(i).isEnabled());
    EXPECT_FALSE(OffsetReference(i).isEnabled());
  }
}

TEST_F(MainWindowTest, CheckAllPointsTicksAndGreysThePointTypesAndUntickingFreesThem) {
  auto* all = &MainWindowChild<QCheckBox>(mw::kCheckAllPoints);
  PointType(1).setChecked(true);
  QTest::mouseClick(all, Qt::LeftButton);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(PointType(i).isChecked()) << i;
    EXPECT_FALSE(PointType(i).isEnabled()) << i;
  }
  QTest::mouseClick(all, Qt::LeftButton);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(PointType(i).isChecked()) << i;
    EXPECT_TRUE(PointType(i).isEnabled()) << i;
  }
  // A point-type box only ticks itself.
  PointType(2).setChecked(true);
  EXPECT_FALSE(PointType(0).isChecked());
  EXPECT_FALSE(all->isChecked());
}

TEST_F(MainWindowTest, OffsetOptionEnablesItsOwnRowAndUntickingKeepsTheTexts) {
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    OffsetOption(i).setChecked(true);
    EXPECT_TRUE(OffsetDistance(i).isEnabled());
    EXPECT_TRUE(OffsetFrom(i).isEnabled());
    EXPECT_TRUE(OffsetReference(i).isEnabled());
    EXPECT_FALSE(OffsetDistance(1 - i).isEnabled());
    OffsetDistance(i).setText("2.5");
    OffsetReference(i).setCurrentIndex(1);
    OffsetOption(i).setChecked(false);
    EXPECT_FALSE(OffsetDistance(i).isEnabled());
    EXPECT_FALSE(OffsetReference(i).isEnabled());
    EXPECT_EQ(OffsetDistance(i).text(), "2.5");
    EXPECT_EQ(OffsetReference(i).currentText(), "From Center Line");
  }
}

TEST_F(MainWindowTest, EnterInTheNumberBoxesLeadsToFileBrowse) {
  form.show();
  Number(0).setFocus();
  QTest::keyClicks(&Number(0), "74");
  EXPECT_EQ(form.focusWidget(), &Number(0));
  QTest::keyClick(&Number(0), Qt::Key_Return);
  EXPECT_EQ(form.focusWidget(), &Number(1));
  QTest::keyClicks(&Number(1), "9");
  QTest::keyClick(&Number(1), Qt::Key_Enter);
  EXPECT_EQ(form.focusWidget(), &MainWindowChild<QPushButton>(mw::kFileBrowse));
  EXPECT_EQ(Number(0).text(), "74");
  EXPECT_EQ(Number(1).text(), "9");
}

TEST_F(MainWindowTest, FileBrowseTakesTheChosenFileAndACancelKeepsThePreviousOne) {
  std::vector<QString> filters, previous;
  QString answer = "/data/one.csv";
  form.ask_open_file = [&](const QString& filter, const QString& before) {
    filters.push_back(filter);
    previous.push_back(before);
    return answer;
  };
  Press(form, mw::kFileBrowse);
  EXPECT_EQ(form.inputFile(), "/data/one.csv");
  EXPECT_EQ(FileName().text(), "/data/one.csv");
  answer.clear();
  Press(form, mw::kFileBrowse);
  EXPECT_EQ(form.inputFile(), "/data/one.csv");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0], "Geopak Criteria CSV Files (*.csv);;LandXML Cross Sections (*.xml)");
  EXPECT_EQ(previous[0], "");
  EXPECT_EQ(previous[1], "/data/one.csv");
}

TEST_F(MainWindowTest, ALongPathIsElidedInTheMiddleAndWholeInTheToolTip) {
  form.show();
  QApplication::processEvents();
  const int width = form.width();
  const QString long_path = "/data/" + QString("very long folder/").repeated(20) + "i74.csv";
  for (const QString& path : {QString("/data/i74.csv"), long_path}) {
    SCOPED_TRACE(path.toStdString());
    form.chooseFile(path);
    const QString shown = FileName().text();
    EXPECT_EQ(FileName().toolTip(), path);
    EXPECT_EQ(form.inputFile(), path.toStdString());
    EXPECT_EQ(form.width(), width);
    if (path == long_path) {
      EXPECT_LT(shown.size(), path.size());
      EXPECT_TRUE(shown.startsWith("/data/") && shown.endsWith("/i74.csv") &&
                  shown.contains(QChar(0x2026)))
          << shown.toStdString();
    } else {
      EXPECT_EQ(shown, path);
    }
  }
  // A wider window shows more of the path.
  const int shown_before = FileName().text().size();
  form.resize(form.width() * 2, form.height());
  QApplication::processEvents();
  EXPECT_GT(FileName().text().size(), shown_before);
}

TEST_F(MainWindowTest, CancelOnFirstFileBrowseEmptiesThePathAndPreviewDoesNothing) {
  PreviewFile(QString());
  EXPECT_EQ(form.inputFile(), "");
  EXPECT_EQ(FileName().text(), "");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(modal_titles.empty());
  EXPECT_FALSE(ViewerLoaded());
}

TEST_F(MainWindowTest, CloseAndTheFrameEndTheProgramAndCloseTheViewer) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  Press(form, mw::kClose);
  EXPECT_EQ(program_ends, 1);
  EXPECT_FALSE(ViewerLoaded());
  EXPECT_FALSE(form.isVisible());

  // The frame of a second main window.
  RecordingMessages other_messages;
  BookDocument other_document;
  PrintController other_printing(printers, other_messages);
  MainWindow second(other_document, other_printing, fonts, remembered, other_messages);
  int ends = 0;
  second.end_program = [&] { ++ends; };
  second.show();
  second.close();
  EXPECT_EQ(ends, 1);
}

TEST_F(MainWindowTest, AboutShowsItsMessageThenTheAboutWindow) {
  Press(form, mw::kAbout);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"About Box should go here"});
  EXPECT_EQ(modal_titles, std::vector<std::string>{"About Quorvel Program"});
}

TEST_F(MainWindowTest, SystemInfoStartsAnInstalledProgramOrSaysItIsUnavailable) {
  AboutDialog about(messages);
  QPushButton& system_info = Child<QPushButton>(about, names::about::kSystemInfo);
  EXPECT_EQ(Child<QLabel>(about, names::about::kTitle).text(), "    PRINT VANTRELS BOOK ");
  EXPECT_EQ(Child<QLabel>(about, names::about::kVersionDate).text(), "  May 7th 2003");
  EXPECT_EQ(system_info.text(), "&System Info...");

  std::vector<QString> started;
  about.start_program = [&](const QString& path, const QStringList&) {
    started.push_back(path);
    return true;
  };
  about.system_info_programs = {{"vantrels-no-such-program", {}}};
  system_info.click();
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"System Information Is Unavailable At This Time"});
  EXPECT_TRUE(started.empty());

  messages.shown.clear();
  about.system_info_programs = {{"vantrels-no-such-program", {}}, {"sh", {}}};
  system_info.click();
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(started[0].endsWith("/sh"));

  about.start_program = [](const QString&, const QStringList&) { return false; };
  system_info.click();
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"System Information Is Unavailable At This Time"});
}

}  // namespace
}  // namespace vantrels::gui_test
