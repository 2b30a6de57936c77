#pragma once

#include <string>
#include <vector>

#include "model/book.h"

namespace vantrels {

// The header row of the spreadsheet export, in column order.
inline constexpr const char* kCsvColumns[] = {"Side",      "Station",         "Region Station",
                                              "Point",     "Description",     "Offset",
                                              "Elevation", "Cross Slope (%)", "Message"};
// The column after them when a point of the book has a cut or fill.
inline constexpr const char* kCsvCutFillColumn = "Cut/Fill";

// The points of the chosen sides of `book` (left before right; an undivided roadway has one
// book whatever the side) as a spreadsheet: CSV after RFC 4180 (CR LF line ends, a field with a
// comma, a quote or a line end quoted, its quotes doubled), UTF-8 decoded from the file's
// Windows-1252. A header row, then one row per point in book order, its texts as the book shows
// them: side ("Undivided", "Left", "Right"), station, region station, point number within the
// station from 1, description, offset, elevation, cross slope to the next point ("##.00", empty
// where the book shows none) and an empty message. A message station is one row of its message
// text without points; a station without points is one row of empty point columns.
// When a point of the chosen sides has a cut or fill (a LandXML file with its ground), a last
// column gives it: ground minus design, two decimals, positive for cut ("4.79", "-0.45"), empty
// where the ground does not reach. A criteria file's export never has it, so its columns stay as
// they always were; the columns before it are the same for every book.
std::string BookCsv(const Book& book, const std::vector<Side>& sides);

}  // namespace vantrels
