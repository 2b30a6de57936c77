#include "book/book_document.h"

#include <algorithm>
#include <utility>

namespace vantrels {

BookObserver::BookObserver(BookDocument& document) : document_(document) {
  document_.Add(this);
}

BookObserver::~BookObserver() {
  document_.Remove(this);
}

BookDocument::BookDocument() = default;

BookDocument::~BookDocument() = default;

void BookDocument::Add(BookObserver* observer) {
  observers_.push_back(observer);
}

void BookDocument::Remove(BookObserver* observer) {
  std::replace(observers_.begin(), observers_.end(), observer, static_cast<BookObserver*>(nullptr));
  if (notifying_ == 0) std::erase(observers_, nullptr);
}

template <typename Notify>
void BookDocument::NotifyAll(Notify notify) {
  // An observer may close another window (and so another observer) or make one while it is
  // told: the closed one is told nothing more, the new one only of later changes.
  struct Telling {
    explicit Telling(BookDocument& document) : document(document) { ++document.notifying_; }
    ~Telling() {
      if (--document.notifying_ == 0) std::erase(document.observers_, nullptr);
    }
    BookDocument& document;
  } telling(*this);
  const size_t registered = observers_.size();
  for (size_t i = 0; i < registered; ++i) {
    if (BookObserver* observer = observers_[i]) notify(*observer);
  }
}

void BookDocument::Show(Book book, PageContext heading, std::string file) {
  book_ = std::make_unique<Book>(std::move(book));
  heading_ = std::move(heading);
  file_ = std::move(file);
  navigator_.Open(book_.get());
  NotifyAll([](BookObserver& observer) { observer.BookShown(); });
}

BookRenderer BookDocument::Renderer(Messages& messages) const {
  return BookRenderer(*book_, heading_, messages);
}

Status BookDocument::Moved(const Status& moved) {
  if (!moved) return moved;
  NotifyAll([](BookObserver& observer) { observer.PlaceChanged(PlaceChange::kTurned); });
  return {};
}

Status BookDocument::Next() {
  return Moved(navigator_.Next());
}

Status BookDocument::Previous() {
  return Moved(navigator_.Previous());
}

Status BookDocument::GoToFirst() {
  return Moved(navigator_.GoToFirst());
}

Status BookDocument::GoToLast() {
  return Moved(navigator_.GoToLast());
}

Status BookDocument::GoToPageNumber(int64_t page_number) {
  return Moved(navigator_.GoToPageNumber(page_number));
}

void BookDocument::GoTo(BookPosition position) {
  navigator_.MoveTo(position);
  NotifyAll([](BookObserver& observer) { observer.PlaceChanged(PlaceChange::kTurned); });
}

Status BookDocument::GoToPageNumber(Side side, int64_t page_number) {
  const BookPosition before = navigator_.Position();
  navigator_.SetSide(side);
  const Status moved = navigator_.GoToPageNumber(page_number);
  if (!moved) navigator_.MoveTo(before);
  return Moved(moved);
}

}  // namespace vantrels
