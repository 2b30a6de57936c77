#pragma once

#include <string>
#include <string_view>

#include "model/cp1252.h"

namespace vantrels {

// A value the user gave (an option's value, a file name) as a message shows it, on one line and
// harmless to a terminal: control characters, backslashes, double quotes and bytes that are not
// UTF-8 are written as C escapes ("\n", "\x1b", "\u2028").
std::string EscapedText(std::string_view bytes);

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
