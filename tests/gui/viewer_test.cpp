#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "gui/viewer_view.h"
#include "gui_fixture.h"
#include "render/pdf_tools.h"

namespace vantrels::gui_test {
namespace {

using ViewerTest = GuiTest;

std::string Label(const std::string& tag, int32_t page, int32_t last_page) {
  return tag + "Page No.:" + std::to_string(page + 1) + " of " + std::to_string(last_page + 1);
}

void Trigger(BookViewer& viewer, const char* name) {
  auto* action = viewer.findChild<QAction*>(name);
  ASSERT_NE(action, nullptr) << name;
  action->trigger();
}

TEST_F(ViewerTest, UndividedBookIsWalkedToItsEndsWithTheEndMessages) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  BookViewer& viewer = Viewer();
  const int32_t last = LastPage();
  ASSERT_GT(last, 0);

  Trigger(viewer, names::viewer::kPreviousPage);
  EXPECT_EQ(messages.shown, std::vector<std::string>{" First Page can't move backward"});
  EXPECT_EQ(CurrentPage(), 0);
  messages.shown.clear();

  for (int32_t page = 1; page <= last; ++page) {
    Trigger(viewer, names::viewer::kNextPage);
    ASSERT_EQ(CurrentPage(), page);
    EXPECT_TRUE(PictureShows(viewer.picture(), Label("", page, last))) << page;
  }
  const std::vector<std::string> last_picture = PictureTexts(viewer.picture());
  Trigger(viewer, names::viewer::kNextPage);
  EXPECT_EQ(messages.shown, std::vector<std::string>{" Last Page can't move forward"});
  EXPECT_EQ(CurrentPage(), last);
  EXPECT_EQ(PictureTexts(viewer.picture()), last_picture);

  Trigger(viewer, names::viewer::kPreviousPage);
  EXPECT_EQ(CurrentPage(), last - 1);
  EXPECT_TRUE(PictureShows(viewer.picture(), Label("", last - 1, last)));
}

TEST_F(ViewerTest, DividedBookRunsFromTheLeftPagesIntoTheRightPagesAndBack) {
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  BookViewer& viewer = Viewer();
  const int32_t left = LastPage(Side::Left);
  const int32_t right = LastPage(Side::Right);

  std::vector<std::string> expected;
  for (int32_t p = 0; p <= left; ++p) expected.push_back(Label("(Left)", p, left));
  for (int32_t p = 0; p <= right; ++p) expected.push_back(Label("(Right)", p, right));

  for (size_t n = 1; n < expected.size(); ++n) {
    Trigger(viewer, names::viewer::kNextPage);
    EXPECT_TRUE(PictureShows(viewer.picture(), expected[n])) << expected[n];
  }
  EXPECT_EQ(CurrentSide(), Side::Right);
  EXPECT_EQ(CurrentPage(), right);
  EXPECT_TRUE(messages.shown.empty());
  Trigger(viewer, names::viewer::kNextPage);
  EXPECT_EQ(messages.shown, std::vector<std::string>{" Last Page can't move forward"});
  messages.shown.clear();

  for (size_t n = expected.size() - 1; n-- > 0;) {
    Trigger(viewer, names::viewer::kPreviousPage);
    EXPECT_TRUE(PictureShows(viewer.picture(), expected[n])) << expected[n];
  }
  EXPECT_EQ(CurrentSide(), Side::Left);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_TRUE(messages.shown.empty());
  Trigger(viewer, names::viewer::kPreviousPage);
  EXPECT_EQ(messages.shown, std::vector<std::string>{" First Page can't move backward"});
}

TEST_F(ViewerTest, PageDownAndPageUpTurnPages) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  QTest::keyClick(Viewer().pictureWidget(), Qt::Key_PageDown);
  EXPECT_EQ(CurrentPage(), 1);
  QTest::keyClick(Viewer().pictureWidget(), Qt::Key_PageUp);
  EXPECT_EQ(CurrentPage(), 0);
  QTest::keyClick(Viewer().pictureWidget(), Qt::Key_PageUp);
  EXPECT_EQ(messages.shown, std::vector<std::string>{" First Page can't move backward"});
}

