#pragma once

#include <string>
#include <string_view>

namespace vantrels {

// Removes leading and trailing blanks (spaces only), as the file's fields are trimmed.
std::string_view TrimBlanks(std::string_view text);

// Removes leading and trailing spaces, tabs and line ends, as numbers are read.
std::string_view TrimWhitespace(std::string_view text);

// Upper-cases ASCII letters only.
std::string UpperCase(std::string_view text);

}  // namespace vantrels
