#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrels {

// The print range dialog's two page boxes, checked against a side of `pages` pages.
struct PageRangeCheck {
  // Both boxes hold pages of the side: `from` and `to` are the zero-based pages.
  bool read = false;
  int16_t from = 0;
  int16_t to = 0;
  // The message to show; empty when pages from..to can be printed.
  std::string problem;
};

// A box holds a whole number from 1 to `pages`, blanks around it allowed; an empty box means the
// first page. A box that does not is named in the problem, the first box first; a range whose
// last page comes before its first is refused after both boxes were read.
PageRangeCheck ValidatePageRange(std::string_view from_box, std::string_view to_box, int32_t pages);

// The page number at the start of a station list entry (Windows-1252 text, blanks around it
// allowed): the characters up to the first blank, a signed whole number of at most 18 digits.
// Whether the book has that page is the navigator's question.
struct EntryPageNumber {
  std::optional<int64_t> page;
  // Why there is none: "\"12\" does not begin with a page number followed by a blank",
  // "\"ab\" is not a page number", "\"1234567890123456789\" is too long for a page number".
  std::string problem;
};
EntryPageNumber ReadEntryPageNumber(std::string_view entry);

}  // namespace vantrels
