#pragma once

#include <string>
#include <vector>

#include "book/book_renderer.h"
#include "book/station_range.h"
#include "cli/book_options.h"
#include "model/book.h"
#include "model/result.h"

namespace vantrels {

// The side books to put out: the undivided book, or the chosen sides of a divided one.
std::vector<Side> SelectedSides(const Book& book, const BookOptions& options);

StationRange RangeOf(const BookOptions& options);

// A usage error when the side, page and station choice does not fit the counted book.
Status CheckSelection(const Book& book, const BookOptions& options);

// The chosen pages: every page of the chosen side(s), options.pages of the one side, or the
// pages of the chosen side(s) that show a station of the station range.
PageSelection SelectedPages(const Book& book, const BookOptions& options);

// The go-to-station lists of the chosen side(s), UTF-8, one entry per line, each the entries of
// the chosen pages; the two lists of a divided roadway are separated by a line "\f".
std::string StationListing(const Book& book, const BookOptions& options);

}  // namespace vantrels
