#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QPrinterInfo>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "cli/book_run.h"
#include "cli/qt_book_platform.h"
#include "render/pdf_tools.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// A quarter-inch margin; a character cell is 1/12 by 1/6 inch.
constexpr double kMargin = 18;
constexpr double kColumnPoints = 6;
constexpr double kLinePoints = 12;
// pdftotext's word boxes start at the cell's left edge and at the top of the font's line.
constexpr double kTolerance = 0.5;

struct Word {
  int page;
  int line;
  int column;
  std::string text;
  auto operator<=>(const Word&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Word& w) {
  return out << "page " << w.page << " line " << w.line << " column " << w.column << " \"" << w.text
             << "\"";
}

// The blank-separated words of --text output with their cells; pages from 1.
std::vector<Word> TextWords(const std::string& text) {
  std::vector<Word> words;
  int page = 1;
  int line = 0;
  std::istringstream in(text);
  for (std::string row; std::getline(in, row); ++line) {
    if (row == "\f") {
      ++page;
      line = -1;
      continue;
    }
    for (size_t at = row.find_first_not_of(' '); at != std::string::npos;) {
      const size_t end = std::min(row.find(' ', at), row.size());
      words.push_back({page, line, static_cast<int>(at), row.substr(at, end - at)});
      at = row.find_first_not_of(' ', end);
    }
  }
  return words;
}

struct PdfGrid {
  std::vector<Word> words;
  // Words whose box is not at a cell's corner.
  std::vector<std::string> off_grid;
};

PdfGrid PdfCells(const std::string& file) {
  PdfGrid grid;
  for (const testing::PdfWord& w : testing::PdfWords(QString::fromStdString(file))) {
    const double column = (w.x_min - kMargin) / kColumnPoints;
    const double line = (w.y_min - kMargin) / kLinePoints;
    if (std::abs(column - std::round(column)) * kColumnPoints > kTolerance ||
        std::abs(line - std::round(line)) * kLinePoints > kTolerance) {
      grid.off_grid.push_back(w.text.toStdString() + " at " + std::to_string(w.x_min) + "," +
                              std::to_string(w.y_min));
    }
    grid.words.push_back({w.page, static_cast<int>(std::lround(line)),
                          static_cast<int>(std::lround(column)), w.text.toStdString()});
  }
  std::sort(grid.words.begin(), grid.words.end());
  return grid;
}

BookRun Book(const std::vector<std::string>& args) {
  QtBookPlatform platform;
  return RunBook(args, &platform);
}

std::string TempPath(const std::string& name) {
  return TestTempPath("book_pdf", name);
}

std::string Example(const char* name) {
  return std::string(VANTRELS_EXAMPLES) + "/" + name;
}

bool HavePoppler() {
  return testing::HaveTool("pdftotext") && testing::HaveTool("pdfinfo");
}

// Renders the same book as text on `cells` and as a PDF on `paper`.
struct BothOutputs {
  BookRun text;
  BookRun pdf;
  std::string pdf_file;
};

BothOutputs RenderBoth(const std::string& name, const std::vector<std::string>& selection,
                       const std::string& paper, const std::string& cells) {
  std::vector<std::string> common = {"--date", "2026-12-07", "--project", "EXAMPLE-1"};
  common.insert(common.end(), selection.begin(), selection.end());
  BothOutputs both;
  both.pdf_file = TempPath(name + ".pdf");
  std::filesystem::remove(both.pdf_file);
  std::vector<std::string> text_args = common;
  text_args.insert(text_args.end(), {"--cells", cells, "--text"});
  std::vector<std::string> pdf_args = common;
  pdf_args.insert(pdf_args.end(), {"--paper", paper, "--pdf", both.pdf_file});
  both.text = Book(text_args);
  both.pdf = Book(pdf_args);
  return both;
}

struct SameCellsCase {
  const char* name;
  std::vector<std::string> selection;
  const char* paper;
  // The paper's printable area less quarter-inch margins, in cells.
  const char* cells;
  const char* page_size;
};

void PrintTo(const SameCellsCase& c, std::ostream* out) {
  *out << c.name;
}

class PdfMatchesText : public ::testing::TestWithParam<SameCellsCase> {};

TEST_P(PdfMatchesText, SameWordsAtTheSameCellsOnAsManyPages) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  const SameCellsCase& c = GetParam();
  const BothOutputs both = RenderBoth(c.name, c.selection, c.paper, c.cells);
  ASSERT_EQ(both.text.status, kBookProduced) << both.text.err;
  ASSERT_EQ(both.pdf.status, kBookProduced) << both.pdf.err;
  EXPECT_EQ(both.pdf.out, "");
  EXPECT_EQ(both.pdf.err, "");

