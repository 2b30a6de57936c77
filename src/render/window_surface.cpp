#include "render/window_surface.h"

#include <QPainter>
#include <cmath>

#include "render/qt_text.h"

namespace vantrels {

namespace {

constexpr double kCellTwipsAtTenPoints = kCellTwipsWide;

}  // namespace

void WindowSurface::PrintText(std::string_view text) {
  TextRun run;
  run.x = x_;
  run.y = y_;
  run.step = kCellTwipsAtTenPoints * font_.points / 10;
  run.text = FromReportBytes(text);
  run.family = font_.family;
  run.points = font_.points;
  run.bold = font_.bold;
  run.underline = font_.underline;
  run.transparent = font_.transparent;
  runs_.push_back(std::move(run));
  Changed();
}

void WindowSurface::SetFontName(const std::string& face) {
  SelectFace(font_, face);
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

QImage RenderPicture(const WindowSurface& surface, QSize size, double dpi) {
  QImage image(size, QImage::Format_RGB32);
  const int dots_per_meter = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dots_per_meter);
  image.setDotsPerMeterY(dots_per_meter);
  image.fill(Qt::white);
  QPainter painter(&image);
  surface.Paint(painter, image.logicalDpiX(), image.logicalDpiY());
  painter.end();
  return image;
}

}  // namespace vantrels
