#pragma once

#include <string>
#include <string_view>

namespace vantrels {

// Removes leading and trailing blanks (spaces only).
std::string_view TrimBlanks(std::string_view text);

// Upper-cases ASCII letters only.
std::string UpperCase(std::string_view text);

}  // namespace vantrels
