#pragma once

#include <optional>
#include <string_view>

namespace vantrels {

// Reads a plain decimal text: optional sign, digits with an optional point, at least one digit,
// surrounding blanks allowed ("12.00", "-3.5", " 100.06 ", "+5", ".5", "5."). No exponent, no
// separators, no locale. nullopt for empty or non-numeric text and for magnitudes beyond a double;
// a magnitude too small for a double reads as zero.
std::optional<double> ParseNumber(std::string_view text);

// A plain decimal number split into its parts: sign, integer digits and fraction digits.
struct DecimalText {
  bool negative = false;
  std::string_view integer;
  std::string_view fraction;
};

// Splits such a text into its parts without reading its value; nullopt when it is no number.
std::optional<DecimalText> SplitDecimal(std::string_view text);

}  // namespace vantrels
