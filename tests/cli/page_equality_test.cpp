// Book pages drawn as glyph runs against the same pages drawn one character at a time (the
// reference surface), both as PDF pages rasterised at 150 dpi.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/book_render.h"
#include "cli/qt_book_platform.h"
#include "criteria_generator.h"
#include "render/book_pdf.h"
#include "render/pdf_tools.h"
#include "render/print_service.h"
#include "render/reference_surface.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

// Letter paper like the default of --pdf, drawn by the reference surface.
class ReferencePlatform : public PrintPlatform {
 public:
  std::vector<std::string> PrinterNames() override { return {kPdfPrinterName}; }
  Result<std::unique_ptr<Surface>> OpenPrinter(const BookOptions&) override {
    return std::unique_ptr<Surface>(
        std::make_unique<testing::ReferencePrinterSurface>(MakePdfPrinter("/dev/null")));
  }
  Status WritePdf(const BookRenderer& printer, const PageSelection& selection,
                  const BookOptions& options, OutputFile& output) override {
    return WriteBookPdf(
        printer, selection, Paper::Letter, BookPdfTitle(options.file, options.project), output,
        [](const QString& path, Paper paper) {
          return std::make_unique<testing::ReferencePrinterSurface>(MakePdfPrinter(path, paper));
        });
  }
};

std::string TempPath(const std::string& name) {
  return TestTempPath("page_equality", name);
}

int RunBook(PrintPlatform& platform, const std::vector<std::string>& args,
            std::string* out = nullptr) {
  std::ostringstream text, err;
  const int status = BookMain(args, text, err, &platform);
  if (out) *out = text.str();
  return status;
}

struct BookCase {
  const char* name;
  // A file name under examples/, or empty for the generated 2001-station book.
  const char* example;
  // "left", "right" or empty for an undivided roadway.
  const char* side;
};

void PrintTo(const BookCase& c, std::ostream* out) {
  *out << c.name;
}

std::string GeneratedBook() {
  const std::string path = TempPath("undivided-2001x9.csv");
  std::ofstream(path, std::ios::binary) << bench::GenerateCriteriaFile({false, 2001, 9});
  return path;
}

class PageEquality : public ::testing::TestWithParam<BookCase> {};

TEST_P(PageEquality, FirstMiddleAndLastPageLookTheSameAsDrawnCharacterByCharacter) {
  if (!testing::HaveTool("pdftoppm")) GTEST_SKIP() << "poppler-utils is not installed";
  const BookCase& c = GetParam();
  const std::string file =
      *c.example ? std::string(VANTRELS_EXAMPLES) + "/" + c.example : GeneratedBook();
  std::vector<std::string> common = {"--date", "2026-12-07", "--project", "45-017-02"};
  if (*c.side) common.insert(common.end(), {"--side", c.side});

  QtBookPlatform glyph_runs;
  ReferencePlatform reference;
  std::string text;
  std::vector<std::string> text_args = common;
  text_args.insert(text_args.end(), {"--text", file});
  ASSERT_EQ(RunBook(glyph_runs, text_args, &text), kBookProduced);
  const int pages = static_cast<int>(std::count(text.begin(), text.end(), '\f'));
  ASSERT_GT(pages, 0);

  for (int page : {1, (pages + 1) / 2, pages}) {
    SCOPED_TRACE("page " + std::to_string(page) + " of " + std::to_string(pages));
    std::vector<std::string> args = common;
    const std::string range = std::to_string(page) + "-" + std::to_string(page);
    args.insert(args.end(), {"--pages", range});
    const std::string drawn = TempPath(std::string(c.name) + "_drawn.pdf");
    const std::string expected = TempPath(std::string(c.name) + "_reference.pdf");
    std::vector<std::string> drawn_args = args;
    drawn_args.insert(drawn_args.end(), {"--pdf", drawn, file});
    std::vector<std::string> reference_args = args;
    reference_args.insert(reference_args.end(), {"--pdf", expected, file});
    ASSERT_EQ(RunBook(glyph_runs, drawn_args), kBookProduced);
    ASSERT_EQ(RunBook(reference, reference_args), kBookProduced);

    const QImage a = testing::PdfPageImage(QString::fromStdString(drawn), 1);
    const QImage b = testing::PdfPageImage(QString::fromStdString(expected), 1);
    ASSERT_FALSE(a.isNull());
    ASSERT_EQ(a.size(), b.size());
    // A blank page would compare equal too: the page must carry its text.
    QImage blank(a.size(), QImage::Format_Grayscale8);
    blank.fill(Qt::white);
    EXPECT_GT(testing::ComparePictures(a, blank).pixels, 1000);
    const testing::PictureDifference difference = testing::ComparePictures(a, b);
    EXPECT_EQ(difference.pixels, 0) << difference;
    std::filesystem::remove(drawn);
    std::filesystem::remove(expected);
  }
  if (!*c.example) std::filesystem::remove(file);
}

INSTANTIATE_TEST_SUITE_P(Books, PageEquality,
                         ::testing::Values(BookCase{"undivided_example", "undivided.csv", ""},
                                           BookCase{"divided_example_left", "divided.csv", "left"},
                                           BookCase{"divided_example_right", "divided.csv",
                                                    "right"},
                                           BookCase{"undivided_2001_stations", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrels
