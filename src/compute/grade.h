#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/messages.h"
#include "model/store.h"

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

// Orders (divided only) and slopes the points of the station arrays of RoadwayType. Shows no
// message: a step whose numbers cannot be read gets an empty slope text, and a station with more
// than 31 points is left untouched.
void CalculateSlopes(Store& store, Messages& messages);

// Copies the station arrays into the filtered arrays. A record that cannot be copied (more than
// 31 points, or an index beyond an array) is skipped; the fault is shown once per call.
void FilterPoints(Store& store, Messages& messages);

// Builds the report arrays from the filtered arrays. A station that cannot be built is skipped
// (a side stops at an index beyond its arrays); the fault is shown once per call.
void WritetoFinalReport(Store& store, Messages& messages);

// Turns a point code into words ("LtSgEOP" -> "Left Edge"); other codes pass unchanged.
std::string DescribePoint(const std::string& code);

}  // namespace vantrels
