#pragma once

#include <QWidget>

#include "render/window_surface.h"

namespace vantrels {

// Shows a WindowSurface on a white page. The surface must outlive the widget.
class PagePictureWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PagePictureWidget(WindowSurface* surface, QWidget* parent = nullptr);
  ~PagePictureWidget() override;

  WindowSurface* surface() const { return surface_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  WindowSurface* surface_;
};

}  // namespace vantrels
