#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vantrels {

// A report font resolved for one device resolution, with each character's glyph looked up once.
// A character the face has is taken from its character map (no shaping: a report character
// never combines with its neighbours); any other character is laid out once by the font service,
// which picks the fallback face that draws it, and that face and glyph are kept.
class ResolvedFont {
 public:
  struct Glyph {
    quint32 index = 0;
    // Index into Faces(); -1 when the character draws nothing.
    int face = -1;
  };

  // `font` must already carry the device's resolution (QFont(font, device)).
  explicit ResolvedFont(const QFont& font);

  const Glyph& GlyphFor(QChar c) {
    const char16_t u = c.unicode();
    if (u < kLatinCount) {
      Glyph& glyph = latin_[u];
      if (!latin_known_[u]) {
        glyph = Lookup(c);
        latin_known_[u] = true;
      }
      return glyph;
    }
    const auto found = others_.find(u);
    if (found != others_.end()) return found->second;
    return others_.emplace(u, Lookup(c)).first->second;
  }

  // Face 0 is the chosen face; fallback faces follow in the order they were first needed.
  const std::vector<QRawFont>& Faces() const { return faces_; }

  // The chosen face's metrics in device pixels, as QFontMetricsF gives them.
  double ascent() const { return ascent_; }
  double height() const { return height_; }
  double underline_position() const { return underline_position_; }
  double line_width() const { return line_width_; }

 private:
  static constexpr char16_t kLatinCount = 256;

  Glyph Lookup(QChar c);
  Glyph LayOut(QChar c);
  int FaceIndex(const QRawFont& face);

  QFont font_;
  std::vector<QRawFont> faces_;
  std::array<Glyph, kLatinCount> latin_{};
  std::array<bool, kLatinCount> latin_known_{};
  std::unordered_map<char16_t, Glyph> others_;
  double ascent_ = 0;
  double height_ = 0;
  double underline_position_ = 0;
  double line_width_ = 0;
};

// The report fonts one surface draws with, each resolved once per family, size, weight and
// device resolution. Entries stay valid until the cache is destroyed or trimmed.
class FontCache {
 public:
  // Drops every entry once there are many (a viewer resized again and again asks for a new size
  // each time); called before a picture or document is painted, never during.
  void Trim();
  ResolvedFont& Get(const QString& family, double points, bool bold, const QPaintDevice& device);
  size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    QString family;
    double points;
    bool bold;
    int dpi_x;
    int dpi_y;
    std::unique_ptr<ResolvedFont> font;
  };

  std::vector<Entry> entries_;
  size_t last_hit_ = 0;
};

}  // namespace vantrels
