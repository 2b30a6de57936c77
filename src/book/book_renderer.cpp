#include "book/book_renderer.h"

#include <exception>
#include <utility>

namespace vantrels {

PageSelection WholeBook(const Book& book) {
  PageSelection selection;
  for (const Side side : {Side::Left, Side::Right}) {
    if (side == Side::Right && !book.Divided()) break;
    selection.push_back(PageSpan{side, 0, book.Of(side).last_page});
  }
  return selection;
}

BookRenderer::BookRenderer(const Book& book, PageContext context, Messages& messages)
    : book_(book), context_(std::move(context)), messages_(messages) {
  context_.page = book.page;
}

std::optional<PageStart> BookRenderer::RenderPage(Surface& surface, BookPosition position) const {
  DrawHeading(surface, context_, messages_);
  return DrawPageBody(surface, book_.Of(position.side), position.page, context_, messages_);
}

Result<std::vector<PrintedPage>> BookRenderer::Print(Surface& printer,
                                                     const PageSelection& selection) const {
  std::vector<PrintedPage> pages;
  try {
    for (const PageSpan& span : selection) {
      for (int32_t page = span.first; page <= span.last; ++page) {
        const BookPosition position{span.side, page};
        pages.push_back(PrintedPage{position, RenderPage(printer, position)});
        printer.NewPage();
      }
    }
    if (Status ended = printer.EndDoc(); !ended) return ended.failure();
  } catch (const std::bad_alloc&) {
    // Out of memory is the process's failure, not the file's: it ends the command.
    throw;
  } catch (const std::exception& e) {
    // The print command's frame: a surface that stops unexpectedly fails the command.
    return Rejected(e.what());
  }
  return pages;
}

}  // namespace vantrels
