#include "model/text.h"

namespace vantrels {

namespace {

std::string_view Trim(std::string_view text, char blank) {
  const size_t first = text.find_first_not_of(blank);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(blank);
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  return Trim(text, ' ');
}

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace vantrels
