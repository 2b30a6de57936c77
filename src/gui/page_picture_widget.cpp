#include "gui/page_picture_widget.h"

#include <QPainter>

namespace vantrels {

PagePictureWidget::PagePictureWidget(WindowSurface* surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  surface_->SetChangedCallback([this] { update(); });
}

PagePictureWidget::~PagePictureWidget() {
  surface_->SetChangedCallback(nullptr);
}

void PagePictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  surface_->Paint(painter, logicalDpiX(), logicalDpiY());
}

}  // namespace vantrels
