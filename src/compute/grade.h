#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/book.h"
#include "model/messages.h"

namespace vantrels {

inline constexpr double kMinSlopeSpan = 0.2;

// Reads a plain decimal text: optional sign, digits with an optional point, at least one digit,
// surrounding blanks allowed ("12.00", "-3.5", " 100.06 ", "+5", ".5", "5."). No exponent, no
// separators, no locale. nullopt for empty or non-numeric text and for magnitudes beyond a double;
// a magnitude too small for a double reads as zero.
std::optional<double> ParseNumber(std::string_view text);

// Writes a double as plain decimal text with up to 15 significant digits (like "%.15g", but never
// in exponent form: 1e-20 gives "0.00000000000000000001"). Zero gives "0", never "-0"; a value
// that is not finite gives an empty text.
std::string FormatDecimal15(double value);

// Formats a decimal text with the pattern "##.00": two decimals rounded half away from zero on
// the decimal digits, no leading zero below 1, leading minus. A number is any text of the form
// ParseNumber reads, of any length; a text that is not a number is returned unchanged (so an
// empty text gives an empty text). A negative value that rounds to zero gives ".00".
std::string FormatHashDot00(std::string_view text);

// The slope text from ((e1 - e0) * 100) / span, formatted "##.00"; empty when not finite.
std::string SlopeText(double e0, double e1, double span);

// Orders the points of a divided roadway's stations (the first point of each moves to its place
// by offset) and writes every slope text. Shows no message: a step whose numbers cannot be read
// gets an empty slope text, and a station of more points than a station holds is left as it is.
RoadwayStations CalculateSlopes(RoadwayStations stations);

// The stations the report is built from. Every point is kept, whatever the main window's report
// options say. A station of more points than a station holds cannot be taken: it is left empty
// and the fault is shown once per call.
RoadwayStations FilterPoints(RoadwayStations stations, Messages& messages);

// The report table of one roadway or side, taking over the stations' texts: per station the
// section label, the names, and the message or the points three to a grid row. A station that
// cannot be built (more points than the grid holds) is left empty; the fault is shown once.
std::vector<ReportRecord> BuildReport(Stations stations, Messages& messages);

// The report of every side: a book of the roadway's side books, not yet counted into pages.
Book BuildReport(RoadwayStations stations, Messages& messages);

// Turns a point code into words ("LtSgEOP" -> "Left Edge"); other codes pass unchanged.
std::string DescribePoint(std::string code);

// The point code the file gave a point of the report, whose label is its description.
std::string PointCode(const Point& point);

}  // namespace vantrels
