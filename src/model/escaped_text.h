#pragma once

#include <string>
#include <string_view>

namespace vantrels {

// A value the user gave (an option's value, a file name) as a message shows it, on one line and
// harmless to a terminal: control characters, backslashes, double quotes and bytes that are not
// UTF-8 are written as C escapes ("\n", "\x1b", "\u2028").
std::string EscapedText(std::string_view bytes);

}  // namespace vantrels
