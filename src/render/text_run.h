#pragma once

#include <QPainter>
#include <QPointF>
#include <QString>
#include <QVector>
#include <string>
#include <unordered_map>
#include <vector>

#include "layout/surface.h"
#include "render/font_cache.h"
#include "render/report_fonts.h"

namespace vantrels {

// One text drawn on a surface, kept until the surface paints it. Positions and the character
// step are in the surface's own units (character cells on a printer, twips on a window).
struct TextRun {
  double x = 0;
  double y = 0;
  // Distance from one character to the next: every character sits on the cell grid, whatever
  // the font's own advance is after Qt rounds its pixel size.
  double step = 0;
  QString text;
  QString family;
  double points = 10;
  bool bold = false;
  bool underline = false;
  bool transparent = false;
};

// The font state a surface keeps between its setters.
struct FontState {
  std::string face;
  QString family = QLatin1String(kLastFallbackFamily);
  double points = 10;
  bool bold = false;
  bool underline = false;
  bool transparent = false;
};

// Selects `face` into `state`; throws std::runtime_error when the face cannot be selected.
void SelectFace(FontState& state, const std::string& face);

// What the Qt surfaces share: the position and font the setters choose, and the text run a
// text drawn with them becomes.
class TextRunSurface : public Surface {
 public:
  void SetCurrentX(int x) override { x_ = x; }
  void SetCurrentY(int y) override { y_ = y; }
  void SetFontName(const std::string& face) override { SelectFace(font_, face); }
  void SetFontSize(double points) override { font_.points = points; }
  void SetFontBold(bool on) override { font_.bold = on; }
  void SetFontUnderline(bool on) override { font_.underline = on; }
  void SetFontTransparent(bool on) override { font_.transparent = on; }

 protected:
  // `text` (Windows-1252 bytes) at the current position and font, a character every `step`.
  TextRun RunAt(std::string_view text, double step) const;
  double FontPoints() const { return font_.points; }

 private:
  int x_ = 0;
  int y_ = 0;
  FontState font_;
};

// Paints the texts of one picture or sheet; scale is device pixels per surface unit. Character k
// of a text sits k steps right of the text's top-left corner, whatever the font's own advance.
// Glyphs of one face and size on one baseline are gathered and drawn as one glyph run, so a PDF
// page holds a text object per line and face, not one per character. All ink is black, which
// reads the same in any order; only a text that paints its background (not transparent) first
// draws what was gathered, so that its background covers it as it would have.
class TextPainter {
 public:
  TextPainter(QPainter& painter, FontCache& fonts, double scale_x, double scale_y);
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  void Add(const TextRun& run);
  // Draws what has been gathered; needed before the painter ends or its page changes.
  void Flush();

 private:
  struct LineKey {
    const ResolvedFont* font;
    int face;
    double baseline;
    bool operator==(const LineKey&) const = default;
  };
  struct LineKeyHash {
    size_t operator()(const LineKey& key) const;
  };
  struct Line {
    LineKey key;
    QVector<quint32> glyphs;
    QVector<QPointF> positions;
  };

  Line& LineFor(const LineKey& key);
  void Draw(Line& line);

  QPainter& painter_;
  FontCache& fonts_;
  double scale_x_;
  double scale_y_;
  // Lines in the order they were started, so a document comes out the same every time.
  std::vector<Line> lines_;
  std::unordered_map<LineKey, size_t, LineKeyHash> line_index_;
};

// The texts of one picture or sheet, painted with a TextPainter.
void PaintTexts(QPainter& painter, FontCache& fonts, const std::vector<TextRun>& runs,
                double scale_x, double scale_y);

}  // namespace vantrels
