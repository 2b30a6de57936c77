// The viewer on a screen of two device pixels per logical pixel (QT_SCALE_FACTOR=2, set before
// the application starts).
#include <QImage>
#include <QPixmap>

#include "gui_fixture.h"

namespace {
const bool kScaledScreen = [] {
  qputenv("QT_SCALE_FACTOR", "2");
  return true;
}();
}  // namespace

namespace vantrels::gui_test {
namespace {

using HighDpiViewerTest = GuiTest;

bool Dark(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y)) < 160;
}

TEST_F(HighDpiViewerTest, ThePageIsPaintedAtDeviceResolution) {
  ASSERT_TRUE(kScaledScreen);
  PreviewFile(Example("undivided.csv"));
  ASSERT_TRUE(ViewerLoaded());
  PagePictureWidget& picture = *Viewer().pictureWidget();
  ASSERT_EQ(picture.devicePixelRatioF(), 2);

  const QPixmap grabbed = picture.grab();
  EXPECT_EQ(grabbed.devicePixelRatio(), 2);
  const QImage image = grabbed.toImage();
  ASSERT_EQ(image.size(), picture.size() * 2);

  // A picture scaled up from logical pixels is made of uniform 2 x 2 blocks; one painted at
  // device resolution has glyph edges inside the blocks.
  const QRect sheet = picture.sheetRect() & picture.rect();
  ASSERT_FALSE(sheet.isEmpty());
  int inked = 0;
  int mixed = 0;
  for (int y = 2 * sheet.top(); y + 1 <= 2 * sheet.bottom(); y += 2) {
    for (int x = 2 * sheet.left(); x + 1 <= 2 * sheet.right(); x += 2) {
      const int dark = Dark(image, x, y) + Dark(image, x + 1, y) + Dark(image, x, y + 1) +
                       Dark(image, x + 1, y + 1);
      if (dark == 0) continue;
      ++inked;
      if (dark < 4) ++mixed;
    }
  }
  ASSERT_GT(inked, 1000);
  EXPECT_GT(mixed, inked / 5) << mixed << " of " << inked;
}

}  // namespace
}  // namespace vantrels::gui_test
