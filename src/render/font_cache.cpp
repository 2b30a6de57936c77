#include "render/font_cache.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>

#include "render/report_fonts.h"

namespace vantrels {

namespace {

constexpr size_t kMaxCachedFonts = 32;

}  // namespace

ResolvedFont::ResolvedFont(const QFont& font) : font_(font) {
  faces_.push_back(QRawFont::fromFont(font_));
  const QFontMetricsF metrics(font_);
  ascent_ = metrics.ascent();
  height_ = metrics.height();
  underline_position_ = metrics.underlinePos();
  line_width_ = metrics.lineWidth();
}

ResolvedFont::Glyph ResolvedFont::Lookup(QChar c) {
  // A soft hyphen shows only where a line breaks at it, which a report text never does.
  if (c.category() == QChar::Other_Format) return {};
  // Control characters and blanks other than ' ' are left to the font service, which decides
  // whether and how they show.
  if (!c.isPrint() || c.isSpace()) return LayOut(c);
  quint32 index = 0;
  int count = 1;
  if (faces_[0].isValid() && faces_[0].glyphIndexesForChars(&c, 1, &index, &count) && count == 1 &&
      index != 0) {
    return {index, 0};
  }
  return LayOut(c);
}

ResolvedFont::Glyph ResolvedFont::LayOut(QChar c) {
  QTextLayout layout(QString(c), font_);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  for (const QGlyphRun& run : layout.glyphRuns()) {
    if (run.glyphIndexes().isEmpty()) continue;
    return {run.glyphIndexes().front(), FaceIndex(run.rawFont())};
  }
  return {};
}

int ResolvedFont::FaceIndex(const QRawFont& face) {
  const auto found = std::find(faces_.begin(), faces_.end(), face);
  if (found != faces_.end()) return static_cast<int>(found - faces_.begin());
  faces_.push_back(face);
  return static_cast<int>(faces_.size() - 1);
}

void FontCache::Trim() {
  if (entries_.size() >= kMaxCachedFonts) entries_.clear();
}

ResolvedFont& FontCache::Get(const QString& family, double points, bool bold,
                             const QPaintDevice& device) {
  const int dpi_x = device.logicalDpiX();
  const int dpi_y = device.logicalDpiY();
  const auto matches = [&](const Entry& e) {
    return e.points == points && e.bold == bold && e.dpi_x == dpi_x && e.dpi_y == dpi_y &&
           e.family == family;
  };
  if (last_hit_ < entries_.size() && matches(entries_[last_hit_])) {
    return *entries_[last_hit_].font;
  }
  const auto found = std::find_if(entries_.begin(), entries_.end(), matches);
  if (found != entries_.end()) {
    last_hit_ = static_cast<size_t>(found - entries_.begin());
    return *found->font;
  }
  const QFont font(MakeReportFont(family, points, bold), &device);
  entries_.push_back({family, points, bold, dpi_x, dpi_y, std::make_unique<ResolvedFont>(font)});
  last_hit_ = entries_.size() - 1;
  return *entries_.back().font;
}

}  // namespace vantrels
