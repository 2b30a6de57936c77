#pragma once

#include <optional>

#include "book/book_renderer.h"
#include "model/book.h"

namespace vantrels {

// Stations chosen by their value (StationValue), both ends included; an end left out is open.
struct StationRange {
  std::optional<double> from;
  std::optional<double> to;

  bool Contains(double value) const { return (!from || value >= *from) && (!to || value <= *to); }
};

// The pages of one side book that show a station of `range`, as runs of consecutive pages in
// book order. A station is known by its region station's value (its region suffix aside), as
// the Go To list names it, so a station cut across pages chooses every page it is drawn on and
// a station the list leaves out (no region station, or no number in it) is never chosen.
PageSelection PagesShowingStations(const SideBook& book, Side side, const StationRange& range);

// The bookmarks of a PDF that holds `selection`'s pages: one entry per station of the Go To list
// of `side` drawn on those pages, with the first of them it is drawn on (a station cut across
// pages is one entry), `page` counting the pages of the whole selection from 0 in its order.
std::vector<StationEntry> BookmarkEntries(const Book& book, const PageSelection& selection,
                                          Side side);

}  // namespace vantrels
