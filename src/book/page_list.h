#pragma once

#include <string>
#include <vector>

#include "model/book.h"

namespace vantrels {

// The page list of one side, as the print range window's " . . ." buttons offer it: for every
// page but the last, page p + 1, 5 blanks, its first station, 8 blanks, the last station before
// the next page begins (Windows-1252 bytes). Empty for a book of one page.
std::vector<std::string> PageListEntries(const SideBook& book);

}  // namespace vantrels