TEST(ViewScale, RelativelyTallerWindowsScaleByWidthOthersTheTieIncludedByHeight) {
  struct Case {
    double width, height, expected;
  };
  const Case cases[] = {
      {11520, 15120, static_cast<float>(15120.0 / 15420)},  // the exact tie
      {11520, 15135, static_cast<float>(11520.0 / 11820)},  // a twip taller
      {11535, 15120, static_cast<float>(15120.0 / 15420)},  // a twip wider
      {5760, 15120, static_cast<float>(5760.0 / 11820)},
      {11520, 7560, static_cast<float>(7560.0 / 15420)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    EXPECT_EQ(ViewScaleFor(c.width, c.height), c.expected);
  }
}

TEST_F(ViewerTest, EveryResizeShowsTheWholePageCentredBothWays) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  BookViewer& viewer = Viewer();
  // Opened at the printer page's size, 96 x 120 by 63 x 240 twips, or within the screen.
  const QSize page(TwipsToPixels(11520, viewer.logicalDpiX()),
                   TwipsToPixels(15120, viewer.logicalDpiY()));
  EXPECT_EQ(viewer.frameGeometry().size(),
            FitWithin(page, viewer.screen()->availableGeometry().size()));

  // Regression: a wide or short window cut the page's bottom and did not centre it.
  const QSize sizes[] = {{400, 900}, {800, 500}, {1400, 300}, {300, 1000}, {1200, 1600}};
  for (const QSize size : sizes) {
    SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
    viewer.resize(size);
    QApplication::processEvents();
    const QRect outer = viewer.frameGeometry();
    const double outer_scale = ViewScaleFor(PixelsToTwips(outer.width(), viewer.logicalDpiX()),
                                            PixelsToTwips(outer.height(), viewer.logicalDpiY()));
    const PagePictureWidget& picture = *viewer.pictureWidget();
    const QRect sheet = picture.sheetRect();
    EXPECT_TRUE(picture.rect().contains(sheet));
    EXPECT_NEAR(sheet.left(), picture.width() - 1 - sheet.right(), 1);
    EXPECT_NEAR(sheet.top(), picture.height() - 1 - sheet.bottom(), 1);
    // The scale of the outer size where the whole page fits at it, else the page fills the
    // room one way.
    EXPECT_LE(viewer.viewScale(), outer_scale);
    EXPECT_TRUE(viewer.viewScale() == outer_scale || sheet.width() >= picture.width() - 2 ||
                sheet.height() >= picture.height() - 2);
    // The page was drawn again at the new scale.
    EXPECT_DOUBLE_EQ(viewer.picture().Runs().front().points, 10 * viewer.viewScale());
  }
}

class PrintAllTest : public GuiTest {
 protected:
  void SetUp() override {
    if (!testing::HaveTool("pdfinfo")) GTEST_SKIP() << "pdfinfo is not installed";
    ASSERT_TRUE(dir.isValid());
    printing.ask_pdf_file = [this] {
      ++pdf_questions;
      return pdf_answer;
    };
  }

  QTemporaryDir dir;
  QString pdf_answer;
  int pdf_questions = 0;
};

std::string SentToPdf(const QString& path) {
  return "Pages have been sent to PDF file \"" + path.toStdString() + "\" printer.";
}

