#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "render/font_cache.h"
#include "render/pdf_tools.h"
#include "render/print_service.h"
#include "render/printer_surface.h"
#include "render/qt_text.h"
#include "render/reference_surface.h"
#include "render/report_fonts.h"
#include "render/restricted_font.h"
#include "render/surface_tools.h"
#include "render/window_surface.h"

namespace vantrels {
namespace {

using testing::Put;

using testing::ComparePictures;
using testing::PictureDifference;

// Characters Liberation Mono has but the restricted face leaves out.
const QString kMissing = QString::fromUtf8("€Œ‰");

// Every Windows-1252 byte from the blank up, 32 to a line, from line `first_line` on.
void PutEveryCharacter(Surface& surface, int column, int first_line, int cell_x, int cell_y) {
  for (int row = 0; row < 7; ++row) {
    std::string text;
    for (int byte = 0x20 + 32 * row; byte < 0x20 + 32 * (row + 1) && byte <= 0xFF; ++byte) {
      text.push_back(static_cast<char>(byte));
    }
    Put(surface, column * cell_x, (first_line + row) * cell_y, text);
  }
}

// What the book draws, and the cases that are rare in a book: a heading in bold and underlined,
// every character in regular and bold, and texts that paint their background over earlier ones.
void DrawSamplePage(Surface& surface, double points, int cell_x, int cell_y) {
  surface.SetFontName("Courier New");
  surface.SetFontSize(points);
  surface.SetFontTransparent(true);
  surface.SetFontBold(true);
  Put(surface, 7 * cell_x, 1 * cell_y, "Project No: 45-017-02");
  surface.SetFontUnderline(true);
  Put(surface, 37 * cell_x, 0, " V A N T - R E L S ");
  surface.SetFontUnderline(false);
  PutEveryCharacter(surface, 2, 3, cell_x, cell_y);
  surface.SetFontBold(false);
  PutEveryCharacter(surface, 40, 3, cell_x, cell_y);
  Put(surface, 2 * cell_x, 12 * cell_y, "LtSgShldr   1233.84 @ -20.00   6.00%");
  Put(surface, 2 * cell_x, 13 * cell_y, "XXXXXXXXXXXXXXXXXXXX");
  surface.SetFontTransparent(false);
  Put(surface, 6 * cell_x, 13 * cell_y, "  OPAQUE  ");
  surface.SetFontTransparent(true);
  Put(surface, 8 * cell_x, 13 * cell_y, "on top");
}

bool HaveCourier() {
  return IsFontAvailable("Courier New");
}

struct PictureCase {
  double view_scale;
  QSize size;
};

TEST(GlyphRunPicture, ViewerPictureIsTheSameAsDrawingEachCharacter) {
  if (!HaveCourier()) GTEST_SKIP() << "no face for \"Courier New\"";
  const PictureCase cases[] = {
      {1.0, {816, 1056}}, {0.9805, {800, 1035}}, {0.5, {408, 528}}, {1.37, {1118, 1447}}};
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.view_scale);
    WindowSurface surface;
    DrawSamplePage(surface, 10 * c.view_scale, static_cast<int>(std::lround(120 * c.view_scale)),
                   static_cast<int>(std::lround(240 * c.view_scale)));
    const QImage drawn = RenderPicture(surface, c.size);
    const QImage reference = testing::RenderReferencePicture(surface, c.size);
    const PictureDifference difference = ComparePictures(drawn, reference);
    EXPECT_EQ(difference.pixels, 0) << difference;
  }
}

// The content streams of a PDF as Qt writes them (Flate-compressed, one per page).
std::vector<QByteArray> PageContents(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return {};
  const QByteArray pdf = in.readAll();
  std::vector<QByteArray> contents;
  for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at)) {
    at += 7;
    const qsizetype end = pdf.indexOf("\nendstream", at);
    if (end < 0) break;
    const QByteArray packed = pdf.mid(at, end - at);
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(packed.size() * 64), sized.data());
    // Page contents are the streams that open with Qt's graphics state; fonts are skipped.
    const QByteArray text = packed.startsWith("\x78") ? qUncompress(sized + packed) : QByteArray();
    if (text.startsWith("/GSa gs")) contents.push_back(text);
    at = end;
  }
  return contents;
}

class GlyphRunPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    if (!testing::HaveTool("pdftoppm") || !testing::HaveTool("pdftotext")) {
      GTEST_SKIP() << "pdftoppm / pdftotext (poppler-utils) are not installed";
    }
    if (!HaveCourier()) GTEST_SKIP() << "no face for \"Courier New\"";
  }
  QString Path(const char* name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
};

