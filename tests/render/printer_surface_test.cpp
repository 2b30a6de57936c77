#include "render/printer_surface.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <stdexcept>

#include "pdf_tools.h"
#include "render/print_service.h"
#include "render/report_fonts.h"
#include "render/surface_tools.h"

namespace vantrels {
namespace {

using testing::Put;

using testing::PdfPageCount;
using testing::PdfWord;
using testing::PdfWords;

constexpr double kMarginPoints = 18;  // a quarter inch
constexpr double kColumnPoints = 6;
constexpr double kLinePoints = 12;

const PdfWord* FindWord(const std::vector<PdfWord>& words, const QString& text) {
  for (const PdfWord& word : words) {
    if (word.text == text) return &word;
  }
  return nullptr;
}

class PrinterSurfacePdf : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    if (!testing::HaveTool("pdfinfo") || !testing::HaveTool("pdftotext")) {
      GTEST_SKIP() << "pdfinfo / pdftotext (poppler-utils) are not installed";
    }
    if (!IsFontAvailable("Courier New")) {
      GTEST_SKIP() << "no face for \"Courier New\" (install fonts-liberation)";
    }
  }
  QString Path(const char* name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
};

struct PaperCase {
  PaperSize paper;
  double columns;
  double lines;
};

TEST(PrinterSurfaceMeasure, PrintableAreaInCellsForEachPaper) {
  const PaperCase cases[] = {
      {PaperSize::Letter, 96, 63},
      {PaperSize::Legal, 96, 81},
      // A PDF page is whole points: A4 is 595 x 842.
      {PaperSize::A4, (595 - 36) / 72.0 * 12, (842 - 36) / 72.0 * 6},
  };
  for (const PaperCase& c : cases) {
    PrinterSurface surface(MakePdfPrinter("unused.pdf", c.paper));
    const std::optional<CellMeasure> measure = surface.MeasureCells();
    ASSERT_TRUE(measure.has_value());
    EXPECT_NEAR(measure->columns, c.columns, 0.01);
    EXPECT_NEAR(measure->lines, c.lines, 0.01);
  }
}

TEST(PrinterSurfaceMeasure, NoPrinterCannotBeMeasured) {
  PrinterSurface surface;
  EXPECT_FALSE(surface.MeasureCells().has_value());
  EXPECT_FALSE(surface.IsWindow());
}

TEST_F(PrinterSurfacePdf, TwoPagesEndingAfterNewPageGiveTwoSheets) {
  const QString file = Path("book.pdf");
  PrinterSurface surface(MakePdfPrinter(file));
  surface.SetFontName("Courier New");
  surface.SetFontSize(10);
  surface.SetFontTransparent(true);
  Put(surface, 0, 0, "ALPHA");
  Put(surface, 10, 5, "GRADE STAKE");
  surface.SetFontBold(true);
  surface.SetFontUnderline(true);
  Put(surface, 37, 1, " V A N T - R E L S ");
  surface.SetFontBold(false);
  surface.SetFontUnderline(false);
  surface.NewPage();
  // A long run: a font's own advance would drift by about a point over these columns.
  Put(surface, 2, 62, std::string(85, '.') + " LAST");
  surface.NewPage();
  EXPECT_EQ(surface.PagesInDocument(), 2);
  ASSERT_TRUE(surface.EndDoc().ok());
  EXPECT_EQ(surface.PagesInDocument(), 0);

  EXPECT_EQ(PdfPageCount(file), 2);
  const std::vector<PdfWord> words = PdfWords(file);
  struct Expected {
    QString text;
    int page;
    int column;
    int line;
  };
  const Expected expected[] = {
      {"ALPHA", 1, 0, 0}, {"GRADE", 1, 10, 5}, {"STAKE", 1, 16, 5},
      {"V", 1, 38, 1},    {"LAST", 2, 88, 62},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.text.toStdString());
    const PdfWord* word = FindWord(words, e.text);
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(word->page, e.page);
    EXPECT_NEAR(word->x_min, kMarginPoints + kColumnPoints * e.column, 0.2);
    EXPECT_NEAR(word->y_min, kMarginPoints + kLinePoints * e.line, 0.5);
  }
}

TEST_F(PrinterSurfacePdf, NothingDrawnWritesNoDocument) {
  const QString file = Path("empty.pdf");
  PrinterSurface surface(MakePdfPrinter(file));
  Put(surface, 3, 3, "");
  surface.NewPage();
  ASSERT_TRUE(surface.EndDoc().ok());
  EXPECT_FALSE(QFile::exists(file));
}

