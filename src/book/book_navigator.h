#pragma once

#include <cstdint>
#include <string>

#include "book/book_renderer.h"
#include "model/book.h"
#include "model/result.h"

namespace vantrels {

// Where the viewer stands in a book: the side and the page. A divided roadway's pages form one
// sequence, the left pages before the right pages. The viewer asks it to move and shows the
// page it names; without a book nothing moves. A move succeeds (the viewer redraws) or fails
// with the refusal to show (kUsage).
class BookNavigator {
 public:
  // Starts on the first page of `book` (null: no book).
  void Open(const Book* book);
  const Book* book() const { return book_; }

  BookPosition Position() const { return position_; }

  // One page on; refused on the last page of the book with " Last Page can't move forward".
  Status Next();
  // One page back; refused on the first page with " First Page can't move backward".
  Status Previous();

  // The first and the last page of the book, across both sides.
  BookPosition FirstPage() const;
  BookPosition LastPage() const;
  // Moves to the first or last page; refused with the same messages when already there.
  Status GoToFirst();
  Status GoToLast();

  // Page `page_number` (counted from 1) of the current side; refused with "Page 7 is out of
  // range 1 to 5" outside the side's pages.
  Status GoToPageNumber(int64_t page_number);

  // Chooses the side without moving to another page or redrawing: the next move starts there.
  void SetSide(Side side);
  // Stands on `position` without redrawing, as printing leaves the viewer on the last page
  // printed.
  void MoveTo(BookPosition position);

 private:
  int32_t LastPageOf(Side side) const;

  const Book* book_ = nullptr;
  BookPosition position_;
};

}  // namespace vantrels
