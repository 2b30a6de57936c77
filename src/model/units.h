#pragma once

#include <optional>
#include <string_view>

namespace vantrels {

// Window positions and sizes are in twips; a printer character cell is 120 x 240 twips
// (1/12 by 1/6 inch), the cell of a 10-point fixed-pitch face.
inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kCellTwipsWide = 120;
inline constexpr double kCellTwipsHigh = 240;

// Twips of `pixels` on a device of `dpi` dots per inch, and whole pixels of `twips`.
inline double PixelsToTwips(double pixels, double dpi) {
  return pixels * kTwipsPerInch / dpi;
}
int TwipsToPixels(double twips, double dpi);

// Where a character cell of the printer page lands on a window that shows the page at
// `view_scale` twips per twip, in twips.
inline double CellColumnTwips(double column, double view_scale) {
  return column * kCellTwipsWide * view_scale;
}
inline double CellLineTwips(double line, double view_scale) {
  return line * kCellTwipsHigh * view_scale;
}

// The value rounded to single precision and back, as the page size and the view scale have
// always been kept.
double SinglePrecision(double value);

// The printable area of the printer page in character cells, in single precision: the whole
// book is laid out on it, and the viewer shows each page with its proportions.
struct PageGeometry {
  double columns = 0;
  double lines = 0;

  // A measure of the printer, rounded to single precision.
  static PageGeometry Measured(double columns, double lines) {
    return {SinglePrecision(columns), SinglePrecision(lines)};
  }
  bool operator==(const PageGeometry&) const = default;
};

// The papers a PDF book can be written on (quarter-inch margins).
enum class Paper { Letter, A4, Legal };

// "letter", "a4" or "legal", in any letter case; nullopt for anything else.
std::optional<Paper> ParsePaper(std::string_view name);

}  // namespace vantrels
