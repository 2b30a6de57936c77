#include "book/page_input.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "model/inherited_messages.h"
#include "model/text.h"

namespace vantrels {

namespace {

constexpr size_t kMostDigits = 9;
// Any page number of this many digits fits a 64-bit number.
constexpr size_t kMostEntryDigits = 18;

// The zero-based page of a box, or nullopt when the box holds no page of the side.
std::optional<int16_t> PageOfBox(std::string_view box, int32_t pages) {
  const std::string_view digits = TrimBlanks(box);
  if (digits.empty()) return 0;
  if (digits.size() > kMostDigits ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  int32_t page = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), page);
  if (page < 1 || page > pages) return std::nullopt;
  return static_cast<int16_t>(page - 1);
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text);
  quoted.push_back('"');
  return quoted;
}

}  // namespace

Result<BoxedPages> ValidatePageRange(std::string_view from_box, std::string_view to_box,
                                     int32_t pages) {
  const std::optional<int16_t> from = PageOfBox(from_box, pages);
  const std::optional<int16_t> to = PageOfBox(to_box, pages);
  const std::string range = " must be a whole number from 1 to " + std::to_string(pages);
  if (!from) return UsageError(" From Page" + range + ", Please correct");
  if (!to) return UsageError(" To Page" + range + ", Please correct");
  if (*to < *from) return UsageError(inherited::kPageOrder);
  return BoxedPages{*from, *to};
}

Result<int64_t> ReadEntryPageNumber(std::string_view text) {
  const std::string_view entry = TrimBlanks(text);
  const auto blank = entry.find(' ');
  if (blank == std::string_view::npos) {
    return UsageError(
        Quoted(entry).append(" does not begin with a page number followed by a blank"));
  }
  const std::string_view digits = entry.substr(0, blank);
  const Failure not_a_number = UsageError(Quoted(digits).append(" is not a page number"));
  size_t pos = 0;
  bool negative = false;
  if (digits[pos] == '+' || digits[pos] == '-') negative = digits[pos++] == '-';
  if (pos == digits.size()) return not_a_number;
  int64_t value = 0;
  for (size_t count = 0; pos < digits.size(); ++pos, ++count) {
    const char c = digits[pos];
    if (c < '0' || c > '9') return not_a_number;
    if (count == kMostEntryDigits) {
      return UsageError(Quoted(digits).append(" is too long for a page number"));
    }
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

}  // namespace vantrels
