#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/messages.h"
#include "app/store.h"

namespace vantrels {

inline constexpr double kMinSlopeSpan = 0.2;

// Reads a plain decimal text ("12.00", "-3.5", " 100.06 "); nullopt for empty or non-numeric text.
std::optional<double> ParseNumber(std::string_view text);

// Writes a double as plain decimal text with up to 15 significant digits (like "%.15g", but never
// in exponent form).
std::string FormatDecimal15(double value);

// Formats a decimal text with the pattern "##.00": two decimals rounded half away from zero on
// the decimal digits, no leading zero below 1, leading minus. A text that is not a number is
// returned unchanged; an empty text gives an empty text.
std::string FormatHashDot00(std::string_view text);

// The slope text from ((e1 - e0) * 100) / span, formatted "##.00".
std::string SlopeText(double e0, double e1, double span);

void CalculateSlopes(Store& store, Messages& messages);
void FilterPoints(Store& store, Messages& messages);
void WritetoFinalReport(Store& store, Messages& messages);

// Turns a point code into words ("LtSgEOP" -> "Left Edge"); other codes pass unchanged.
std::string DescribePoint(const std::string& code);

}  // namespace vantrels
