#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/book_options.h"

namespace vantrels {

// A command line that gives `options` back: every option that differs from its default, in
// the form vantrels-book reads, then "--" and the criteria file.
std::vector<std::string> BookArguments(const BookOptions& options);

// Lets test failures show options as the command line that gives them.
void PrintTo(const BookOptions& options, std::ostream* out);

}  // namespace vantrels
