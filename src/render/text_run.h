#pragma once

#include <QPainter>
#include <QString>
#include <string>

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

// Draws `run` with its top-left corner at (x, y) * scale; scale is device pixels per unit.
void DrawTextRun(QPainter& painter, const TextRun& run, double scale_x, double scale_y);

}  // namespace vantrels