  const std::vector<Word> text_words = TextWords(both.text.out);
  const int text_pages =
      static_cast<int>(std::count(both.text.out.begin(), both.text.out.end(), '\f'));
  const QString pdf = QString::fromStdString(both.pdf_file);
  EXPECT_EQ(testing::PdfPageCount(pdf), text_pages);
  EXPECT_THAT(testing::RunTool("pdfinfo", {pdf}).value_or("").toStdString(),
              HasSubstr(std::string("Page size:       ") + c.page_size));

  const PdfGrid grid = PdfCells(both.pdf_file);
  EXPECT_THAT(grid.off_grid, ::testing::IsEmpty());
  std::vector<Word> expected = text_words;
  std::sort(expected.begin(), expected.end());
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(grid.words, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, PdfMatchesText,
    ::testing::Values(
        SameCellsCase{
            "undivided_letter", {Example("undivided.csv")}, "letter", "96x63", "612 x 792"},
        SameCellsCase{"divided_right_letter",
                      {"--side", "right", Example("divided.csv")},
                      "letter",
                      "96x63",
                      "612 x 792"},
        // 595 x 842 points less the margins: 93 1/6 columns, 67 1/6 lines.
        SameCellsCase{"undivided_a4_pages_2_to_4",
                      {"--pages", "2-4", Example("undivided.csv")},
                      "a4",
                      "93.16667x67.16667",
                      "595 x 842"},
        // 612 x 1008 points less the margins: 96 columns, 81 lines.
        SameCellsCase{"divided_left_legal",
                      {"--side", "left", Example("divided.csv")},
                      "legal",
                      "96x81",
                      "612 x 1008"}),
    [](const auto& info) { return std::string(info.param.name); });

bool HasWordAt(const PdfGrid& grid, int page, int column, int line, const std::string& text) {
  return std::find(grid.words.begin(), grid.words.end(), Word{page, line, column, text}) !=
         grid.words.end();
}

TEST(BookPdf, HeadingAndStationCellsSitAtTheirCellsAndFollowThePaper) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  struct Item {
    int column, line;
    const char* text;
  };
  const struct {
    const char* paper;
    std::vector<Item> items;
  } cases[] = {
      {"letter",
       {{7, 2, "Project"},
        {19, 2, "EXAMPLE-1"},
        {71, 2, "Date:"},
        {77, 2, "12"},
        {28, 1, "GEOPAK"},
        {38, 1, "V"},
        {57, 1, "BOOK"},
        {66, 1, "Page"},
        {71, 1, "No.:1"},
        {7, 8, "2389+00.00"},
        {36, 8, "1233.84"},
        {44, 8, "@"},
        {46, 8, "-20.00"},
        {49, 9, "6.00%"}}},
      // A narrower and taller page moves the heading with the right and bottom edges.
      {"a4",
       {{4, 6, "Project"}, {68, 6, "Date:"}, {25, 5, "GEOPAK"}, {54, 5, "BOOK"}, {63, 5, "Page"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.paper);
    const std::string file = TempPath(std::string("heading_") + c.paper + ".pdf");
    const BookRun run = Book({"--date", "2026-12-07", "--project", "EXAMPLE-1", "--paper", c.paper,
                              "--pdf", file, Example("undivided.csv")});
    ASSERT_EQ(run.status, kBookProduced) << run.err;
    const PdfGrid grid = PdfCells(file);
    for (const Item& item : c.items) {
      EXPECT_TRUE(HasWordAt(grid, 1, item.column, item.line, item.text))
          << item.text << " at " << item.column << "," << item.line;
    }
  }
}

TEST(BookPdf, ListPrintersGivesTheInstalledPrintersThenThePdfEntry) {
  std::string expected;
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    expected += info.printerName().toStdString() + "\n";
  }
  const BookRun run = Book({"--list-printers"});
  EXPECT_EQ(run.status, kBookProduced);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, expected + "PDF file\n");
}

