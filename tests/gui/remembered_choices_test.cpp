#include "gui/remembered_choices.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

// Settings in a temporary file, never the user's.
class RememberedTest : public GuiTest {
 protected:
  RememberedTest() { remembered.Open(Settings()); }
  // The settings are written back when closed: before their folder goes, not after.
  ~RememberedTest() override { remembered.Open(nullptr); }

  std::unique_ptr<QSettings> Settings() const {
    return std::make_unique<QSettings>(dir.filePath("vantrels.conf"), QSettings::IniFormat);
  }

  QTemporaryDir dir;
};

TEST(RememberedChoices, WithoutSettingsNothingIsKept) {
  RememberedChoices remembered;
  remembered.SetProjectNumber("P-1");
  remembered.SetBrowseFolder("/data");
  remembered.SetPrinter({"PDF file", "Courier New"});
  EXPECT_EQ(remembered.ProjectNumber(), "");
  EXPECT_EQ(remembered.BrowseFolder(), "");
  EXPECT_EQ(remembered.Printer(), std::nullopt);
}

TEST_F(RememberedTest, EveryChoiceComesBackInTheNextRun) {
  ASSERT_TRUE(dir.isValid());
  remembered.SetProjectNumber("P-17 \u00e4");
  remembered.SetBrowseFolder("/data/road work");
  // Printer and font names are Windows-1252 bytes.
  remembered.SetPrinter({"B\xfcro Laser", "Lucida Console"});
  remembered.Open(nullptr);

  RememberedChoices next_run;
  next_run.Open(Settings());
  EXPECT_EQ(next_run.ProjectNumber(), "P-17 \u00e4");
  EXPECT_EQ(next_run.BrowseFolder(), "/data/road work");
  const std::optional<PrinterChoice> printer = next_run.Printer();
  ASSERT_TRUE(printer.has_value());
  EXPECT_EQ(printer->printer, "B\xfcro Laser");
  EXPECT_EQ(printer->font, "Lucida Console");
}

TEST_F(RememberedTest, APreviewKeepsTheFolderPrinterFontAndProjectForTheNextWindow) {
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("undivided.csv"), "P-17");
  ASSERT_TRUE(document.book());
  EXPECT_EQ(remembered.BrowseFolder(), QFileInfo(Example("undivided.csv")).absolutePath());
  EXPECT_EQ(remembered.ProjectNumber(), "P-17");
  ASSERT_TRUE(remembered.Printer().has_value());
  EXPECT_EQ(remembered.Printer()->printer, "PDF file");
  EXPECT_EQ(remembered.Printer()->font, "Lucida Console");

  // The main window of the next run starts with them.
  MainWindow next(document, printing, fonts, remembered, messages);
  EXPECT_EQ(Child<QLineEdit>(next, names::main_window::kProjectNumber).text(), "P-17");
  QString asked_from;
  next.ask_open_file = [&](const QString&, const QString& previous) {
    asked_from = previous;
    return QString();
  };
  next.browseForFile();
  EXPECT_EQ(asked_from, remembered.BrowseFolder());
  // A cancelled File Browse keeps the folder.
  EXPECT_EQ(remembered.BrowseFolder(), QFileInfo(Example("undivided.csv")).absolutePath());
}

TEST_F(RememberedTest, TheFontWindowShowsTheKeptPrinterAndFont) {
  remembered.SetPrinter({"PDF file", "Courier New"});
  QString shown_font;
  font_window_answer = [&](PrinterFontDialog& window) {
    shown_font = Child<QComboBox>(window, names::printer_font::kFontList).currentText();
    Press(window, names::printer_font::kPreview);
  };
  PreviewFile(Example("undivided.csv"));
  EXPECT_EQ(shown_font, "Courier New");
  EXPECT_EQ(printing.chosen().font, "Courier New");

  // A kept font no longer installed leaves the usual preselection.
  remembered.SetPrinter({"PDF file", "MS LineDraw"});
  PreviewFile(Example("undivided.csv"));
  EXPECT_EQ(shown_font, "Lucida Console");
}

bool Drop(QWidget& window, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  return drop.isAccepted();
}

TEST_F(RememberedTest, ADroppedCriteriaFileIsTakenAsFileBrowseTakesIt) {
  const QString file = QFileInfo(Example("divided.csv")).absoluteFilePath();
  QLabel& name = MainWindowChild<QLabel>(names::main_window::kFileName);
  struct Case {
    const char* what;
    QList<QUrl> urls;
  };
  const Case refused[] = {
      {"not a CSV file", {QUrl::fromLocalFile(Example("README.md"))}},
      {"two files", {QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)}},
      {"not a local file", {QUrl("https://example.com/road.csv")}},
  };
  for (const Case& c : refused) {
    EXPECT_FALSE(Drop(form, c.urls)) << c.what;
    EXPECT_EQ(form.inputFile(), "") << c.what;
  }
  EXPECT_TRUE(Drop(form, {QUrl::fromLocalFile(file)}));
  EXPECT_EQ(form.dialogFileName(), file);
  EXPECT_EQ(form.inputFile(), QFile::encodeName(file).toStdString());
  EXPECT_EQ(name.text(), file);

  // Preview reads the dropped file.
  MainWindowChild<QLineEdit>(names::main_window::kProjectNumber).setText("P-1");
  MainWindowChild<QLineEdit>(names::main_window::kControlNumber).setText("C-1");
  Press(form, names::main_window::kPreview);
  ASSERT_TRUE(document.book());
  EXPECT_TRUE(TheBook().Divided());
  // A LandXML file is taken too.
  EXPECT_TRUE(Drop(form, {QUrl::fromLocalFile("/data/ROAD.XML")}));
  EXPECT_EQ(form.inputFile(), "/data/ROAD.XML");
}

}  // namespace
}  // namespace vantrels::gui_test
