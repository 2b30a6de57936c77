#pragma once

#include <string>
#include <string_view>

namespace vantrels {

// Decodes Windows-1252 bytes to UTF-8. The five bytes that code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

}  // namespace vantrels
