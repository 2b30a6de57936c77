#include "gui/viewer_view.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vantrels {

namespace {

// A printable area of 8 x 10.5 inches decides the scale; the scale itself leaves 300 twips.
constexpr double kPageTestWidth = 11520;
constexpr double kPageTestHeight = 15120;
constexpr double kScaleWidth = 11820;
constexpr double kScaleHeight = 15420;

// Percentages of the printed size, as document viewers offer them.
constexpr std::array<double, 9> kZoomSteps = {0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 3, 4};
// Steps closer than this to the scale count as the scale itself.
constexpr double kSameScale = 1e-6;

}  // namespace

double ViewScaleFor(double width_twips, double height_twips) {
  const double a = SinglePrecision(height_twips / kPageTestHeight);
  const double b = SinglePrecision(width_twips / kPageTestWidth);
  return a > b ? SinglePrecision(width_twips / kScaleWidth)
               : SinglePrecision(height_twips / kScaleHeight);
}

QString ViewerTitle(const QString& criteria_file, const Book* book, BookPosition shown) {
  if (!book) return QStringLiteral("Display Report");
  const SideBook& side = book->Of(shown.side);
  QString page;
  if (book->Divided()) page = NamesOf(shown.side).caption_tag;
  page += QStringLiteral("Page %1 of %2")
              .arg(int64_t{shown.page} + 1)
              .arg(int64_t{std::max(side.last_page, 0)} + 1);
  const QString name = QFileInfo(criteria_file).fileName();
  return (name.isEmpty() ? QString() : name + " - ") + page + " - Vantrels";
}

QSize FitWithin(QSize size, QSize room) {
  if (size.isEmpty() || room.isEmpty()) return size;
  if (size.width() <= room.width() && size.height() <= room.height()) return size;
  return size.scaled(room, Qt::KeepAspectRatio);
}

double WholePageScale(double room_width_twips, double room_height_twips, PageGeometry page) {
  const double width = page.columns * kCellTwipsWide;
  const double height = page.lines * kCellTwipsHigh;
  if (!(width > 0) || !(height > 0) || !(room_width_twips > 0) || !(room_height_twips > 0)) {
    return 0;
  }
  return std::min(room_width_twips / width, room_height_twips / height);
}

QRect ClientWithinScreen(QRect client, QMargins frame, QRect available) {
  QRect outer = client.marginsAdded(frame);
  outer.setSize(FitWithin(outer.size(), available.size()));
  // Moved in from the right and bottom first, so a frame still too wide keeps its top left.
  outer.moveRight(std::min(outer.right(), available.right()));
  outer.moveBottom(std::min(outer.bottom(), available.bottom()));
  outer.moveLeft(std::max(outer.left(), available.left()));
  outer.moveTop(std::max(outer.top(), available.top()));
  return outer.marginsRemoved(frame);
}

QString ZoomText(double scale, bool fitted) {
  const QString percent = QString::number(std::lround(scale * 100)) + " %";
  return fitted ? "Fit to window " + percent : "Zoom " + percent;
}

double MaxViewScale(PageGeometry page) {
  const double largest = std::max(page.columns * kCellTwipsWide, page.lines * kCellTwipsHigh);
  if (!(largest > 0)) return kZoomSteps.back();
  return std::numeric_limits<int16_t>::max() / largest;
}

std::optional<double> ZoomStepIn(double scale, double max) {
  for (const double step : kZoomSteps) {
    if (step > scale * (1 + kSameScale)) {
      if (step > max) return std::nullopt;
      return step;
    }
  }
  return std::nullopt;
}

std::optional<double> ZoomStepOut(double scale) {
  for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend(); ++step) {
    if (*step < scale * (1 - kSameScale)) return *step;
  }
  return std::nullopt;
}

}  // namespace vantrels
