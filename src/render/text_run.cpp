#include "render/text_run.h"

#include <QFontMetricsF>
#include <algorithm>
#include <stdexcept>

#include "render/qt_text.h"
#include "render/report_fonts.h"

namespace vantrels {

void SelectFace(FontState& state, const std::string& face) {
  if (!face.empty() && face == state.face) return;
  const std::optional<QString> family = ResolveFontFamily(FromReportBytes(face));
  if (!family) throw std::runtime_error("Font not available: " + face);
  state.face = face;
  state.family = *family;
}

void DrawTextRun(QPainter& painter, const TextRun& run, double scale_x, double scale_y) {
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
  // One line under the whole run: glyph-by-glyph underlines would leave gaps between cells.
  if (run.underline) {
    const double thickness = std::max(metrics.lineWidth(), 1.0);
    painter.fillRect(
        QRectF(left, baseline + metrics.underlinePos() - thickness / 2, width, thickness),
        Qt::black);
  }
}

}  // namespace vantrels
