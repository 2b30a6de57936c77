#pragma once

#include <string>

#include "model/book.h"

namespace vantrels::bench {

// A criteria report of one undivided roadway holding the same stations (names, codes, offsets,
// elevations): the peer a LandXML book is compared with. Texts must hold no commas.
std::string CriteriaFileOf(const Stations& stations);

}  // namespace vantrels::bench
