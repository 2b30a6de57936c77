#pragma once

#include <algorithm>

#include "model/book.h"

namespace vantrels::page_positions {

// Where the texts of a report page stand, in character cells. The heading, the page label, the
// body's columns and its bands keep their distance from the right and bottom edges of the
// printable area, so they move with the page's size; only the limit for starting a station is a
// fixed line counted from the top.
struct EdgeCell {
  double columns_from_right;
  double lines_from_bottom;
};

// What follows a heading item's text.
enum class HeadingValue { kNone, kProjectNumber, kDate };

// One item of the page heading, bold. The window's and the printer's texts differ by a blank,
// and the title stands two columns apart, as they always have: each was spaced by eye for its
// own device, and a book must look as it did.
struct HeadingItem {
  EdgeCell window;
  EdgeCell printer;
  const char* window_text;
  const char* printer_text;
  HeadingValue value;
  bool underlined;
};

// In the order drawn; the project and the date stand one line below the other three.
inline constexpr HeadingItem kHeading[] = {
    {{89, 61}, {89, 61}, "Project No: ", "Project No: ", HeadingValue::kProjectNumber, false},
    {{70, 62}, {70, 62}, " GEOPAK  ", "  GEOPAK  ", HeadingValue::kNone, false},
    {{57, 62}, {59, 62}, "V A N T - R E L S", " V A N T - R E L S ", HeadingValue::kNone, true},
    {{41, 62}, {41, 62}, "  BOOK ", "  BOOK  ", HeadingValue::kNone, false},
    {{25, 61}, {25, 61}, "Date: ", "Date: ", HeadingValue::kDate, false},
};

// "Page No.:3 of 12", on the heading's upper line.
inline constexpr EdgeCell kPageLabel = {30, 62};

// Body columns, from the right edge: the station heading (section label, region station,
// station), then the three point columns; a message stands in the first point column.
inline constexpr double kStationHeadingColumn = 89;
inline constexpr double kPointColumns[kPointsPerRow] = {60, 40, 20};
inline constexpr double kMessageColumn = kPointColumns[0];

// Band b of the body (a station heading, or a grid row of three cells) begins on line
// round(lines - kFirstBandFromBottom + kBandLines * b) from the top; no station begins on
// kLastStationLine or below it.
inline constexpr double kFirstBandFromBottom = 56;
inline constexpr double kBandLines = 6;
inline constexpr double kLastStationLine = 50;

// The page's leftmost text, in columns from the right edge.
constexpr double LeftmostColumn() {
  double leftmost = std::max({kStationHeadingColumn, kPageLabel.columns_from_right,
                              kPointColumns[0], kPointColumns[1], kPointColumns[2]});
  for (const HeadingItem& item : kHeading) {
    leftmost = std::max({leftmost, item.window.columns_from_right,
                         item.printer.columns_from_right});
  }
  return leftmost;
}

// The page's top line, in lines from the bottom edge: the heading's upper line.
constexpr double TopLine() {
  double top = kPageLabel.lines_from_bottom;
  for (const HeadingItem& item : kHeading) {
    top = std::max({top, item.window.lines_from_bottom, item.printer.lines_from_bottom});
  }
  return top;
}

}  // namespace vantrels::page_positions
