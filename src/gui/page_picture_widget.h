#pragma once

#include <QRect>
#include <QSizeF>
#include <QWidget>

#include "render/window_surface.h"

namespace vantrels {

// Shows a WindowSurface on a white sheet with an outline and a shadow, centred on a grey
// background as a print preview shows its page. A sheet larger than the widget starts at its
// top left. The surface must outlive the widget.
class PagePictureWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PagePictureWidget(WindowSurface* surface, QWidget* parent = nullptr);
  ~PagePictureWidget() override;

  WindowSurface* surface() const { return surface_; }

  // The sheet's size in twips; an empty size fills the whole widget with white (no sheet).
  void setSheetSize(QSizeF twips);
  // Grey kept around a sheet when the widget is no larger than the sheet, in pixels.
  void setSheetMargin(int pixels);
  // The sheet in widget pixels.
  QRect sheetRect() const;
  // The smallest widget that shows the whole sheet with its margin.
  QSize sheetSizeWithMargin() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSize sheetPixels() const;

  WindowSurface* surface_;
  QSizeF sheet_twips_;
  int margin_ = 0;
};

}  // namespace vantrels
