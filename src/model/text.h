#pragma once

#include <string>
#include <string_view>

namespace vantrels {

// Removes leading and trailing blanks (spaces only), as the file's fields are trimmed.
std::string_view TrimBlanks(std::string_view text);

// Removes leading and trailing spaces, tabs and line ends, as numbers are read. Inline: it runs
// for every number of a book.
inline std::string_view TrimWhitespace(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Upper-cases (lower-cases) ASCII letters only.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

}  // namespace vantrels
