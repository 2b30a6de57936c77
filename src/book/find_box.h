#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/book.h"
#include "model/result.h"

namespace vantrels {

// What Find makes of the text in the find window's box for the stations of `side`: the page to
// show (counted from 1), or (kUsage) why there is none. A station ("2398+00.00", "2398+00", "1+234.567", with or without its region: "2398+00.00 R2")
// finds the page whose Go To entry names the nearest station of the side, the first entry where
// two are as near; a station outside the side's stations is refused with their first and last.
// Anything else is read as a list entry: the page number up to the first blank
// (ReadEntryPageNumber), whether the side has that page being the navigator's question.
// Windows-1252 text.
Result<int64_t> ReadFindBox(std::string_view text, const SideBook& side);

}  // namespace vantrels
