#pragma once

#include <string>
#include <string_view>

#include "model/cp1252.h"
#include "model/escaped_text.h"

namespace vantrels {

// Text typed by the user (UTF-8, the locale of every Debian system) as the book's Windows-1252.
struct Cp1252Text {
  enum class Problem { kNone, kNotUtf8, kControl, kMissing };
  std::string bytes;
  Problem problem = Problem::kNone;
  // kMissing: the first character that Windows-1252 lacks.
  char32_t missing = 0;
};

// Control characters (C0, DEL and C1, line and paragraph separators) are refused: the text is
// a page heading of one line.
Cp1252Text Utf8ToCp1252(std::string_view utf8);

// "U+2116".
std::string CodePointName(char32_t code_point);

}  // namespace vantrels
