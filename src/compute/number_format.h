#pragma once

#include <string>
#include <string_view>

namespace vantrels {

// Writes a double as plain decimal text with up to 15 significant digits (like "%.15g", but never
// in exponent form: 1e-20 gives "0.00000000000000000001"). Zero gives "0", never "-0"; a value
// that is not finite gives an empty text.
std::string FormatDecimal15(double value);

// Formats a decimal text with the pattern "##.00": two decimals rounded half away from zero on
// the decimal digits, no leading zero below 1, leading minus. A number is any text of the form
// ParseNumber reads, of any length; a text that is not a number is returned unchanged (so an
// empty text gives an empty text). A negative value that rounds to zero gives ".00".
std::string FormatHashDot00(std::string_view text);

// "##.00" of the 15-digit decimal text of a finite value, as FormatHashDot00(FormatDecimal15(v)).
std::string FormatHundredths(double value);

}  // namespace vantrels
