#pragma once

#include <string>
#include <vector>

#include "model/book.h"

namespace vantrels {

// The page list of one side, as the print range window's " . . ." buttons offer it: for every
// page, page p + 1, 5 blanks, its first station, 8 blanks, the last station before the next page
// begins (the book's last station on the last page); Windows-1252 bytes.
std::vector<std::string> PageListEntries(const SideBook& book);

}  // namespace vantrels
