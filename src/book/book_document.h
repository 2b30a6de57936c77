#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "book/book_navigator.h"
#include "book/book_renderer.h"
#include "layout/page.h"
#include "model/book.h"
#include "model/messages.h"
#include "model/result.h"

namespace vantrels {

class BookDocument;

// How the viewer's place changed.
enum class PlaceChange {
  // Another page is shown: the viewer redraws.
  kTurned,
};

// A view of the document: told after every change, never asked to change anything. Registered
// with the document for the observer's own lifetime; the document must outlive it.
class BookObserver {
 public:
  explicit BookObserver(BookDocument& document);
  virtual ~BookObserver();
  BookObserver(const BookObserver&) = delete;
  BookObserver& operator=(const BookObserver&) = delete;

  // A new book is on show, at its first page.
  virtual void BookShown() {}
  virtual void PlaceChanged(PlaceChange) {}

 protected:
  BookDocument& document() const { return document_; }

 private:
  BookDocument& document_;
};

// What the desktop program shows: the book of the last preview with its criteria file and
// heading texts, and the viewer's place in it (side and page). It changes only through its own
// methods, and tells its observers what changed; windows never refresh each other.
class BookDocument {
 public:
  BookDocument();
  ~BookDocument();
  BookDocument(const BookDocument&) = delete;
  BookDocument& operator=(const BookDocument&) = delete;

  // Null before the first preview; a rejected file leaves the book on show.
  const Book* book() const { return book_.get(); }
  // The criteria file the book was read from (the file name's bytes).
  const std::string& file() const { return file_; }
  // The heading texts and face the book is drawn with.
  const PageContext& heading() const { return heading_; }
  BookPosition place() const { return navigator_.Position(); }
  // The book's page; 0 x 0 without a book.
  PageGeometry page() const { return book_ ? book_->page : PageGeometry{}; }

  // Puts `book`, read from `file` and drawn with `heading`, on show at its first page.
  void Show(Book book, PageContext heading, std::string file);

  // The renderer of the book on show; a window surface scales it. Needs a book.
  BookRenderer Renderer(Messages& messages) const;

  // The viewer's moves; a refusal is the message to show (" Last Page can't move forward",
  // "Page 7 is out of range 1 to 5"), and the place stays.
  Status Next();
  Status Previous();
  Status GoToFirst();
  Status GoToLast();
  // Page `page_number` (counted from 1) of the current side.
  Status GoToPageNumber(int64_t page_number);
  // Page `page_number` of `side`: the side changes only with the page, so a refusal leaves the
  // place as it was.
  Status GoToPageNumber(Side side, int64_t page_number);
  // Shows `position`, which must be a page of the book.
  void GoTo(BookPosition position);

 private:
  friend class BookObserver;
  void Add(BookObserver* observer);
  void Remove(BookObserver* observer);

  Status Moved(const Status& moved);
  template <typename Notify>
  void NotifyAll(Notify notify);

  std::unique_ptr<Book> book_;
  std::string file_;
  PageContext heading_;
  BookNavigator navigator_;
  // Null where an observer went away while the others were being told.
  std::vector<BookObserver*> observers_;
  int notifying_ = 0;
};

}  // namespace vantrels