TEST_F(GlyphRunPdf, PdfPageIsTheSameAsDrawingEachCharacter) {
  for (PaperSize paper : {PaperSize::Letter, PaperSize::A4}) {
    SCOPED_TRACE(static_cast<int>(paper));
    const QString drawn_file = Path("drawn.pdf");
    const QString reference_file = Path("reference.pdf");
    PrinterSurface drawn(MakePdfPrinter(drawn_file, paper));
    testing::ReferencePrinterSurface reference(MakePdfPrinter(reference_file, paper));
    for (Surface* surface : {static_cast<Surface*>(&drawn), static_cast<Surface*>(&reference)}) {
      DrawSamplePage(*surface, 10, 1, 1);
      surface->NewPage();
      DrawSamplePage(*surface, 10, 1, 1);
      ASSERT_TRUE(surface->EndDoc().ok());
    }
    for (int page : {1, 2}) {
      const QImage a = testing::PdfPageImage(drawn_file, page);
      const QImage b = testing::PdfPageImage(reference_file, page);
      ASSERT_FALSE(a.isNull());
      ASSERT_EQ(a.size(), b.size());
      const PictureDifference difference = ComparePictures(a, b);
      EXPECT_EQ(difference.pixels, 0) << "page " << page << ": " << difference;
    }
  }
}

TEST_F(GlyphRunPdf, OneTextObjectPerLineAndFace) {
  const QString file = Path("lines.pdf");
  PrinterSurface surface(MakePdfPrinter(file));
  surface.SetFontName("Courier New");
  surface.SetFontTransparent(true);
  // Three lines of several texts each, out of column order; the first also has a bold text.
  for (int line : {10, 11, 12}) {
    for (int column : {60, 2, 30, 45}) Put(surface, column, line, "1233.84 @");
  }
  surface.SetFontBold(true);
  Put(surface, 80, 10, "BOLD");
  ASSERT_TRUE(surface.EndDoc().ok());
  const std::vector<QByteArray> contents = PageContents(file);
  ASSERT_EQ(contents.size(), 1u);
  EXPECT_EQ(contents[0].count("BT\n"), 4) << contents[0].toStdString();

  // Every text still starts at its cell: a quarter-inch margin, cells of 6 x 12 points.
  std::vector<std::pair<int, int>> cells;
  for (const testing::PdfWord& word : testing::PdfWords(file)) {
    if (word.text != "1233.84") continue;
    const double column = (word.x_min - 18) / 6;
    const double line = (word.y_min - 18) / 12;
    EXPECT_NEAR(column, std::round(column), 0.05) << word.x_min;
    EXPECT_NEAR(line, std::round(line), 0.05) << word.y_min;
    cells.emplace_back(static_cast<int>(std::lround(line)), static_cast<int>(std::lround(column)));
  }
  std::sort(cells.begin(), cells.end());
  const std::vector<std::pair<int, int>> expected = {{10, 2}, {10, 30}, {10, 45}, {10, 60},
                                                     {11, 2}, {11, 30}, {11, 45}, {11, 60},
                                                     {12, 2}, {12, 30}, {12, 45}, {12, 60}};
  EXPECT_EQ(cells, expected);
}

TEST_F(GlyphRunPdf, CharactersTheFaceLacksComeFromAFallbackFace) {
  const std::optional<QString> family = testing::RegisterRestrictedMono(kMissing);
  if (!family) GTEST_SKIP() << "Liberation Mono is not installed (fonts-liberation)";
  const QString drawn_file = Path("fallback.pdf");
  const QString reference_file = Path("fallback-reference.pdf");
  PrinterSurface drawn(MakePdfPrinter(drawn_file));
  testing::ReferencePrinterSurface reference(MakePdfPrinter(reference_file));
  const std::string text = "A\x80\x8C\x89Z";  // A € Œ ‰ Z in Windows-1252
  for (Surface* surface : {static_cast<Surface*>(&drawn), static_cast<Surface*>(&reference)}) {
    surface->SetFontName(ToReportBytes(*family));
    surface->SetFontSize(10);
    surface->SetFontTransparent(true);
    Put(*surface, 10, 5, text);
    ASSERT_TRUE(surface->EndDoc().ok());
  }
  const std::optional<QString> fonts = testing::RunTool("pdffonts", {drawn_file});
  ASSERT_TRUE(fonts.has_value());
  EXPECT_TRUE(fonts->contains("RestrictedMono")) << fonts->toStdString();
  EXPECT_GE(fonts->count("CID TrueType"), 2) << fonts->toStdString();

  const std::optional<QString> extracted = testing::RunTool("pdftotext", {drawn_file, "-"});
  ASSERT_TRUE(extracted.has_value());
  EXPECT_TRUE(extracted->contains(QString::fromUtf8("A€Œ‰Z"))) << extracted->toStdString();

  // Every character has ink in its own cell: 12.5 x 25 pixels at 150 dpi, a quarter inch in.
  const QImage page = testing::PdfPageImage(drawn_file, 1);
  ASSERT_FALSE(page.isNull());
  for (int k = 0; k < 5; ++k) {
    SCOPED_TRACE(k);
    const int left = static_cast<int>(37.5 + (10 + k) * 12.5);
    const int top = static_cast<int>(37.5 + 5 * 25);
    int ink = 0;
    for (int y = top; y < top + 25; ++y) {
      for (int x = left + 1; x < left + 12; ++x) ink += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    }
    EXPECT_GT(ink, 5);
  }
  const PictureDifference difference =
      ComparePictures(page, testing::PdfPageImage(reference_file, 1));
  EXPECT_EQ(difference.pixels, 0) << difference;
}

