#include "render/text_run.h"

#include <QGlyphRun>
#include <algorithm>
#include <functional>
#include <numeric>
#include <stdexcept>

#include "render/qt_text.h"
#include "render/report_fonts.h"

namespace vantrels {

TextRun TextRunSurface::RunAt(std::string_view text, double step) const {
  TextRun run;
  run.x = x_;
  run.y = y_;
  run.step = step;
  run.text = FromReportBytes(text);
  run.family = font_.family;
  run.points = font_.points;
  run.bold = font_.bold;
  run.underline = font_.underline;
  run.transparent = font_.transparent;
  return run;
}

void SelectFace(FontState& state, const std::string& face) {
  if (!face.empty() && face == state.face) return;
  const std::optional<QString> family = ResolveFontFamily(FromReportBytes(face));
  if (!family) throw std::runtime_error("Font not available: " + face);
  state.face = face;
  state.family = *family;
}

size_t TextPainter::LineKeyHash::operator()(const LineKey& key) const {
  const size_t font = std::hash<const void*>()(key.font);
  const size_t baseline = std::hash<double>()(key.baseline);
  return font ^ (baseline * 0x9e3779b97f4a7c15ULL) ^ static_cast<size_t>(key.face);
}

TextPainter::TextPainter(QPainter& painter, FontCache& fonts, double scale_x, double scale_y)
    : painter_(painter), fonts_(fonts), scale_x_(scale_x), scale_y_(scale_y) {
  painter_.setPen(Qt::black);
}

void TextPainter::Add(const TextRun& run) {
  if (run.text.isEmpty()) return;
  ResolvedFont& font = fonts_.Get(run.family, run.points, run.bold, *painter_.device());
  const double left = run.x * scale_x_;
  const double top = run.y * scale_y_;
  const double step = run.step * scale_x_;
  const double width = step * static_cast<double>(run.text.size());
  const double baseline = top + font.ascent();
  if (!run.transparent) {
    Flush();
    painter_.fillRect(QRectF(left, top, width, font.height()), Qt::white);
  }
  Line* line = nullptr;
  for (qsizetype k = 0; k < run.text.size(); ++k) {
    const QChar c = run.text.at(k);
    if (c == QLatin1Char(' ')) continue;
    const ResolvedFont::Glyph& glyph = font.GlyphFor(c);
    if (glyph.face < 0) continue;
    if (!line || line->key.face != glyph.face) line = &LineFor({&font, glyph.face, baseline});
    line->glyphs.push_back(glyph.index);
    line->positions.push_back(QPointF(left + static_cast<double>(k) * step, baseline));
  }
  // One line under the whole run: glyph-by-glyph underlines would leave gaps between cells.
  if (run.underline) {
    const double thickness = std::max(font.line_width(), 1.0);
    painter_.fillRect(
        QRectF(left, baseline + font.underline_position() - thickness / 2, width, thickness),
        Qt::black);
  }
}

TextPainter::Line& TextPainter::LineFor(const LineKey& key) {
  const auto [found, added] = line_index_.try_emplace(key, lines_.size());
  if (added) lines_.push_back({key, {}, {}});
  return lines_[found->second];
}

void TextPainter::Flush() {
  for (Line& line : lines_) Draw(line);
  lines_.clear();
  line_index_.clear();
}

void TextPainter::Draw(Line& line) {
  if (line.glyphs.isEmpty()) return;
  const auto left_of = [&](qsizetype a, qsizetype b) {
    return line.positions[a].x() < line.positions[b].x();
  };
  QVector<qsizetype> order(line.glyphs.size());
  std::iota(order.begin(), order.end(), 0);
  // Left to right, so that text taken from a PDF reads in the line's order.
  if (!std::is_sorted(order.begin(), order.end(), left_of)) {
    std::stable_sort(order.begin(), order.end(), left_of);
    QVector<quint32> glyphs(line.glyphs.size());
    QVector<QPointF> positions(line.positions.size());
    for (qsizetype k = 0; k < order.size(); ++k) {
      glyphs[k] = line.glyphs[order[k]];
      positions[k] = line.positions[order[k]];
    }
    line.glyphs.swap(glyphs);
    line.positions.swap(positions);
  }
  QGlyphRun run;
  run.setRawFont(line.key.font->Faces()[static_cast<size_t>(line.key.face)]);
  run.setGlyphIndexes(line.glyphs);
  run.setPositions(line.positions);
  painter_.drawGlyphRun(QPointF(0, 0), run);
}

void PaintTexts(QPainter& painter, FontCache& fonts, const std::vector<TextRun>& runs,
                double scale_x, double scale_y) {
  TextPainter texts(painter, fonts, scale_x, scale_y);
  for (const TextRun& run : runs) texts.Add(run);
  texts.Flush();
}

}  // namespace vantrels
