#include "import/landxml_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "model/cp1252.h"
#include "model/text.h"

namespace vantrels::landxml {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The common number of a file ("-12.345") read in one pass from `p`: with at most 15 digits it
// is an exact integer over an exact power of ten, which one correctly rounded division turns into
// the double from_chars gives. Returns where the number ends, or nullptr for text that needs
// from_chars (or is no number).
const char* ScanPlainDecimal(const char* p, const char* end, double& value) {
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  const auto digit = [](char c) { return static_cast<unsigned>(c - '0') < 10; };
  uint64_t mantissa = 0;
  const char* first = p;
  for (; p != end && digit(*p); ++p) mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
  ptrdiff_t digits = p - first;
  ptrdiff_t decimals = 0;
  if (p != end && *p == '.') {
    const char* fraction = ++p;
    for (; p != end && digit(*p); ++p) mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    decimals = p - fraction;
    digits += decimals;
  }
  // Fifteen digits, leading zeros included, are exact in a double (and in the mantissa). The
  // bound is checked on the digits, so the division is off the path to the next number.
  if (digits == 0 || digits > 15) return nullptr;
  if (decimals < 6 && mantissa > static_cast<uint64_t>(kPowersOfTen[decimals + 9])) return nullptr;
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  value = negative ? -magnitude : magnitude;
  return p;
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
  if (name.empty() || name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "utf-16") {
    return TextEncoding::kUtf8;
  }
  if (name == "iso-8859-1" || name == "latin1" || name == "windows-1252" || name == "cp1252") {
    return TextEncoding::kLatin1;
  }
  return TextEncoding::kOther;
}

std::string BookText(std::string_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return Cp1252FromUtf8(text);
    case TextEncoding::kLatin1:
      return std::string(text);
    case TextEncoding::kOther:
      break;
  }
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  }
  return out;
}

int LineAt(std::string_view text, size_t offset) {
  const char* const begin = text.data();
  const char* const end = begin + std::min(offset, text.size());
  int line = 1 + static_cast<int>(std::count(begin, end, '\n'));
  // A CR ends a line of its own only when no LF follows it.
  for (const char* cr = begin;
       (cr = static_cast<const char*>(std::memchr(cr, '\r', static_cast<size_t>(end - cr))));) {
    ++cr;
    if (cr == begin + text.size() || *cr != '\n') ++line;
  }
  return line;
}

LineIndex::LineIndex(std::string_view text) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  for (const char* lf = begin;
       (lf = static_cast<const char*>(std::memchr(lf, '\n', static_cast<size_t>(end - lf))));
       ++lf) {
    ends_.push_back(static_cast<uint32_t>(lf - begin));
  }
  const size_t lfs = ends_.size();
  for (const char* cr = begin;
       (cr = static_cast<const char*>(std::memchr(cr, '\r', static_cast<size_t>(end - cr))));) {
    ++cr;
    if (cr == end || *cr != '\n') ends_.push_back(static_cast<uint32_t>(cr - 1 - begin));
  }
  if (ends_.size() > lfs)
    std::inplace_merge(ends_.begin(), ends_.begin() + static_cast<ptrdiff_t>(lfs), ends_.end());
}

int LineIndex::LineOf(size_t offset) const {
  return 1 + static_cast<int>(std::lower_bound(ends_.begin(), ends_.end(), offset) - ends_.begin());
}

std::optional<double> ReadNumber(std::string_view text) {
  text = TrimWhitespace(text);
  double plain = 0;
  if (ScanPlainDecimal(text.data(), text.data() + text.size(), plain) == text.data() + text.size())
    return plain;
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

void ReadNumberList(std::string_view text, NumberList& list) {
  list.values.clear();
  list.bad_word.reset();
  int line = 0;
  const char* const end = text.data() + text.size();
  for (const char* at = text.data(); at != end;) {
    if (IsBlank(*at)) {
      if (*at == '\n' || (*at == '\r' && (at + 1 == end || at[1] != '\n'))) ++line;
      ++at;
      continue;
    }
    double value = 0;
    const char* after = ScanPlainDecimal(at, end, value);
    if (after == nullptr || (after != end && !IsBlank(*after))) {
      after = at;
      while (after != end && !IsBlank(*after)) ++after;
      const std::string_view word(at, static_cast<size_t>(after - at));
      const std::optional<double> number = ReadNumber(word);
      if (!number) {
        list.bad_word = std::string(word);
        list.bad_line = line;
        return;
      }
      value = *number;
    }
    list.values.push_back(value);
    at = after;
  }
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
