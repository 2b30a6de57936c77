// The viewer's exports and the save dialog every output file starts from.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <memory>

#include "gui/output_files.h"
#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The offsets (second field) of a stake-out file's point lines.
std::vector<double> Offsets(const QByteArray& bytes) {
  std::vector<double> offsets;
  for (const QByteArray& line : bytes.split('\n')) {
    if (line.isEmpty() || line.startsWith('#') || line.startsWith(';') ||
        line.contains("TBC Excel")) {
      continue;
    }
    offsets.push_back(line.split(',').value(1).toDouble());
  }
  return offsets;
}

TEST(SuggestedOutputPath, StartsInTheLastFolderElseTheCriteriaFilesWithItsName) {
  const struct {
    OutputKind kind;
    std::optional<Side> side;
    QString last_folder;
    QString criteria;
    QString start;
  } cases[] = {
      {OutputKind::kPdf, {}, "", "/data/road 7/i74.csv", "/data/road 7/i74.pdf"},
      {OutputKind::kPdf, {}, "/out", "/data/i74.v2.csv", "/out/i74.v2.pdf"},
      {OutputKind::kSpreadsheet, {}, "", "/data/i74.csv", "/data/i74-book.csv"},
      {OutputKind::kTbcStakeout, Side::Right, "", "/data/i74.csv", "/data/i74-right-tbc.csv"},
      {OutputKind::kCivil3dStakeout, {}, "/out", "/data/ramp.xml", "/out/ramp-civil3d.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start.toStdString());
    EXPECT_EQ(SuggestedOutputPath(c.kind, c.side, c.last_folder, c.criteria), c.start);
  }
}

TEST(OutputFileDialog, AddsTheExtensionAndRemembersTheFolderOfTheFileChosen) {
  QTemporaryDir dir;
  RememberedChoices remembered;
  remembered.Open(std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat));
  OutputFileDialog dialog(remembered);
  std::vector<QString> starts;
  QString answer = "/elsewhere/book";
  dialog.ask = [&](const QString&, const QString& start, const QString&) {
    starts.push_back(start);
    return answer;
  };
  EXPECT_EQ(dialog.Ask(OutputKind::kPdf, {}, "/data/i74.csv"), "/elsewhere/book.pdf");
  answer.clear();
  EXPECT_EQ(dialog.Ask(OutputKind::kPdf, {}, "/data/i74.csv"), "");
  EXPECT_EQ(starts, (std::vector<QString>{"/data/i74.pdf", "/elsewhere/i74.pdf"}));
  EXPECT_EQ(remembered.OutputFolder(), "/elsewhere");
}

TEST(OutputFileDialog, AsksBeforeTheAddedExtensionReplacesAFile) {
  QTemporaryDir dir;
  RememberedChoices remembered;
  remembered.Open(std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat));
  QFile existing(dir.filePath("book.pdf"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  OutputFileDialog dialog(remembered);
  dialog.ask = [&](const QString&, const QString&, const QString&) { return dir.filePath("book"); };
  std::vector<QString> asked;
  bool replace = false;
  dialog.confirm_replace = [&](const QString&, const QString& file) {
    asked.push_back(file);
    return replace;
  };
  EXPECT_EQ(dialog.Ask(OutputKind::kPdf, {}, "/data/i74.csv"), "");
  replace = true;
  EXPECT_EQ(dialog.Ask(OutputKind::kPdf, {}, "/data/i74.csv"), dir.filePath("book.pdf"));
  EXPECT_EQ(asked, (std::vector<QString>{dir.filePath("book.pdf"), dir.filePath("book.pdf")}));
  // A new name is not asked about.
  dialog.ask = [&](const QString&, const QString&, const QString&) { return dir.filePath("new"); };
  EXPECT_EQ(dialog.Ask(OutputKind::kPdf, {}, "/data/i74.csv"), dir.filePath("new.pdf"));
  EXPECT_EQ(asked.size(), 2u);
}

class Exports : public GuiTest {
 protected:
  Exports() {
    printing.ask_export_file = [this](OutputKind, std::optional<Side> side) {
      asked_side = side;
      return answer;
    };
  }
  QString StatusLine() { return Viewer().statusNote(); }

  QTemporaryDir dir;
  QString answer;
  std::optional<Side> asked_side;
};

TEST_F(Exports, AStakeOutIsTheSideOnShowAndTheSpreadsheetTheWholeBook) {
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  const struct {
    OutputKind kind;
    Side shown;
    const char* said;
  } cases[] = {
      {OutputKind::kTbcStakeout, Side::Left, "Stake-out for TBC (left side, the side on show)"},
      {OutputKind::kCivil3dStakeout, Side::Right,
       "Stake-out for Civil 3D (right side, the side on show)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    document.GoTo({c.shown, 0});
    answer = dir.filePath(c.shown == Side::Left ? "left.csv" : "right.txt");
    Viewer().exportBook(c.kind);
    EXPECT_EQ(asked_side, c.shown);
    EXPECT_EQ(StatusLine(), QString(c.said) + " written to " + answer);
    const std::vector<double> offsets = Offsets(Contents(answer));
    ASSERT_FALSE(offsets.empty());
    for (double offset : offsets) EXPECT_EQ(offset < 0, c.shown == Side::Left) << offset;
  }
  answer = dir.filePath("book.csv");
  Viewer().exportBook(OutputKind::kSpreadsheet);
  EXPECT_EQ(asked_side, std::nullopt);
  EXPECT_EQ(StatusLine(), "Spreadsheet of the whole book written to " + answer);
  const QByteArray sheet = Contents(answer);
  EXPECT_TRUE(sheet.contains("\nLeft,2389+00.00,") && sheet.contains("\nRight,2389+00.00,"));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Exports, TheCriteriaFileIsNeverWrittenOverAndCancelWritesNothing) {
  ASSERT_TRUE(dir.isValid());
  const QString criteria = dir.filePath("road.csv");
  ASSERT_TRUE(QFile::copy(Example("undivided.csv"), criteria));
  PreviewFile(criteria);
  ASSERT_TRUE(ViewerLoaded());
  const QByteArray before = Contents(criteria);
  answer = criteria;
  Viewer().exportBook(OutputKind::kSpreadsheet);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Cannot write " + criteria.toStdString() +
                                                     ": it is the criteria file being read"});
  EXPECT_EQ(Contents(criteria), before);
  messages.shown.clear();
  answer.clear();
  Viewer().exportBook(OutputKind::kTbcStakeout);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"road.csv"});
}

}  // namespace
}  // namespace vantrels::gui_test