TEST_F(PrinterSurfacePdf, NewPageBeforeAnyTextAddsNoLeadingSheet) {
  const QString file = Path("one.pdf");
  PrinterSurface surface(MakePdfPrinter(file));
  surface.NewPage();
  Put(surface, 1, 1, "ONLY");
  surface.NewPage();
  surface.NewPage();
  ASSERT_TRUE(surface.EndDoc().ok());
  EXPECT_EQ(PdfPageCount(file), 1);
}

TEST_F(PrinterSurfacePdf, KillDocDiscardsTheDocumentInProgress) {
  const QString file = Path("killed.pdf");
  PrinterSurface surface(MakePdfPrinter(file));
  Put(surface, 1, 1, "DISCARDED");
  surface.NewPage();
  Put(surface, 1, 1, "DISCARDED");
  surface.KillDoc();
  ASSERT_TRUE(surface.EndDoc().ok());
  EXPECT_FALSE(QFile::exists(file));

  Put(surface, 3, 4, "KEPT");
  ASSERT_TRUE(surface.EndDoc().ok());
  surface.KillDoc();
  EXPECT_EQ(PdfPageCount(file), 1);
  const std::vector<PdfWord> words = PdfWords(file);
  EXPECT_EQ(FindWord(words, "DISCARDED"), nullptr);
  EXPECT_NE(FindWord(words, "KEPT"), nullptr);
}

TEST_F(PrinterSurfacePdf, ReplacingThePrinterDiscardsTheDocument) {
  const QString first = Path("first.pdf");
  const QString second = Path("second.pdf");
  PrinterSurface surface(MakePdfPrinter(first));
  Put(surface, 1, 1, "OLD");
  surface.SetPrinter(MakePdfPrinter(second, PaperSize::Legal));
  Put(surface, 1, 1, "NEW");
  ASSERT_TRUE(surface.EndDoc().ok());
  EXPECT_FALSE(QFile::exists(first));
  EXPECT_EQ(PdfPageCount(second), 1);
}

TEST_F(PrinterSurfacePdf, UnavailableFaceThrowsAndCourierNewStillDraws) {
  const QString file = Path("fonts.pdf");
  PrinterSurface surface(MakePdfPrinter(file));
  EXPECT_THROW(surface.SetFontName(""), std::runtime_error);
  EXPECT_THROW(surface.SetFontName("No Such Face 4711"), std::runtime_error);
  if (IsFontAvailable("MS LineDraw")) {
    EXPECT_NO_THROW(surface.SetFontName("MS LineDraw"));
  } else {
    EXPECT_THROW(surface.SetFontName("MS LineDraw"), std::runtime_error);
  }
  surface.SetFontName("Courier New");
  Put(surface, 5, 5, "HEADING");
  ASSERT_TRUE(surface.EndDoc().ok());
  ASSERT_EQ(PdfPageCount(file), 1);
  const std::optional<QString> fonts = testing::RunTool("pdffonts", {file});
  if (!fonts) GTEST_SKIP() << "pdffonts (poppler-utils) is not installed";
  const QString family = *ResolveFontFamily("Courier New");
  EXPECT_TRUE(fonts->contains(QString(family).remove(' '))) << fonts->toStdString();
}

TEST(PrinterSurfaceFailure, EndDocWithoutPrinterFailsAndEndsTheDocument) {
  PrinterSurface surface;
  Put(surface, 0, 0, "TEXT");
  const Status ended = surface.EndDoc();
  ASSERT_FALSE(ended.ok());
  EXPECT_EQ(ended.failure(), Rejected("No printer is available"));
  EXPECT_EQ(surface.PagesInDocument(), 0);
  EXPECT_TRUE(surface.EndDoc().ok());
}

TEST(PrinterSurfaceFailure, PdfThatCannotBeOpenedFailsAtEndDoc) {
  PrinterSurface surface(MakePdfPrinter("/no such folder/book.pdf"));
  Put(surface, 0, 0, "TEXT");
  EXPECT_FALSE(surface.EndDoc().ok());
}

// The test environment points CUPS at a socket nobody listens on (tests/CMakeLists.txt): a test
// that would print on a printer fails instead of sending a job to a real queue.
TEST(PrinterSurfaceFailure, NoTestReachesAPrintQueue) {
  const char* server = std::getenv("CUPS_SERVER");
  ASSERT_NE(server, nullptr) << "run the tests through ctest";
  EXPECT_FALSE(QFile::exists(QString::fromLocal8Bit(server)));
  EXPECT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty());
  QtPrintService service({"Laser"}, "Laser");
  ASSERT_FALSE(service.CurrentIsPdfFile());
  PrinterSurface surface(service.CreateCurrentPrinter({}));
  Put(surface, 0, 0, "TEXT");
  EXPECT_FALSE(surface.EndDoc().ok());
}

}  // namespace
}  // namespace vantrels
