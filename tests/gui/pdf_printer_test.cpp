// The desktop program's "PDF file" printer: the file is written whole with the station
// bookmarks, title and creator, or not at all.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "gui/print_range_dialog.h"
#include "gui_fixture.h"
#include "layout/page.h"
#include "model/inherited_messages.h"
#include "model/text.h"
#include "render/pdf_read_back.h"
#include "render/printer_surface.h"

namespace vantrels::gui_test {
namespace {

using Mark = PdfBookmark;

PdfBook ReadPdf(const QString& path) {
  return ReadPdfBook(QFile::encodeName(path).toStdString());
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PdfPrinter : public GuiTest {
 protected:
  PdfPrinter() {
    printing.ask_pdf_file = [this] {
      ++asked;
      return answer;
    };
  }

  // The Go To list of `side` as bookmarks: each station once, at the first page it is on within
  // pages `from` to `to` (zero-based), counted from `first_pdf_page`.
  std::vector<Mark> ListedMarks(Side side, int32_t from, int32_t to, int first_pdf_page) const {
    std::vector<Mark> marks;
    std::set<std::string> seen;
    for (const StationEntry& entry : TheBook().Of(side).station_entries) {
      if (entry.page < from || entry.page > to) continue;
      const std::string title(TrimBlanks(entry.station));
      if (!seen.insert(title).second) continue;
      marks.push_back({title, first_pdf_page + entry.page - from, {}});
    }
    return marks;
  }

  QTemporaryDir dir;
  QString answer;
  int asked = 0;
};

TEST_F(PdfPrinter, PrintAllWritesTheWholeBookWithSideAndStationBookmarksTitleAndCreator) {
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  answer = dir.filePath("divided book.pdf");
  Viewer().printAll();
  ASSERT_EQ(messages.shown, std::vector<std::string>{"Pages have been sent to PDF file \"" +
                                                     answer.toStdString() + "\" printer."});

  const int32_t left = LastPage(Side::Left);
  const int32_t right = LastPage(Side::Right);
  const PdfBook pdf = ReadPdf(answer);
  EXPECT_EQ(pdf.pages, static_cast<size_t>(left + right + 2));
  EXPECT_EQ(pdf.title, "divided.csv, Project No: P-17");
  EXPECT_NE(pdf.creator.find("vantrels"), std::string::npos) << pdf.creator;
  const std::vector<Mark> expected = {
      {"Left side", 0, ListedMarks(Side::Left, 0, left, 0)},
      {"Right side", left + 1, ListedMarks(Side::Right, 0, right, left + 1)},
  };
  EXPECT_EQ(pdf.outline, expected);
  // Nothing but the book is left in the folder.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"divided book.pdf"});
}

TEST_F(PdfPrinter, SelectedPagesCarryTheBookmarksOfTheirStationsOnly) {
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("undivided.csv"), "");
  answer = dir.filePath("pages.pdf");
  ASSERT_TRUE(printing.PrintRange(document, PageSpan{Side::Left, 2, 4}));
  const PdfBook pdf = ReadPdf(answer);
  EXPECT_EQ(pdf.pages, 3u);
  // Without a project number the title is the file's name.
  EXPECT_EQ(pdf.title, "undivided.csv");
  const std::vector<Mark> expected = ListedMarks(Side::Left, 2, 4, 0);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(pdf.outline, expected);
}

TEST_F(PdfPrinter, AFileThatCannotBeWrittenIsOneMessageAndLeavesAnyFileThereUntouched) {
  ASSERT_TRUE(dir.isValid());
  const QString criteria = dir.filePath("road.csv");
  ASSERT_TRUE(QFile::copy(Example("undivided.csv"), criteria));
  const QByteArray criteria_bytes = Contents(criteria);
  PreviewFile(criteria);
  ASSERT_TRUE(document.book());

  const QString locked = dir.filePath("locked");
  ASSERT_TRUE(QDir().mkpath(locked));
  const QString kept = locked + "/book.pdf";
  QFile old(kept);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("the old book");
  old.close();
  ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
  const bool root = ::geteuid() == 0;
  ASSERT_TRUE(QDir().mkpath(dir.filePath("a folder.pdf")));

  const struct {
    QString target;
    std::string reason;
  } cases[] = {
      {dir.filePath("no such folder/book.pdf"), "No such file or directory"},
      {kept, root ? "" : "Permission denied"},
      {dir.filePath("a folder.pdf"), ""},
      {criteria, "it is the criteria file being read"},
  };
  for (const auto& c : cases) {
    if (c.target == kept && root) continue;  // root writes into a read-only folder
    SCOPED_TRACE(c.target.toStdString());
    messages.shown.clear();
    answer = c.target;
    Viewer().printAll();
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string prefix = "Program Error : cannot write " + c.target.toStdString() + ": ";
    const std::string suffix = " occured in viewPrint_click";
    const std::string& shown = messages.shown[0];
    EXPECT_TRUE(shown.starts_with(prefix)) << shown;
    EXPECT_TRUE(shown.ends_with(suffix)) << shown;
    if (!c.reason.empty()) {
      EXPECT_EQ(shown, prefix + c.reason + suffix);
    }
    EXPECT_GT(shown.size(), prefix.size() + suffix.size()) << "no reason given";
  }
  EXPECT_EQ(Contents(kept), "the old book");
  EXPECT_EQ(Contents(criteria), criteria_bytes);
  EXPECT_TRUE(QFileInfo(dir.filePath("a folder.pdf")).isDir());
  QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{"book.pdf"});
}

TEST_F(PdfPrinter, AnExistingFileIsReplacedByTheWholeBook) {
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("undivided.csv"));
  answer = dir.filePath("book.pdf");
  QFile old(answer);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("the old book");
  old.close();
  Viewer().printAll();
  EXPECT_EQ(ReadPdf(answer).pages, static_cast<size_t>(LastPage() + 1));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"book.pdf"});
}

