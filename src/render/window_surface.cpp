#include "render/window_surface.h"

#include <QPainter>
#include <cmath>

#include "render/qt_text.h"

namespace vantrels {

namespace {

constexpr double kCellTwipsAtTenPoints = kCellTwipsWide;

}  // namespace

SurfacePoint WindowSurface::CellPosition(double column, double line) const {
  return {RoundCoordinate(CellColumnTwips(column, view_scale_)),
          RoundCoordinate(CellLineTwips(line, view_scale_))};
}

void WindowSurface::PrintText(std::string_view text) {
  runs_.push_back(RunAt(text, kCellTwipsAtTenPoints * FontPoints() / 10));
  Changed();
}

void WindowSurface::Clear() {
  runs_.clear();
  Changed();
}

void WindowSurface::SetOuterSize(double width_twips, double height_twips) {
  width_ = width_twips;
  height_ = height_twips;
}

void WindowSurface::Paint(QPainter& painter, double dpi_x, double dpi_y) const {
  const double scale_x = dpi_x / kTwipsPerInch;
  const double scale_y = dpi_y / kTwipsPerInch;
  fonts_.Trim();
  PaintTexts(painter, fonts_, runs_, scale_x, scale_y);
}

void WindowSurface::Changed() const {
  if (changed_) changed_();
}

QImage WhitePicture(QSize size, double dpi) {
  QImage image(size, QImage::Format_RGB32);
  const int dots_per_meter = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dots_per_meter);
  image.setDotsPerMeterY(dots_per_meter);
  image.fill(Qt::white);
  return image;
}

QImage RenderPicture(const WindowSurface& surface, QSize size, double dpi) {
  QImage image = WhitePicture(size, dpi);
  QPainter painter(&image);
  surface.Paint(painter, image.logicalDpiX(), image.logicalDpiY());
  painter.end();
  return image;
}

}  // namespace vantrels
