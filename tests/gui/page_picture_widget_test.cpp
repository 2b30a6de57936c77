#include "gui/page_picture_widget.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QRect>

namespace vantrels {
namespace {

void Put(Surface& surface, int x, int y, std::string_view text) {
  surface.SetCurrentX(x);
  surface.SetCurrentY(y);
  surface.PrintText(text);
}

// The bounding box of the dark pixels.
QRect InkBox(const QImage& image, QRect area) {
  QRect box;
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 160) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

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

}  // namespace
}  // namespace vantrels