TEST(BookPdf, PrinterAndFileFailures) {
  const std::string missing_dir = TempPath("no_such_dir") + "/book.pdf";
  const BookRun unknown = Book({"--printer", "No Such Printer", Example("undivided.csv")});
  EXPECT_EQ(unknown.status, kBookUsage);
  EXPECT_EQ(unknown.err,
            "vantrels-book: no installed printer is named \"No Such Printer\" (--list-printers "
            "shows them)\n" +
                kTryHelp);

  const BookRun pdf_entry = Book({"--printer", "PDF file", Example("undivided.csv")});
  EXPECT_EQ(pdf_entry.status, kBookUsage);
  EXPECT_EQ(pdf_entry.err,
            "vantrels-book: \"PDF file\" writes a file: use --pdf OUT.pdf\n" + kTryHelp);

  const BookRun unwritable = Book({"--pdf", missing_dir, Example("undivided.csv")});
  EXPECT_EQ(unwritable.status, kBookRejected);
  EXPECT_THAT(unwritable.err, StartsWith("vantrels-book: cannot write " + missing_dir + ": "));
  EXPECT_FALSE(std::filesystem::exists(missing_dir));
}

TEST(BookPdf, ARejectedFileWritesNoPdf) {
  const std::string csv = TempPath("rejected.csv");
  std::ofstream(csv, std::ios::binary) << "\"NOT A REPORT,x\r\n2\r\n3\r\n";
  const std::string pdf = TempPath("rejected.pdf");
  std::filesystem::remove(pdf);
  const BookRun run = Book({"--pdf", pdf, csv});
  EXPECT_EQ(run.status, kBookRejected);
  EXPECT_EQ(run.err, "Invalid File Type check file format\n");
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

// The font names pdffonts lists for `file`.
std::string PdfFonts(const std::string& file) {
  return testing::RunTool("pdffonts", {QString::fromStdString(file)}).value_or("").toStdString();
}

std::string WithoutBlanks(QString name) {
  return name.remove(QLatin1Char(' ')).toStdString();
}

TEST(BookPdf, FontSetsTheReportFaceAndAFaceThatCannotBeSelectedFallsBack) {
  if (!testing::HaveTool("pdffonts")) GTEST_SKIP() << "poppler-utils is not installed";
  const std::string courier_family = WithoutBlanks(QFontInfo(QFont("Courier New")).family());

  const std::string unknown = TempPath("font_unknown.pdf");
  ASSERT_EQ(Book({"--font", "No Such Face", "--pdf", unknown, Example("undivided.csv")}).status,
            kBookProduced);
  const std::string fonts = PdfFonts(unknown);
  EXPECT_THAT(fonts, HasSubstr(courier_family));

  // Any other fixed-pitch face that is installed shows that the option reaches the drawing.
  QString other;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isFixedPitch(family) &&
        WithoutBlanks(family).find(courier_family) == std::string::npos &&
        !family.contains(QLatin1Char('['))) {
      other = family;
      break;
    }
  }
  if (other.isEmpty()) GTEST_SKIP() << "no second fixed-pitch face is installed";
  const std::string chosen = TempPath("font_other.pdf");
  ASSERT_EQ(Book({"--font", other.toStdString(), "--pdf", chosen, Example("undivided.csv")}).status,
            kBookProduced);
  EXPECT_THAT(PdfFonts(chosen), HasSubstr(WithoutBlanks(other))) << other.toStdString();
  EXPECT_THAT(PdfFonts(chosen), ::testing::Not(HasSubstr(courier_family)));
}

}  // namespace
}  // namespace vantrels
