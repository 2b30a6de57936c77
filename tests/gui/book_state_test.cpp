// What a preview leaves behind: a rejected file keeps the book on show whole, and a find
// window kept open shows the new book.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>
#include <stdexcept>

#include "gui/find_station_dialog.h"
#include "gui/print_range_dialog.h"
#include "gui_fixture.h"

namespace vantrels::gui_test {
namespace {

namespace fs = names::find_station;

QString WriteBytes(const QTemporaryDir& dir, const QString& name, const std::string& bytes) {
  QFile file(dir.filePath(name));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return file.fileName();
}

// Everything of the book on show that a window reads.
struct ShownBook {
  const Book* book;
  std::vector<StationEntry> left_entries;
  std::vector<StationEntry> right_entries;
  std::vector<PageStart> left_starts;
  int32_t left_last;
  int32_t right_last;
  BookPosition position;
  std::vector<std::string> picture;
  int find_entries;
  QString range_total;
  bool operator==(const ShownBook&) const = default;
};

class BookState : public GuiTest {
 protected:
  ShownBook Shown() {
    const Book& book = TheBook();
    Viewer().openStationFinder(StationFinder::kLeftStation);
    const int find_entries = Child<QComboBox>(Viewer().stationWindow(), fs::kList).count();
    Viewer().stationWindow().hide();
    return {&book,
            book.Of(Side::Left).station_entries,
            book.Of(Side::Right).station_entries,
            book.Of(Side::Left).page_starts,
            book.Of(Side::Left).last_page,
            book.Of(Side::Right).last_page,
            document.place(),
            PictureTexts(Viewer().picture()),
            find_entries,
            Child<QLabel>(Viewer().printRangeWindow(), names::print_range::kTotal).text()};
  }
};

TEST_F(BookState, RejectedFilesLeaveThePreviousBookWholeAndUsable) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  Viewer().showNextPage();
  const ShownBook before = Shown();
  ASSERT_GT(before.find_entries, 1);

