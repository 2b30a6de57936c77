#include "import/landxml_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <system_error>

#include "model/cp1252.h"
#include "model/text.h"

namespace vantrels::landxml {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The next code point of UTF-8 text at `at`, advancing it; nullopt (one byte consumed) for a
// byte that does not begin a well-formed sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, size_t& at) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(at++);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (extra == 0 || lead > 0xF4 || at + extra > text.size()) return std::nullopt;
  char32_t cp = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if ((byte(at + k) & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (byte(at + k) & 0x3F);
  }
  at += extra;
  return cp;
}

char Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int b = 0x80; b < 0xA0; ++b) {
    if (Cp1252ToCodePoint(static_cast<unsigned char>(b)) == cp) return static_cast<char>(b);
  }
  return '?';
}

}  // namespace

std::optional<std::string> Utf16ToUtf8(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  const auto b1 = static_cast<unsigned char>(bytes[1]);
  const bool little = b0 == 0xFF && b1 == 0xFE;
  if (!little && !(b0 == 0xFE && b1 == 0xFF)) return std::nullopt;
  const auto unit = [&](size_t k) -> char32_t {
    const auto lo = static_cast<unsigned char>(bytes[k + (little ? 0 : 1)]);
    const auto hi = static_cast<unsigned char>(bytes[k + (little ? 1 : 0)]);
    return static_cast<char32_t>(hi << 8 | lo);
  };
  std::string out;
  out.reserve(bytes.size() / 2);
  for (size_t k = 2; k + 1 < bytes.size(); k += 2) {
    char32_t cp = unit(k);
    if (cp >= 0xD800 && cp < 0xDC00 && k + 3 < bytes.size() && unit(k + 2) >= 0xDC00 &&
        unit(k + 2) < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 2) - 0xDC00);
      k += 2;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

TextEncoding EncodingNamed(std::string_view declared) {
  const std::string name = LowerCase(TrimWhitespace(declared));
  if (name.empty() || name == "utf-8" || name == "utf8" || name == "us-ascii" ||
      name == "utf-16") {
    return TextEncoding::kUtf8;
  }
  if (name == "iso-8859-1" || name == "latin1" || name == "windows-1252" || name == "cp1252") {
    return TextEncoding::kLatin1;
  }
  return TextEncoding::kOther;
}

std::string BookText(std::string_view text, TextEncoding encoding) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    if (encoding == TextEncoding::kLatin1) {
      out.push_back(text[at++]);
    } else if (encoding == TextEncoding::kOther) {
      const char c = text[at++];
      out.push_back(static_cast<unsigned char>(c) < 0x80 ? c : '?');
    } else {
      const std::optional<char32_t> cp = NextCodePoint(text, at);
      out.push_back(cp ? Cp1252Byte(*cp) : '?');
    }
  }
  return out;
}

int LineAt(std::string_view text, size_t offset) {
  return LineCounter(text).LineOf(offset);
}

int LineCounter::LineOf(size_t offset) {
  offset = std::min(offset, text_.size());
  if (offset < offset_) *this = LineCounter(text_);
  for (; offset_ < offset; ++offset_) {
    const char c = text_[offset_];
    if (c == '\n' || (c == '\r' && (offset_ + 1 >= text_.size() || text_[offset_ + 1] != '\n')))
      ++line_;
  }
  return line_;
}

std::optional<double> ReadNumber(std::string_view text) {
  text = TrimWhitespace(text);
  // xsd:double allows a leading plus, which from_chars does not.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) > kLargestNumber) return std::nullopt;
  return value;
}

NumberList ReadNumberList(std::string_view text) {
  NumberList list;
  list.values.reserve(text.size() / 8);
  int line = 0;
  size_t at = 0;
  while (at < text.size()) {
    if (IsBlank(text[at])) {
      if (text[at] == '\n' || (text[at] == '\r' && (at + 1 >= text.size() || text[at + 1] != '\n')))
        ++line;
      ++at;
      continue;
    }
    size_t end = at;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    const std::string_view word = text.substr(at, end - at);
    const std::optional<double> value = ReadNumber(word);
    if (!value) {
      list.bad_word = std::string(word);
      list.bad_line = line;
      return list;
    }
    list.values.push_back(*value);
    at = end;
  }
  return list;
}

std::string Quoted(std::string_view text, size_t limit) {
  std::string out = "\"";
  size_t shown = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    // A UTF-8 character counts once and is never cut.
    const bool continuation = (byte & 0xC0) == 0x80;
    if (!continuation && shown++ == limit) {
      out += "...";
      break;
    }
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

}  // namespace vantrels::landxml
