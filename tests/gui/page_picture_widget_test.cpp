#include "gui/page_picture_widget.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QRect>

#include "render/surface_tools.h"

namespace vantrels {
namespace {

using testing::InkBox;
using testing::Put;

TEST(PagePictureWidget, ShowsThePictureOnAWhitePage) {
  WindowSurface surface;
  PagePictureWidget widget(&surface);
  widget.resize(300, 200);
  const QImage blank = widget.grab().toImage();
  EXPECT_TRUE(InkBox(blank, blank.rect()).isEmpty());
  EXPECT_EQ(blank.pixel(5, 5), qRgb(255, 255, 255));

  surface.SetFontSize(10);
  Put(surface, 1440, 720, "PAGE");
  const QImage drawn = widget.grab().toImage();
  const QRect ink = InkBox(drawn, drawn.rect());
  ASSERT_FALSE(ink.isEmpty());
  const double dpi = widget.logicalDpiX();
  EXPECT_NEAR(ink.left(), dpi, 0.1 * dpi);

  surface.Clear();
  const QImage cleared = widget.grab().toImage();
  EXPECT_TRUE(InkBox(cleared, cleared.rect()).isEmpty());
}

bool IsWhite(QRgb pixel) {
  return pixel == qRgb(255, 255, 255);
}

// A sheet smaller than the widget: centred on grey, outlined, and the texts drawn from its corner.
TEST(PagePictureWidget, ASmallerSheetIsCentredOnGreyWithItsTextsOnIt) {
  WindowSurface surface;
  PagePictureWidget widget(&surface);
  widget.resize(600, 400);
  const double dpi = widget.logicalDpiX();
  // Two by three inches.
  widget.setSheetSize(QSizeF(2 * 1440, 3 * 1440));
  surface.SetFontSize(10);
  Put(surface, 0, 0, "X");

  const QRect sheet = widget.sheetRect();
  EXPECT_NEAR(sheet.width(), 2 * dpi, 1);
  EXPECT_NEAR(sheet.height(), 3 * dpi, 1);
  EXPECT_NEAR(sheet.center().x(), 300, 1);
  EXPECT_NEAR(sheet.center().y(), 200, 1);

  const QImage image = widget.grab().toImage();
  EXPECT_FALSE(IsWhite(image.pixel(2, 2)));
  EXPECT_FALSE(IsWhite(image.pixel(598, 200)));
  EXPECT_TRUE(IsWhite(image.pixel(sheet.center())));
  // The outline just outside the sheet is darker than the grey around it.
  EXPECT_LT(qGray(image.pixel(sheet.left() - 1, sheet.center().y())), qGray(image.pixel(2, 2)));
  // The text at the sheet's origin is drawn at the sheet's corner, not the widget's.
  const QRect ink = InkBox(image, sheet);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.left(), sheet.left());
  EXPECT_LT(ink.left(), sheet.left() + dpi / 8);
}

TEST(PagePictureWidget, ALargerSheetStartsAtItsMarginAndTellsItsWholeSize) {
  WindowSurface surface;
  PagePictureWidget widget(&surface);
  widget.resize(200, 150);
  widget.setSheetSize(QSizeF(8 * 1440, 10 * 1440));
  widget.setSheetMargin(12);
  const QRect sheet = widget.sheetRect();
  EXPECT_EQ(sheet.topLeft(), QPoint(12, 12));
  EXPECT_EQ(widget.sheetSizeWithMargin(), sheet.size() + QSize(24, 24));

  // Without a margin a larger sheet starts at the corner.
  widget.setSheetMargin(0);
  EXPECT_EQ(widget.sheetRect().topLeft(), QPoint(0, 0));
  // Larger one way only: centred the other way.
  widget.resize(2000, 150);
  EXPECT_EQ(widget.sheetRect().top(), 0);
  EXPECT_NEAR(widget.sheetRect().center().x(), 1000, 1);
}

}  // namespace
}  // namespace vantrels
