#include "render/window_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <stdexcept>

#include "render/report_fonts.h"
#include "render/surface_tools.h"

namespace vantrels {
namespace {

using testing::InkBox;
using testing::Put;

TEST(WindowSurface, RecordsTextsWithFontAndClearEmpties) {
  WindowSurface surface;
  int changes = 0;
  surface.SetChangedCallback([&] { ++changes; });
  ASSERT_TRUE(surface.IsWindow());
  surface.SetFontName("Courier New");
  surface.SetFontSize(5);
  surface.SetFontBold(true);
  surface.SetFontUnderline(true);
  surface.SetFontTransparent(true);
  Put(surface, 600, 1200, "A\x80");
  surface.SetFontBold(false);
  surface.SetFontUnderline(false);
  surface.SetFontSize(12.5);
  Put(surface, -30, 7, "b");

  ASSERT_EQ(surface.Runs().size(), 2u);
  const TextRun& first = surface.Runs()[0];
  EXPECT_EQ(first.x, 600);
  EXPECT_EQ(first.y, 1200);
  EXPECT_EQ(first.text, QString::fromUtf8("A\u20ac"));
  EXPECT_DOUBLE_EQ(first.points, 5);
  EXPECT_DOUBLE_EQ(first.step, 60);  // one cell at half scale
  EXPECT_TRUE(first.bold);
  EXPECT_TRUE(first.underline);
  EXPECT_TRUE(first.transparent);
  EXPECT_EQ(first.family, ResolveFontFamily("Courier New").value_or("?"));
  const TextRun& second = surface.Runs()[1];
  EXPECT_EQ(second.x, -30);
  EXPECT_DOUBLE_EQ(second.step, 150);
  EXPECT_FALSE(second.bold);
  EXPECT_FALSE(second.underline);
  EXPECT_EQ(changes, 2);

  surface.Clear();
  EXPECT_TRUE(surface.Runs().empty());
  EXPECT_EQ(changes, 3);
}

TEST(WindowSurface, FailedFaceKeepsThePreviousOne) {
  WindowSurface surface;
  surface.SetFontName("Courier New");
  EXPECT_THROW(surface.SetFontName(""), std::runtime_error);
  EXPECT_THROW(surface.SetFontName("No Such Face 4711"), std::runtime_error);
  Put(surface, 0, 0, "x");
  EXPECT_EQ(surface.Runs().at(0).family, ResolveFontFamily("Courier New").value_or("?"));
}

TEST(WindowSurface, OuterSizeIsWhatTheOwnerSet) {
  WindowSurface surface;
  EXPECT_EQ(surface.Width(), 0);
  surface.SetOuterSize(PixelsToTwips(800, 96), PixelsToTwips(1050, 96));
  EXPECT_DOUBLE_EQ(surface.Width(), 12000);
  EXPECT_DOUBLE_EQ(surface.Height(), 15750);
}

// Cells become twips = cells x 120 (or 240) x ViewScale, rounded halves to even, and points
// become points x ViewScale; a position beyond 16 bits is refused.
TEST(WindowSurface, ConvertsCellsAndPointsByItsViewScale) {
  WindowSurface surface;
  surface.SetViewScale(0.5);
  EXPECT_EQ(surface.CellPosition(10, 5).x, 600);
  EXPECT_EQ(surface.CellPosition(10, 5).y, 600);
  // 0.0625 x 120 x 0.5 = 3.75 and 0.0625 x 240 x 0.5 = 7.5 -> 8; 22.5 -> 22.
  EXPECT_EQ(surface.CellPosition(0.0625, 0.0625).x, 4);
  EXPECT_EQ(surface.CellPosition(0.0625, 0.0625).y, 8);
  EXPECT_EQ(surface.CellPosition(0.375, 0).x, 22);
  EXPECT_THROW(surface.CellPosition(1000, 0), std::runtime_error);
  surface.SetFontSize(10);
  Put(surface, 0, 0, "x");
  EXPECT_DOUBLE_EQ(surface.Runs().at(0).points, 5);
  EXPECT_DOUBLE_EQ(surface.Runs().at(0).step, 60) << "a cell is 120 twips at 10 points";
}

// Draws "M  M" at cell (10, 5) the way the layout does on a window.
TEST(WindowSurfaceRender, InkSitsOnTheScaledCellGrid) {
  if (!IsFontAvailable("Courier New")) GTEST_SKIP() << "no face for \"Courier New\"";
  for (double scale : {1.0, 0.5}) {
    SCOPED_TRACE(scale);
    WindowSurface surface;
    surface.SetViewScale(scale);
    surface.SetFontName("Courier New");
    surface.SetFontSize(10);
    surface.SetFontTransparent(true);
    const SurfacePoint cell = surface.CellPosition(10, 5);
    Put(surface, cell.x, cell.y, "M  M");
    const double cell_w = 8 * scale;  // 120 twips at 96 dpi
    const double cell_h = 16 * scale;
    const QImage image = RenderPicture(surface, QSize(816, 1056) * scale, 96);

    const QRect all = InkBox(image, image.rect());
    ASSERT_FALSE(all.isEmpty());
    const double left = 10 * cell_w;
    const double top = 5 * cell_h;
    EXPECT_GE(all.top(), top - 1);
    EXPECT_LE(all.bottom(), top + cell_h + 1);
    EXPECT_GE(all.left(), left - 1);
    EXPECT_LE(all.right(), left + 4 * cell_w + 1);

    const QRect first = InkBox(image, QRect(0, 0, static_cast<int>(left + cell_w), 1056));
    const QRect second = InkBox(image, QRect(static_cast<int>(left + 3 * cell_w), 0, 1000, 1056));
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NEAR(second.left() - first.left(), 3 * cell_w, 1);
  }
}

TEST(WindowSurfaceRender, UnderlineSpansTheWholeRun) {
  if (!IsFontAvailable("Courier New")) GTEST_SKIP() << "no face for \"Courier New\"";
  WindowSurface surface;
  surface.SetFontName("Courier New");
  surface.SetFontSize(10);
  surface.SetFontUnderline(true);
  Put(surface, 1200, 1200, " V A ");
  const QImage image = RenderPicture(surface, QSize(400, 200), 96);
  const QRect ink = InkBox(image, image.rect());
  EXPECT_NEAR(ink.left(), 80, 1);
  EXPECT_NEAR(ink.right(), 80 + 5 * 8, 1);
}

}  // namespace
}  // namespace vantrels
