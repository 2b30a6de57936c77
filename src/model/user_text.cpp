#include "model/user_text.h"

#include <cstdio>

#include "model/cp1252.h"

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

Cp1252Text Utf8ToCp1252(std::string_view utf8) {
  Cp1252Text result;
  size_t at = 0;
  while (at < utf8.size()) {
    const Utf8Char c = DecodeUtf8At(utf8, at);
    if (c.length == 0) return {{}, Cp1252Text::Problem::kNotUtf8, 0};
    if (IsControl(c.code_point)) return {{}, Cp1252Text::Problem::kControl, 0};
    at += c.length;
    if (c.code_point < 0x80) {
      result.bytes.push_back(static_cast<char>(c.code_point));
      continue;
    }
    const std::optional<unsigned char> byte = CodePointToCp1252(c.code_point);
    if (!byte) return {{}, Cp1252Text::Problem::kMissing, c.code_point};
    result.bytes.push_back(static_cast<char>(*byte));
  }
  return result;
}

std::string CodePointName(char32_t code_point) {
  return Hex("U+%04X", static_cast<unsigned>(code_point));
}

}  // namespace vantrels
