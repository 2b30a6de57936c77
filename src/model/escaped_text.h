#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrels {

// One UTF-8 sequence: its code point and its length in bytes. A length of 0 means the bytes
// there are not UTF-8 (a stray or truncated byte, an overlong form, a surrogate, or a code point
// above U+10FFFF).
struct Utf8Char {
  char32_t code_point = 0;
  size_t length = 0;
};

Utf8Char DecodeUtf8At(std::string_view bytes, size_t at);

// A value the user gave (an option's value, a file name) as a message shows it, on one line and
// harmless to a terminal: control characters, backslashes, double quotes and bytes that are not
// UTF-8 are written as C escapes ("\n", "\x1b", "\u2028").
std::string EscapedText(std::string_view bytes);

}  // namespace vantrels
