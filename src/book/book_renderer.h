#pragma once

#include <optional>
#include <string>
#include <vector>

#include "layout/page.h"
#include "layout/surface.h"
#include "model/book.h"
#include "model/messages.h"
#include "model/result.h"

namespace vantrels {

// A page of a book: the side (ignored for an undivided roadway) and the zero-based page.
struct BookPosition {
  Side side = Side::Left;
  int32_t page = 0;
  bool operator==(const BookPosition&) const = default;
};

// Pages first to last (zero-based, both included) of one side.
struct PageSpan {
  Side side = Side::Left;
  int32_t first = 0;
  int32_t last = 0;
};

// Pages to print, in order.
using PageSelection = std::vector<PageSpan>;

// Every page of the book: a divided roadway's left pages before its right pages.
PageSelection WholeBook(const Book& book);

// One page as printed, with where the drawing found the next page to begin (nullopt when the
// page could not be laid out).
struct PrintedPage {
  BookPosition position;
  std::optional<PageStart> next;
};

// The one owner of drawing a book's pages: the viewer's redraw, printing all or some pages, the
// command line's outputs and the tests all draw through it.
class BookRenderer {
 public:
  BookRenderer(const Book& book, PageContext context, Messages& messages);

  // Draws the heading and the body of one page onto `surface`, which the caller has cleared;
  // returns where the next page begins, as PrintedPage::next.
  std::optional<PageStart> RenderPage(Surface& surface, BookPosition position) const;

  // Prints the selected pages on `printer`, heading and body, a new page after each, then ends
  // the document: the pages printed. When the printer fails, the failure says why; the pages
  // drawn before stay drawn and the document is left open for the caller to discard.
  Result<std::vector<PrintedPage>> Print(Surface& printer, const PageSelection& selection) const;

  const PageContext& Context() const { return context_; }
  const Book& RenderedBook() const { return book_; }

 private:
  const Book& book_;
  PageContext context_;
  Messages& messages_;
};

}  // namespace vantrels
