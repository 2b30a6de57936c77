#include "compute/number_read.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "model/text.h"

namespace vantrels {
namespace {

// 10^0 to 10^22, each exact in a double: an integer of up to 15 digits divided by one of them is
// the nearest double to the decimal.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactDigits = 15;
constexpr size_t kExactDecimals = 22;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The value of a decimal's digits without its sign; NaN when it exceeds a double.
// Up to 15 significant digits and 22 decimals: an exact integer divided by an exact power of
// ten, which one correctly rounded division turns into the nearest double.
double ReadMagnitude(const DecimalText& d) {
  if (d.fraction.size() <= kExactDecimals) {
    uint64_t mantissa = 0;
    int significant = 0;
    // Beyond 15 digits the mantissa may wrap; it is not used then.
    for (std::string_view part : {d.integer, d.fraction}) {
      for (char c : part) {
        if (significant > 0 || c != '0') ++significant;
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      }
    }
    if (significant <= kExactDigits) {
      return static_cast<double>(mantissa) / kPowersOfTen[d.fraction.size()];
    }
  }
  double value = 0;
  const char* first = d.integer.empty() ? d.fraction.data() - 1 : d.integer.data();
  const char* last = d.fraction.empty() ? d.integer.data() + d.integer.size()
                                        : d.fraction.data() + d.fraction.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range &&
      d.integer.find_first_not_of('0') == std::string_view::npos) {
    return 0;  // too small for a double: reads as zero
  }
  if (ec != std::errc() || !std::isfinite(value)) return std::nan("");
  return value;
}

// The common number of a file ("1234.56", "-12.00") read in one pass; nullopt when the text
// needs the general reading (or is no number, which that reading then says).
std::optional<double> ReadShortNumber(std::string_view text) {
  text = TrimWhitespace(text);
  size_t i = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) negative = text[i++] == '-';
  uint64_t mantissa = 0;
  int significant = 0;
  size_t digits = 0;
  size_t decimals = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      if (significant > 0 || c != '0') ++significant;
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      ++digits;
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || significant > kExactDigits || decimals > kExactDecimals) return std::nullopt;
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  return negative ? -magnitude : magnitude;
}

}  // namespace

// Accepts [+-]digits[.digits] with at least one digit on either side of the point; no exponent,
// no separators, so the reading never depends on a locale.
std::optional<DecimalText> SplitDecimal(std::string_view text) {
  text = TrimWhitespace(text);
  DecimalText d;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    d.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  d.integer = text.substr(0, i);
  if (i < text.size() && text[i] == '.') {
    size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j;
    d.fraction = text.substr(i + 1, j - i - 1);
    i = j;
  }
  if (i != text.size() || (d.integer.empty() && d.fraction.empty())) return std::nullopt;
  return d;
}

std::optional<double> ParseNumber(std::string_view text) {
  if (const std::optional<double> number = ReadShortNumber(text)) return number;
  const std::optional<DecimalText> d = SplitDecimal(text);
  if (!d) return std::nullopt;
  const double magnitude = ReadMagnitude(*d);
  if (std::isnan(magnitude)) return std::nullopt;
  return d->negative ? -magnitude : magnitude;
}

}  // namespace vantrels
