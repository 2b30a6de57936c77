#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/result.h"

namespace vantrels {

// The pages the print range dialog's two boxes name: zero-based, both printed.
struct BoxedPages {
  int16_t from = 0;
  int16_t to = 0;
  bool operator==(const BoxedPages&) const = default;
};

// Reads the two boxes against a side of `pages` pages. A box holds a whole number from 1 to
// `pages`, blanks around it allowed; an empty box means the first page. A box that does not is
// named in the failure (kUsage), the first box first; a range whose last page comes before its
// first is refused after both boxes were read.
Result<BoxedPages> ValidatePageRange(std::string_view from_box, std::string_view to_box,
                                     int32_t pages);

// The page number at the start of a station list entry (Windows-1252 text, blanks around it
// allowed): the characters up to the first blank, a signed whole number of at most 18 digits.
// Whether the book has that page is the navigator's question. Fails (kUsage) with why there is
// none: "\"12\" does not begin with a page number followed by a blank", "\"ab\" is not a page
// number", "\"1234567890123456789\" is too long for a page number".
Result<int64_t> ReadEntryPageNumber(std::string_view entry);

}  // namespace vantrels
