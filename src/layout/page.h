#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "layout/surface.h"
#include "model/book.h"
#include "model/messages.h"
#include "model/result.h"

namespace vantrels {

// What every page of one output shares besides the book: the heading's texts, the report face
// and the page the book is laid out on.
struct PageContext {
  std::string project_number;
  // "mm dd yyyy"; empty means today's system date.
  std::string heading_date;
  std::string report_font;
  PageGeometry page;
};

// The pinned date of the context, or today's, as "mm dd yyyy".
std::string HeadingDateText(const PageContext& context);

// Places one text at (x, y) in target units; failures are reported and the caller goes on.
void PutText(Messages& messages, Surface& target, int x, int y, std::string_view text);

// The printer's printable area in single precision; nullopt when it cannot be measured.
std::optional<PageGeometry> MeasurePage(Surface& printer);

// The page heading: project number, the book's title and the date, bold, at their distances
// from the right and bottom edges of the page.
void DrawHeading(Surface& target, const PageContext& context, Messages& messages);

// The body of page `page` of the side book: its label and the stations that fall on it.
// Returns where the next page begins, or nullopt when the page cannot be laid out (reported).
std::optional<PageStart> DrawPageBody(Surface& target, const SideBook& book, int32_t page,
                                      const PageContext& context, Messages& messages);

// Whether a book can be laid out on `page`: a page so tall that its first band begins on the
// station line or below it holds no station, and a page smaller than the layout would lose
// texts off its left or top edge. The failure names the page and what it needs.
Status CheckPageSize(PageGeometry page);

// Lays out every page of the side book once, invisibly, on `page`: where each page begins, the
// last page, and the station heading entries of every page. Drawing a page takes exactly the
// decisions counting took. Fails when the page cannot hold the book (CheckPageSize) or a page
// cannot be laid out.
Status CountPages(SideBook& book, PageGeometry page, Messages& messages);

}  // namespace vantrels
