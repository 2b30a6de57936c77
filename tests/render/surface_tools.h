// Drawing on a surface and finding the ink in its picture, for the tests of the Qt surfaces.
#pragma once

#include <QImage>
#include <QRect>
#include <string_view>

#include "layout/surface.h"

namespace vantrels::testing {

// Draws `text` at (x, y) twips.
inline void Put(Surface& surface, int x, int y, std::string_view text) {
  surface.SetCurrentX(x);
  surface.SetCurrentY(y);
  surface.PrintText(text);
}

// The bounding box of the dark pixels inside `area`.
inline QRect InkBox(const QImage& image, QRect area) {
  QRect box;
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 160) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace vantrels::testing