TEST_F(PdfPrinter, ACancelledPdfLeavesTheOldFileWholeAndGoingOnWritesEveryPage) {
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("divided.csv"));
  answer = dir.filePath("book.pdf");
  QFile old(answer);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("the old book");
  old.close();
  const int pages = LastPage(Side::Left) + LastPage(Side::Right) + 2;
  std::vector<std::pair<int, int>> told;
  for (const int cancel_after : {1, pages - 1, 0}) {
    SCOPED_TRACE(cancel_after);
    told.clear();
    messages.shown.clear();
    printing.page_progress = [&](int done, int total) {
      told.emplace_back(done, total);
      return done != cancel_after;
    };
    Viewer().printAll();
    const int drawn = cancel_after == 0 ? pages : cancel_after;
    ASSERT_EQ(told.size(), static_cast<size_t>(drawn));
    EXPECT_EQ(told.back(), std::make_pair(drawn, pages));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"book.pdf"});
    if (cancel_after != 0) {
      EXPECT_TRUE(messages.shown.empty());
      EXPECT_EQ(Contents(answer), "the old book");
    }
  }
  EXPECT_EQ(ReadPdf(answer).pages, static_cast<size_t>(pages));
}

TEST_F(PdfPrinter, ThePdfEntryLaysTheBookOutOnItsPaperNeverOnASystemPrinter) {
  printing.Choose({kPdfPrinterName, "Courier New"});
  auto& target = dynamic_cast<PrinterSurface&>(printing.LayoutTarget());
  ASSERT_NE(target.printer(), nullptr);
  // A PDF printer with a file of its own: without one QPrinter turns into the default printer.
  EXPECT_EQ(target.printer()->outputFormat(), QPrinter::PdfFormat);
  EXPECT_FALSE(target.printer()->outputFileName().isEmpty());
  const std::optional<PageGeometry> page = MeasurePage(target);
  ASSERT_TRUE(page);
  EXPECT_EQ(*page, (PageGeometry{96, 63}));
}

TEST_F(PdfPrinter, AnInstalledPrinterThatFailsIsOneMessageInThePrintFrame) {
  PreviewFile(Example("undivided.csv"));
  // No test reaches a print queue (tests/CMakeLists.txt): the job fails instead.
  QtPrintService installed({"Laser"}, "Laser");
  PrintController laser(installed, messages);
  laser.Choose({"Laser", "Courier New"});
  const Status printed = laser.PrintAll(document);
  ASSERT_FALSE(printed);
  EXPECT_EQ(printed.failure().message,
            "Program Error : The printer could not start the document occured in viewPrint_click");
}

TEST(PagesSent, NamesThePrinterOrThePdfFileInTheSameFrame) {
  const struct {
    std::string printer;
    std::string message;
  } cases[] = {
      {"Laser", "Pages have been sent to Laser printer."},
      // No printer chosen yet: two blanks in a row.
      {"", "Pages have been sent to  printer."},
      {"PDF file \"/home/ann/book.pdf\"",
       "Pages have been sent to PDF file \"/home/ann/book.pdf\" printer."},
  };
  for (const auto& c : cases) EXPECT_EQ(inherited::PagesSent(c.printer), c.message);
}

}  // namespace
}  // namespace vantrels::gui_test
