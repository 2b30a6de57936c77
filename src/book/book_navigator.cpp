#include "book/book_navigator.h"

#include "model/inherited_messages.h"

namespace vantrels {

namespace {

using inherited::kFirstPage;
using inherited::kLastPage;

Failure Refuse(const char* message) {
  return UsageError(message);
}

}  // namespace

void BookNavigator::Open(const Book* book) {
  book_ = book;
  position_ = BookPosition{};
}

int32_t BookNavigator::LastPageOf(Side side) const {
  return book_ ? book_->Of(side).last_page : 0;
}

BookPosition BookNavigator::FirstPage() const {
  return BookPosition{};
}

BookPosition BookNavigator::LastPage() const {
  const Side side = book_ && book_->Divided() ? Side::Right : Side::Left;
  return BookPosition{side, LastPageOf(side)};
}

Status BookNavigator::Next() {
  if (!book_) return Refuse(kLastPage);
  const bool divided = book_->Divided();
  if ((!divided || position_.side == Side::Right) && position_.page >= LastPageOf(position_.side)) {
    return Refuse(kLastPage);
  }
  ++position_.page;
  if (divided && position_.side == Side::Left && position_.page > LastPageOf(Side::Left)) {
    position_ = BookPosition{Side::Right, 0};
  }
  return {};
}

Status BookNavigator::Previous() {
  if (!book_) return Refuse(kFirstPage);
  const bool divided = book_->Divided();
  if ((!divided || position_.side == Side::Left) && position_.page <= 0) {
    return Refuse(kFirstPage);
  }
  --position_.page;
  if (divided && position_.side == Side::Right && position_.page < 0) {
    position_ = BookPosition{Side::Left, LastPageOf(Side::Left)};
  }
  return {};
}

Status BookNavigator::GoToFirst() {
  if (!book_ || position_ == FirstPage()) return Refuse(kFirstPage);
  position_ = FirstPage();
  return {};
}

Status BookNavigator::GoToLast() {
  if (!book_ || position_ == LastPage()) return Refuse(kLastPage);
  position_ = LastPage();
  return {};
}

Status BookNavigator::GoToPageNumber(int64_t page_number) {
  const int32_t pages = book_ ? LastPageOf(position_.side) + 1 : 0;
  if (page_number < 1 || page_number > pages) {
    return UsageError("Page " + std::to_string(page_number) + " is out of range 1 to " +
                      std::to_string(pages));
  }
  position_.page = static_cast<int32_t>(page_number - 1);
  return {};
}

void BookNavigator::SetSide(Side side) {
  position_.side = side;
}

void BookNavigator::MoveTo(BookPosition position) {
  position_ = position;
}

}  // namespace vantrels