TEST_F(PrintAllTest, UndividedBookGoesToThePdfFileOnePageEachAndTheViewerStaysOnItsPage) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  Viewer().showNextPage();
  const std::vector<std::string> picture = PictureTexts(Viewer().picture());
  const int32_t last = LastPage();
  pdf_answer = dir.filePath("book.pdf");

  Trigger(Viewer(), names::viewer::kPrintAll);
  EXPECT_EQ(pdf_questions, 1);
  EXPECT_EQ(messages.shown, std::vector<std::string>{SentToPdf(pdf_answer)});
  EXPECT_EQ(testing::PdfPageCount(pdf_answer), last + 1);
  EXPECT_EQ(LastPage(), last);
  // Regression: the viewer's place went to the last page printed while its picture stayed.
  EXPECT_EQ(CurrentPage(), 1);
  EXPECT_EQ(PictureTexts(Viewer().picture()), picture);

  // The next page is the one after the page shown, and the book keeps its end.
  messages.shown.clear();
  Viewer().showNextPage();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(CurrentPage(), 2);
  EXPECT_TRUE(PictureShows(Viewer().picture(), "Page No.:3 of " + std::to_string(last + 1)));
  while (CurrentPage() < last) Viewer().showNextPage();
  Viewer().showNextPage();
  EXPECT_EQ(messages.shown, std::vector<std::string>{" Last Page can't move forward"});
}

TEST_F(PrintAllTest, DividedBookPrintsTheLeftPagesThenTheRightPages) {
  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  const int32_t left = LastPage(Side::Left);
  const int32_t right = LastPage(Side::Right);
  pdf_answer = dir.filePath("divided.pdf");

  Viewer().printAll();
  EXPECT_EQ(testing::PdfPageCount(pdf_answer), left + right + 2);
  // The viewer still shows the left side's first page.
  EXPECT_EQ(CurrentSide(), Side::Left);
  EXPECT_EQ(CurrentPage(), 0);
  EXPECT_EQ(LastPage(Side::Left), left);
  EXPECT_EQ(LastPage(Side::Right), right);
  const std::vector<testing::PdfWord> words = testing::PdfWords(pdf_answer);
  ASSERT_FALSE(words.empty());
  int first_right_page = 0;
  for (const testing::PdfWord& word : words) {
    if (word.text.startsWith("(Right)") && first_right_page == 0) first_right_page = word.page;
    if (word.text.startsWith("(Left)")) {
      EXPECT_LE(word.page, left + 1);
    }
  }
  EXPECT_EQ(first_right_page, left + 2);
}

TEST_F(PrintAllTest, CancelledPdfFileQuestionPrintsNothing) {
  font_window_answer = [](PrinterFontDialog& window) {
    Press(window, names::printer_font::kCancel);
  };
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  Viewer().printAll();
  EXPECT_EQ(pdf_questions, 1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(QDir(dir.path()).isEmpty());

  // With no printer chosen the PDF entry is current, and the message names the file.
  pdf_answer = dir.filePath("default.pdf");
  Viewer().printAll();
  EXPECT_EQ(messages.shown, std::vector<std::string>{SentToPdf(pdf_answer)});
  EXPECT_GT(testing::PdfPageCount(pdf_answer), 0);
}

TEST_F(ViewerTest, EndAndTheFrameUnloadTheViewerAndTheNextPreviewLoadsItAgain) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  Trigger(Viewer(), names::viewer::kEnd);
  EXPECT_FALSE(ViewerLoaded());
  EXPECT_EQ(program_ends, 0);

  PreviewFile(Example("divided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  EXPECT_TRUE(Viewer().isVisible());
  Viewer().close();
  EXPECT_FALSE(ViewerLoaded());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewerTest, MenuBarHoldsTheCommandsInOrder) {
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  std::vector<std::string> bar;
  for (QAction* action : Viewer().menuBar()->actions()) bar.push_back(action->text().toStdString());
  EXPECT_EQ(bar,
            (std::vector<std::string>{"&>>", "<&<", "&Go To", "&Print", "E&xport", "&End"}));
  auto* print = Viewer().findChild<QMenu*>(names::viewer::kPrintMenu);
  ASSERT_NE(print, nullptr);
  std::vector<std::string> items;
  for (QAction* action : print->actions()) items.push_back(action->text().toStdString());
  EXPECT_EQ(items, (std::vector<std::string>{"PrintAll", "Print Selected Pages"}));
}

}  // namespace
}  // namespace vantrels::gui_test