TEST(GlyphRunFallback, ViewerDrawsMissingCharactersFromAFallbackFaceLikeQtDoes) {
  const std::optional<QString> family = testing::RegisterRestrictedMono(kMissing);
  if (!family) GTEST_SKIP() << "Liberation Mono is not installed (fonts-liberation)";
  WindowSurface surface;
  surface.SetFontName(ToReportBytes(*family));
  surface.SetFontTransparent(true);
  for (bool bold : {false, true}) {
    surface.SetFontBold(bold);
    Put(surface, 1200, bold ? 2400 : 1200, "A\x80\x8C\x89Z");
  }
  const QImage drawn = RenderPicture(surface, QSize(300, 200));
  const PictureDifference difference =
      ComparePictures(drawn, testing::RenderReferencePicture(surface, QSize(300, 200)));
  EXPECT_EQ(difference.pixels, 0) << difference;
}

TEST(GlyphRunFallback, EachMissingCharacterIsResolvedOnceToAFaceThatHasIt) {
  const std::optional<QString> family = testing::RegisterRestrictedMono(kMissing);
  if (!family) GTEST_SKIP() << "Liberation Mono is not installed (fonts-liberation)";
  QImage device(10, 10, QImage::Format_RGB32);
  FontCache cache;
  ResolvedFont& font = cache.Get(*family, 10, false, device);
  ASSERT_FALSE(font.Faces().empty());
  EXPECT_EQ(font.Faces()[0].familyName(), *family);

  const ResolvedFont::Glyph& a = font.GlyphFor(QLatin1Char('A'));
  EXPECT_EQ(a.face, 0);
  EXPECT_NE(a.index, 0u);
  for (QChar c : kMissing) {
    SCOPED_TRACE(QString(c).toStdString());
    EXPECT_FALSE(font.Faces()[0].supportsCharacter(c));
    const ResolvedFont::Glyph& glyph = font.GlyphFor(c);
    ASSERT_GT(glyph.face, 0);
    const QRawFont& fallback = font.Faces()[static_cast<size_t>(glyph.face)];
    EXPECT_TRUE(fallback.supportsCharacter(c)) << fallback.familyName().toStdString();
    EXPECT_NE(glyph.index, 0u);
    // Looked up once: later characters get the very entry.
    EXPECT_EQ(&font.GlyphFor(c), &glyph);
  }
  // One fallback face serves all three: fallbacks are shared, not one per character.
  EXPECT_EQ(font.Faces().size(), 2u);
}

TEST(GlyphRunFallback, FontsAreResolvedOncePerFaceSizeWeightAndResolution) {
  if (!HaveCourier()) GTEST_SKIP() << "no face for \"Courier New\"";
  const QString family = *ResolveFontFamily("Courier New");
  QImage screen(10, 10, QImage::Format_RGB32);
  QImage fine(10, 10, QImage::Format_RGB32);
  fine.setDotsPerMeterX(static_cast<int>(std::lround(300 / 0.0254)));
  fine.setDotsPerMeterY(static_cast<int>(std::lround(300 / 0.0254)));
  FontCache cache;
  ResolvedFont* first = &cache.Get(family, 10, false, screen);
  EXPECT_EQ(&cache.Get(family, 10, false, screen), first);
  EXPECT_NE(&cache.Get(family, 10, true, screen), first);
  EXPECT_NE(&cache.Get(family, 9.805, false, screen), first);
  EXPECT_NE(&cache.Get(family, 10, false, fine), first);
  EXPECT_EQ(&cache.Get(family, 10, false, screen), first);
  EXPECT_EQ(cache.size(), 4u);
  // The finer device's font is larger in pixels, about by the ratio of the resolutions.
  EXPECT_GT(cache.Get(family, 10, false, fine).ascent(), 3 * first->ascent());

  // Trimmed only between paints, once many sizes have piled up.
  cache.Trim();
  EXPECT_EQ(cache.size(), 4u);
  for (int k = 0; k < 40; ++k) cache.Get(family, 5 + k * 0.25, false, screen);
  cache.Trim();
  EXPECT_EQ(cache.size(), 0u);
}

}  // namespace
}  // namespace vantrels
