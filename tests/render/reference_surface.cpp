#include "render/reference_surface.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "render/qt_text.h"
#include "render/report_fonts.h"

namespace vantrels::testing {

void DrawTextRunPerCharacter(QPainter& painter, const TextRun& run, double scale_x,
                             double scale_y) {
  if (run.text.isEmpty()) return;
  const QFont font = MakeReportFont(run.family, run.points, run.bold);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(font, painter.device());
  const double left = run.x * scale_x;
  const double top = run.y * scale_y;
  const double step = run.step * scale_x;
  const double width = step * static_cast<double>(run.text.size());
  const double baseline = top + metrics.ascent();
  if (!run.transparent) painter.fillRect(QRectF(left, top, width, metrics.height()), Qt::white);
  for (qsizetype k = 0; k < run.text.size(); ++k) {
    const QChar c = run.text.at(k);
    if (c == QLatin1Char(' ')) continue;
    painter.drawText(QPointF(left + static_cast<double>(k) * step, baseline), QString(c));
  }
  if (run.underline) {
    const double thickness = std::max(metrics.lineWidth(), 1.0);
    painter.fillRect(
        QRectF(left, baseline + metrics.underlinePos() - thickness / 2, width, thickness),
        Qt::black);
  }
}

QImage RenderReferencePicture(const WindowSurface& surface, QSize size, double dpi) {
  QImage image = WhitePicture(size, dpi);
  QPainter painter(&image);
  const double scale_x = image.logicalDpiX() / kTwipsPerInch;
  const double scale_y = image.logicalDpiY() / kTwipsPerInch;
  for (const TextRun& run : surface.Runs()) DrawTextRunPerCharacter(painter, run, scale_x, scale_y);
  painter.end();
  return image;
}

void ReferencePrinterSurface::PrintText(std::string_view text) {
  if (text.empty()) return;
  if (pages_.empty() || new_page_pending_) {
    pages_.emplace_back();
    new_page_pending_ = false;
  }
  pages_.back().push_back(RunAt(text, 1));
}

std::optional<CellMeasure> ReferencePrinterSurface::MeasureCells() {
  const QRectF area = printer_->pageRect(QPrinter::DevicePixel);
  return CellMeasure{area.width() / printer_->logicalDpiX() * 12,
                     area.height() / printer_->logicalDpiY() * 6};
}

Status ReferencePrinterSurface::EndDoc() {
  if (pages_.empty()) return {};
  QPainter painter;
  if (!painter.begin(printer_.get())) return Rejected("cannot start the document");
  const double scale_x = printer_->logicalDpiX() / 12.0;
  const double scale_y = printer_->logicalDpiY() / 6.0;
  for (size_t p = 0; p < pages_.size(); ++p) {
    if (p > 0) printer_->newPage();
    for (const TextRun& run : pages_[p]) DrawTextRunPerCharacter(painter, run, scale_x, scale_y);
  }
  painter.end();
  pages_.clear();
  return {};
}

}  // namespace vantrels::testing