  const struct {
    const char* name;
    std::string bytes;  // no file is written when empty and `missing`
    bool missing;
  } cases[] = {
      // Regression: an empty file emptied Go To while the viewer kept the old book.
      {"empty.csv", "", false},
      {"one-line.csv", "\"VANTREL REPORT,Run 1\r\n", false},
      {"two-lines.csv", "\"VANTREL REPORT,Run 1\r\nJob\r\n", false},
      {"not-a-report.csv", "\"CRITERIA REPORT,Run 1\r\nJob\r\nDIVIDED,1\r\n", false},
      {"header-only.csv", "\"VANTREL REPORT,Run 1\r\nJob\r\nDIVIDED,1\r\n", false},
      {"missing.csv", "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages.shown.clear();
    modal_titles.clear();
    const QString path = c.missing ? dir.filePath(c.name) : WriteBytes(dir, c.name, c.bytes);
    PreviewFile(path);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(modal_titles.empty());
    EXPECT_TRUE(Viewer().isVisible());
    EXPECT_TRUE(Shown() == before);
  }

  // The kept book still works: Find goes to its second entry's page.
  const StationEntry second = before.left_entries[1];
  Viewer().openStationFinder(StationFinder::kLeftStation);
  Child<QComboBox>(Viewer().stationWindow(), fs::kList).setCurrentIndex(1);
  Child<QPushButton>(Viewer().stationWindow(), fs::kFind).click();
  EXPECT_EQ(document.place(), (BookPosition{Side::Left, second.page}));
}

TEST_F(BookState, FindWindowLeftOpenAcrossAPreviewShowsTheNewBooksFirstEntry) {
  PreviewFile(Example("undivided.csv"));
  Viewer().openStationFinder(StationFinder::kStation);
  FindStationDialog& finder = Viewer().stationWindow();
  auto& list = Child<QComboBox>(finder, fs::kList);
  list.setCurrentIndex(list.count() - 1);

  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(finder.isVisible());
  const std::vector<std::string> left = Listed(Side::Left);
  ASSERT_FALSE(left.empty());
  EXPECT_EQ(ToReportBytes(list.currentText()), left.front());
  EXPECT_TRUE(list.isVisible());

  // After the right side's list was used, the next book still offers its first left entry,
  // the side the viewer opens on.
  SetModalRunner([&](QDialog& dialog) {
    Child<QPushButton>(dialog, fs::kFind).click();
    return dialog.result();
  });
  Viewer().openStationFinder(StationFinder::kRightStation);
  AnswerModalWindowsAsUsual();
  EXPECT_EQ(CurrentSide(), Side::Right);
  finder.show();
  PreviewFile(Example("divided.csv"));
  EXPECT_TRUE(list.isVisible());
  EXPECT_FALSE(Child<QComboBox>(finder, fs::kRightList).isVisible());
  EXPECT_EQ(ToReportBytes(list.currentText()), left.front());
  messages.shown.clear();
  Child<QPushButton>(finder, fs::kFind).click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(document.place(),
            (BookPosition{Side::Left, TheBook().Of(Side::Left).station_entries.front().page}));
}

// A banner printer, whose page is too tall for any band of the book, and the PDF entry.
class LabelPrinters : public PrintService {
 public:
  std::vector<std::string> PrinterNames() const override { return {"Label", kPdfPrinterName}; }
  std::string DefaultPrinterName() const override { return "Label"; }
  std::string CurrentPrinterName() const override { return current_; }
  bool MakeCurrent(const std::string& name) override {
    current_ = name;
    return true;
  }
  std::unique_ptr<QPrinter> CreateCurrentPrinter(const PrinterOptions& options) const override {
    if (current_ == kPdfPrinterName) {
      if (options.pdf_output_file.isEmpty()) throw std::runtime_error("no file");
      return MakePdfPrinter(options.pdf_output_file);
    }
    auto printer = MakePdfPagePrinter();
    printer->setPageLayout(QPageLayout(QPageSize(QSizeF(8.5, 100), QPageSize::Inch),
                                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return printer;
  }

 private:
  std::string current_ = "Label";
};

TEST(FailedPreview, APageWhereNoStationFitsKeepsTheBookOnShow) {
  LabelPrinters printers;
  FixedFontCatalog fonts({"Courier New"});
  RecordingMessages messages;
  RememberedChoices remembered;
  BookDocument document;
  PrintController printing(printers, messages);
  std::string printer = "Label";
  SetModalRunner([&printer](QDialog& dialog) {
    if (auto* font_window = qobject_cast<PrinterFontDialog*>(&dialog)) {
      Child<QComboBox>(*font_window, names::printer_font::kPrinterList)
          .setCurrentText(QString::fromStdString(printer));
      font_window->takeChoice();
    }
    return dialog.result();
  });
  MainWindow form(document, printing, fonts, remembered, messages);
  form.end_program = [] {};
  Child<QLineEdit>(form, names::main_window::kProjectNumber).setText("P");
  Child<QLineEdit>(form, names::main_window::kControlNumber).setText("C");
  form.chooseFile(Example("undivided.csv"));

  // Before any book: no viewer of headings only.
  form.preview();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].starts_with("No station fits on a page of ")) << messages.shown[0];
  EXPECT_EQ(document.book(), nullptr);
  EXPECT_EQ(form.viewer(), nullptr);

  // A book on the PDF entry's page, then the label printer again: the book stays.
  printer = kPdfPrinterName;
  form.preview();
  ASSERT_NE(document.book(), nullptr);
  ASSERT_NE(form.viewer(), nullptr);
  const Book* book = document.book();
  const int32_t last_page = book->Of(Side::Left).last_page;
  const std::vector<std::string> picture = PictureTexts(form.viewer()->picture());
  printer = "Label";
  messages.shown.clear();
  form.preview();
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(document.book(), book);
  EXPECT_EQ(document.book()->Of(Side::Left).last_page, last_page);
  EXPECT_EQ(PictureTexts(form.viewer()->picture()), picture);
  SetModalRunner(nullptr);
  CloseViewer(form);
}

}  // namespace
}  // namespace vantrels::gui_test
