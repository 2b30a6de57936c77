#include "model/escaped_text.h"

#include <cstdio>

namespace vantrels {

namespace {

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029;
}

std::string Hex(const char* format, unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

Utf8Char DecodeUtf8At(std::string_view bytes, size_t at) {
  const auto byte = [&](size_t n) { return static_cast<unsigned char>(bytes[at + n]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  size_t length = 0;
  char32_t code_point = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code_point = lead & 0x1F;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code_point = lead & 0x0F;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code_point = lead & 0x07;
    smallest = 0x10000;
  } else {
    return {};
  }
  if (bytes.size() - at < length) return {};
  for (size_t n = 1; n < length; ++n) {
    if ((byte(n) & 0xC0) != 0x80) return {};
    code_point = (code_point << 6) | (byte(n) & 0x3F);
  }
  if (code_point < smallest || code_point > 0x10FFFF ||
      (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    return {};
  }
  return {code_point, length};
}

std::string EscapedText(std::string_view bytes) {
  std::string out;
  size_t at = 0;
  while (at < bytes.size()) {
    const Utf8Char c = DecodeUtf8At(bytes, at);
    if (c.length == 0) {
      out += Hex("\\x%02x", static_cast<unsigned char>(bytes[at]));
      ++at;
      continue;
    }
    switch (c.code_point) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      default:
        if (c.code_point < 0x80 && IsControl(c.code_point)) {
          out += Hex("\\x%02x", c.code_point);
        } else if (IsControl(c.code_point)) {
          out += Hex("\\u%04x", c.code_point);
        } else {
          out.append(bytes.substr(at, c.length));
        }
    }
    at += c.length;
  }
  return out;
}

}  // namespace vantrels
