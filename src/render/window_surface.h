#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <functional>
#include <vector>

#include "layout/surface.h"
#include "model/units.h"
#include "render/font_cache.h"
#include "render/text_run.h"

namespace vantrels {

// A window's drawing target: a retained picture of the texts drawn since the last Clear,
// positions in twips, painted again whenever the widget showing it repaints. It shows the
// printer page at a view scale: cells and point sizes are scaled by it.
class WindowSurface : public TextRunSurface {
 public:
  bool IsWindow() const override { return true; }
  // Twips per twip of the printer page, as the viewer fits or zooms the page.
  void SetViewScale(double view_scale) { view_scale_ = view_scale; }
  double ViewScale() const { return view_scale_; }
  SurfacePoint CellPosition(double column, double line) const override;
  void SetFontSize(double points) override { TextRunSurface::SetFontSize(points * view_scale_); }
  // Character k of the text sits k cells right of the position; a cell is 120 twips at 10
  // points and scales with the font size (10 x ViewScale points on a window).
  void PrintText(std::string_view text) override;

  void Clear() override;
  // The owner window's outer size, as last given to SetOuterSize.
  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetOuterSize(double width_twips, double height_twips);

  const std::vector<TextRun>& Runs() const { return runs_; }

  // Called after every change of the picture (a widget schedules its repaint).
  void SetChangedCallback(std::function<void()> callback) { changed_ = std::move(callback); }

  // Paints the texts (not the background) on a device of the given logical resolution.
  void Paint(QPainter& painter, double dpi_x, double dpi_y) const;

 private:
  void Changed() const;

  std::vector<TextRun> runs_;
  // Kept across paints: the viewer paints the same few fonts on every redraw.
  mutable FontCache fonts_;
  std::function<void()> changed_;
  double view_scale_ = 1;
  double width_ = 0;
  double height_ = 0;
};

// The picture on a white image of `size` pixels at `dpi` logical dots per inch.
QImage RenderPicture(const WindowSurface& surface, QSize size, double dpi = 96);

// A white picture of `size` pixels at `dpi` dots per inch, for drawing a page on.
QImage WhitePicture(QSize size, double dpi);

}  // namespace vantrels
