#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/result.h"

namespace vantrels {

// The printable area of a printer page in character cells of 120 x 240 twips.
struct CellMeasure {
  double columns = 0;
  double lines = 0;
};

// A position in a surface's own units.
struct SurfacePoint {
  int x = 0;
  int y = 0;
};

// Rounds to the nearest integer, halves to even, and checks the 16-bit coordinate range
// (throws std::runtime_error("Overflow") outside it).
int16_t RoundCoordinate(double value);

// What a report page is drawn on: a printer, whose unit is the character cell, or a window,
// whose unit is the twip. The layout places every text by character cell and point size as on
// the printer page; each surface converts to its own units. Only text is drawn. Operations that
// a target cannot perform throw std::runtime_error with a description; callers report it as
// their failure.
class Surface {
 public:
  virtual ~Surface() = default;

  // True for a window: the page heading takes its window texts, spaced apart from the printer's.
  virtual bool IsWindow() const = 0;
  // Where the cell at (column, line) from the top-left corner of the printable area lies in the
  // surface's units; a fraction of a cell is kept until the surface rounds its own units. Throws
  // std::runtime_error("Overflow") outside the 16-bit coordinates. A printer rounds the cell.
  virtual SurfacePoint CellPosition(double column, double line) const {
    return {RoundCoordinate(column), RoundCoordinate(line)};
  }
  virtual void SetCurrentX(int x) = 0;
  virtual void SetCurrentY(int y) = 0;
  // Draws text (Windows-1252 bytes) with its top-left corner at the current position.
  virtual void PrintText(std::string_view text) = 0;
  // Throws std::runtime_error when the face cannot be selected on this target.
  virtual void SetFontName(const std::string& face) = 0;
  // The size in points as on the printer page; a window scales it with its picture.
  virtual void SetFontSize(double points) = 0;
  virtual void SetFontBold(bool on) = 0;
  virtual void SetFontUnderline(bool on) = 0;
  virtual void SetFontTransparent(bool on) = 0;

  // Printer: the printable area in character cells; nullopt when no printer can be measured.
  virtual std::optional<CellMeasure> MeasureCells() { return std::nullopt; }
  virtual void NewPage() {}
  // Ends the document; a printer that cannot take it fails with the reason.
  virtual Status EndDoc() { return {}; }
  virtual void KillDoc() {}

  // Window: empty the picture; outer size in twips.
  virtual void Clear() {}
  virtual double Width() const { return 0; }
  virtual double Height() const { return 0; }
};

}  // namespace vantrels
