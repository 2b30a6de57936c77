#include "gui/page_picture_widget.h"

#include <QPainter>
#include <algorithm>

#include "model/units.h"

namespace vantrels {

namespace {

const QColor kBackground(0x80, 0x80, 0x80);
const QColor kOutline(0x40, 0x40, 0x40);
const QColor kShadow(0x50, 0x50, 0x50);
constexpr int kShadowOffset = 3;

// Where a sheet of `sheet` pixels starts in `room` pixels: centred when it fits with its
// margins, else at the margin.
int SheetStart(int room, int sheet, int margin) {
  if (sheet + 2 * margin <= room) return (room - sheet) / 2;
  return margin;
}

}  // namespace

PagePictureWidget::PagePictureWidget(WindowSurface* surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  surface_->SetChangedCallback([this] { update(); });
}

PagePictureWidget::~PagePictureWidget() {
  surface_->SetChangedCallback(nullptr);
}

void PagePictureWidget::setSheetSize(QSizeF twips) {
  sheet_twips_ = twips;
  update();
}

void PagePictureWidget::setSheetMargin(int pixels) {
  margin_ = std::max(0, pixels);
  update();
}

QSize PagePictureWidget::sheetPixels() const {
  return QSize(TwipsToPixels(sheet_twips_.width(), logicalDpiX()),
               TwipsToPixels(sheet_twips_.height(), logicalDpiY()));
}

QRect PagePictureWidget::sheetRect() const {
  if (sheet_twips_.isEmpty()) return rect();
  const QSize sheet = sheetPixels();
  return QRect(QPoint(SheetStart(width(), sheet.width(), margin_),
                      SheetStart(height(), sheet.height(), margin_)),
               sheet);
}

QSize PagePictureWidget::sheetSizeWithMargin() const {
  if (sheet_twips_.isEmpty()) return QSize(0, 0);
  return sheetPixels() + QSize(2 * margin_, 2 * margin_);
}

void PagePictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect sheet = sheetRect();
  if (sheet != rect()) {
    painter.fillRect(rect(), kBackground);
    painter.fillRect(sheet.translated(kShadowOffset, kShadowOffset), kShadow);
  }
  painter.fillRect(sheet, Qt::white);
  if (sheet != rect()) {
    painter.setPen(kOutline);
    painter.drawRect(sheet.adjusted(-1, -1, 0, 0));
  }
  painter.setClipRect(sheet);
  painter.translate(sheet.topLeft());
  surface_->Paint(painter, logicalDpiX(), logicalDpiY());
}

}  // namespace vantrels
