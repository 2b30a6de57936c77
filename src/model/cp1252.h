#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrels {

// Decodes Windows-1252 bytes to UTF-8. The five bytes that code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a code point, the reverse of Cp1252ToCodePoint; nullopt for a
// character that code page lacks.
std::optional<unsigned char> CodePointToCp1252(char32_t code_point);

// One UTF-8 sequence: its code point and its length in bytes. A length of 0 means the bytes
// there are not UTF-8 (a stray or truncated byte, an overlong form, a surrogate, or a code point
// above U+10FFFF).
struct Utf8Char {
  char32_t code_point = 0;
  size_t length = 0;
};
Utf8Char DecodeUtf8At(std::string_view bytes, size_t at);

// Appends the UTF-8 form of a code point (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t code_point);

// UTF-8 text as Windows-1252 bytes. A character that code page lacks, and each byte that is not
// UTF-8, becomes '?', as a text converted for a Windows-1252 program always has.
std::string Cp1252FromUtf8(std::string_view utf8);

}  // namespace vantrels
