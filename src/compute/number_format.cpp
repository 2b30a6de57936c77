#include "compute/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <system_error>

#include "compute/number_read.h"

namespace vantrels {
namespace {

// Adds one to the decimal digits, carrying leftwards; a carry out of the first digit prepends 1.
void IncrementDigits(std::string& digits) {
  for (size_t k = digits.size(); k-- > 0;) {
    if (digits[k] != '9') {
      ++digits[k];
      return;
    }
    digits[k] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Room for the longest plain form: a sign, "0.", 323 zeros and 15 digits, or 309 digits.
using Decimal15Buffer = std::array<char, 352>;

// The plain decimal text of a finite value with 15 significant digits, written into buffer;
// empty for a value that is not finite.
std::string_view WriteDecimal15(double value, Decimal15Buffer& buffer) {
  if (!std::isfinite(value)) return {};
  if (value == 0) return "0";
  // Scientific form with 15 significant digits gives the rounded digits and the exponent.
  char scientific[32];
  const auto [end, ec] = std::to_chars(scientific, scientific + sizeof scientific, value,
                                       std::chars_format::scientific, 14);
  if (ec != std::errc()) return {};
  std::string_view text(scientific, end - scientific);
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  const size_t e = text.find('e');
  std::string_view exponent_text = text.substr(e + 1);
  if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);

  char digits[16];
  int digit_count = 0;
  for (char c : text.substr(0, e)) {
    if (c != '.') digits[digit_count++] = c;
  }
  while (digit_count > 1 && digits[digit_count - 1] == '0') --digit_count;

  char* out = buffer.data();
  if (negative) *out++ = '-';
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -exponent - 1, '0');
    out = std::copy_n(digits, digit_count, out);
  } else if (exponent + 1 >= digit_count) {
    out = std::copy_n(digits, digit_count, out);
    out = std::fill_n(out, exponent + 1 - digit_count, '0');
  } else {
    out = std::copy_n(digits, exponent + 1, out);
    *out++ = '.';
    out = std::copy(digits + exponent + 1, digits + digit_count, out);
  }
  return std::string_view(buffer.data(), out - buffer.data());
}

// "##.00" of the 15-digit text of a finite value without writing that text, which is most of the
// cost of a slope. Below 1e9 the 15-digit text differs from the value by less than 1e-6 and the
// value's hundredths are computed within 2e-5, so both round to the same hundredth unless the
// value lies within 1e-3 hundredths of a half hundredth; there (2.675 is stored as
// 2.67499999...) and for larger values nullopt leaves the decision to the text.
std::optional<std::string> HundredthsText(double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e9)) return std::nullopt;
  const double hundredths = magnitude * 100;
  const double whole = std::floor(hundredths);
  const double fraction = hundredths - whole;
  if (std::fabs(fraction - 0.5) <= 1e-3) return std::nullopt;
  const int64_t rounded = static_cast<int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  char buffer[32];
  char* out = buffer;
  if (value < 0 && rounded != 0) *out++ = '-';
  if (rounded >= 100) out = std::to_chars(out, buffer + sizeof buffer, rounded / 100).ptr;
  *out++ = '.';
  *out++ = static_cast<char>('0' + rounded % 100 / 10);
  *out++ = static_cast<char>('0' + rounded % 10);
  return std::string(buffer, out);
}

}  // namespace

std::string FormatDecimal15(double value) {
  Decimal15Buffer buffer;
  return std::string(WriteDecimal15(value, buffer));
}

std::string FormatHashDot00(std::string_view text) {
  const std::optional<DecimalText> number = SplitDecimal(text);
  if (!number) return std::string(text);
  const DecimalText& d = *number;

  // Digits of |value| scaled by 100, rounded half away from zero on the third decimal.
  std::string digits(d.integer);
  digits.append(d.fraction.substr(0, std::min<size_t>(2, d.fraction.size())));
  digits.append(2 - std::min<size_t>(2, d.fraction.size()), '0');
  if (d.fraction.size() > 2 && d.fraction[2] >= '5') IncrementDigits(digits);

  const size_t first_nonzero = digits.find_first_not_of('0');
  const bool zero = first_nonzero == std::string::npos;
  // The two decimals are the last two digits; what precedes them loses its leading zeros.
  const size_t integer_end = digits.size() - 2;
  const size_t integer_start = zero ? integer_end : std::min(first_nonzero, integer_end);

  std::string out;
  out.reserve(digits.size() + 2);
  if (d.negative && !zero) out.push_back('-');
  out.append(digits, integer_start, integer_end - integer_start);
  out.push_back('.');
  out.append(digits, integer_end, 2);
  return out;
}

std::string FormatHundredths(double value) {
  if (std::optional<std::string> text = HundredthsText(value)) return *std::move(text);
  Decimal15Buffer buffer;
  return FormatHashDot00(WriteDecimal15(value, buffer));
}

}  // namespace vantrels
