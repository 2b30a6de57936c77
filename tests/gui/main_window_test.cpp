#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "gui/frm_about.h"
#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

using MainWindowTest = GuiTest;

TEST_F(MainWindowTest, TheProgramStartsWithoutABookOnItsFirstPage) {
  EXPECT_EQ(ctx.book(), nullptr);
  EXPECT_EQ(ctx.navigator.Position(), (BookPosition{Side::Left, 0}));
  EXPECT_EQ(ctx.state.input_file, "");
  EXPECT_EQ(form.findChild<QLabel*>("Label4")->text(), "#");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(form.Combo1[i]->currentText(), "From Last Point");
    EXPECT_FALSE(form.Text2[i]->isEnabled());
    EXPECT_FALSE(form.Label6[i]->isEnabled());
    EXPECT_FALSE(form.Combo1[i]->isEnabled());
  }
}

TEST_F(MainWindowTest, CheckAllPointsTicksAndGreysThePointTypesAndUntickingFreesThem) {
  auto* all = form.findChild<QCheckBox*>("Check1_4");
  ASSERT_NE(all, nullptr);
  form.Check1[1]->setChecked(true);
  QTest::mouseClick(all, Qt::LeftButton);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(form.Check1[i]->isChecked()) << i;
    EXPECT_FALSE(form.Check1[i]->isEnabled()) << i;
  }
  QTest::mouseClick(all, Qt::LeftButton);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(form.Check1[i]->isChecked()) << i;
    EXPECT_TRUE(form.Check1[i]->isEnabled()) << i;
  }
  // A point-type box only ticks itself.
  form.Check1[2]->setChecked(true);
  EXPECT_FALSE(form.Check1[0]->isChecked());
  EXPECT_FALSE(all->isChecked());
}

TEST_F(MainWindowTest, OffsetOptionEnablesItsOwnRowAndUntickingKeepsTheTexts) {
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    form.Check2[i]->setChecked(true);
    EXPECT_TRUE(form.Text2[i]->isEnabled());
    EXPECT_TRUE(form.Label6[i]->isEnabled());
    EXPECT_TRUE(form.Combo1[i]->isEnabled());
    EXPECT_FALSE(form.Text2[1 - i]->isEnabled());
    form.Text2[i]->setText("2.5");
    form.Combo1[i]->setCurrentIndex(1);
    form.Check2[i]->setChecked(false);
    EXPECT_FALSE(form.Text2[i]->isEnabled());
    EXPECT_FALSE(form.Combo1[i]->isEnabled());
    EXPECT_EQ(form.Text2[i]->text(), "2.5");
    EXPECT_EQ(form.Combo1[i]->currentText(), "From Center Line");
  }
}

TEST_F(MainWindowTest, EnterInTheNumberBoxesLeadsToFileBrowse) {
  form.show();
  form.Text1[0]->setFocus();
  QTest::keyClicks(form.Text1[0], "74");
  EXPECT_EQ(form.focusWidget(), form.Text1[0]);
  QTest::keyClick(form.Text1[0], Qt::Key_Return);
  EXPECT_EQ(form.focusWidget(), form.Text1[1]);
  QTest::keyClicks(form.Text1[1], "9");
  QTest::keyClick(form.Text1[1], Qt::Key_Enter);
  EXPECT_EQ(form.focusWidget(), form.Command1);
  EXPECT_EQ(form.Text1[0]->text(), "74");
  EXPECT_EQ(form.Text1[1]->text(), "9");
}

TEST_F(MainWindowTest, FileBrowseTakesTheChosenFileAndACancelKeepsThePreviousOne) {
  std::vector<QString> filters, previous;
  QString answer = "/data/one.csv";
  form.ask_open_file = [&](const QString& filter, const QString& before) {
    filters.push_back(filter);
    previous.push_back(before);
    return answer;
  };
  form.Command1->click();
  EXPECT_EQ(ctx.state.input_file, "/data/one.csv");
  EXPECT_EQ(form.Label4->text(), "/data/one.csv");
  answer.clear();
  form.Command1->click();
  EXPECT_EQ(ctx.state.input_file, "/data/one.csv");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0], "Geopak Criteria CSV Files (*.csv)");
  EXPECT_EQ(previous[0], "");
  EXPECT_EQ(previous[1], "/data/one.csv");
}

TEST_F(MainWindowTest, CancelOnFirstFileBrowseEmptiesThePathAndPreviewDoesNothing) {
  ctx.state.input_file = "left over";
  PreviewFile(QString());
  EXPECT_EQ(ctx.state.input_file, "");
  EXPECT_EQ(form.Label4->text(), "");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(modal_titles.empty());
  EXPECT_FALSE(ctx.ViewerLoaded());
}

TEST_F(MainWindowTest, CloseAndTheFrameEndTheProgramAndCloseTheViewer) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ctx.ViewerLoaded());
  form.Command4->click();
  EXPECT_EQ(program_ends, 1);
  EXPECT_FALSE(ctx.ViewerLoaded());
  EXPECT_FALSE(form.isVisible());

  // The frame of a second main window.
  RecordingMessages other_messages;
  AppContext other(other_messages, printers, fonts);
  Form2 second(other);
  int ends = 0;
  second.end_program = [&] { ++ends; };
  second.show();
  second.close();
  EXPECT_EQ(ends, 1);
}

TEST_F(MainWindowTest, AboutShowsItsMessageThenTheAboutWindow) {
  form.Command2->click();
  EXPECT_EQ(messages.shown, std::vector<std::string>{"About Box should go here"});
  EXPECT_EQ(modal_titles, std::vector<std::string>{"About Quorvel Program"});
}

TEST_F(MainWindowTest, SystemInfoStartsAnInstalledProgramOrSaysItIsUnavailable) {
  frmAbout about(messages);
  EXPECT_EQ(about.lblTitle->text(), "    PRINT VANTRELS BOOK ");
  EXPECT_EQ(about.lblVersion->text(), "  May 7th 2003");
  EXPECT_EQ(about.cmdSysInfo->text(), "&System Info...");

  std::vector<QString> started;
  about.start_program = [&](const QString& path, const QStringList&) {
    started.push_back(path);
    return true;
  };
  about.system_info_programs = {{"vantrels-no-such-program", {}}};
  about.cmdSysInfo->click();
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"System Information Is Unavailable At This Time"});
  EXPECT_TRUE(started.empty());

  messages.shown.clear();
  about.system_info_programs = {{"vantrels-no-such-program", {}}, {"sh", {}}};
  about.cmdSysInfo->click();
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(started[0].endsWith("/sh"));

  about.start_program = [](const QString&, const QStringList&) { return false; };
  about.cmdSysInfo->click();
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"System Information Is Unavailable At This Time"});
}

}  // namespace
}  // namespace vantrels::gui_test
