#include "book/book_document.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantrels {
namespace {

Book DividedBook(int32_t left_last, int32_t right_last) {
  Book book;
  book.roadway = Roadway::Divided;
  book.sides.emplace_back().last_page = left_last;
  book.sides.emplace_back().last_page = right_last;
  return book;
}

// Writes down what it is told, as "book" or "turned L2" (the place after the change).
class Recorder : public BookObserver {
 public:
  using BookObserver::BookObserver;
  void BookShown() override {
    told.push_back("book");
    if (on_book) on_book();
  }
  void PlaceChanged(PlaceChange change) override {
    const BookPosition at = document().place();
    EXPECT_EQ(change, PlaceChange::kTurned);
    told.push_back(std::string("turned ") +
                   (at.side == Side::Left ? "L" : "R") + std::to_string(at.page));
  }
  std::vector<std::string> told;
  std::function<void()> on_book;
};

TEST(BookDocument, EveryObserverIsToldOfANewBookAndOfEveryMoveButNotOfARefusal) {
  BookDocument document;
  Recorder viewer(document);
  Recorder finder(document);
  document.Show(DividedBook(1, 0), PageContext{}, "road.csv");
  ASSERT_TRUE(document.Next());
  ASSERT_TRUE(document.Next());
  const Status refused = document.Next();
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.failure().message, " Last Page can't move forward");
  // A page refused on the other side leaves the side as it was.
  EXPECT_FALSE(document.GoToPageNumber(Side::Left, 3));
  EXPECT_EQ(document.place(), (BookPosition{Side::Right, 0}));
  ASSERT_TRUE(document.GoToPageNumber(Side::Left, 1));
  EXPECT_FALSE(document.GoToPageNumber(3));
  const std::vector<std::string> expected = {"book", "turned L1", "turned R0", "turned L0"};
  EXPECT_EQ(viewer.told, expected);
  EXPECT_EQ(finder.told, expected);
  EXPECT_EQ(document.file(), "road.csv");

  // A new book starts again on its first page.
  document.GoTo({Side::Right, 0});
  document.Show(DividedBook(3, 3), PageContext{}, "next.csv");
  EXPECT_EQ(document.place(), (BookPosition{Side::Left, 0}));
  EXPECT_EQ(viewer.told.back(), "book");
}

TEST(BookDocument, AnObserverClosedOrMadeWhileTheOthersAreToldIsToldNothingMore) {
  BookDocument document;
  Recorder closer(document);
  auto closed = std::make_unique<Recorder>(document);
  std::unique_ptr<Recorder> made;
  int closed_was_told = -1;
  closer.on_book = [&] {
    closed_was_told = static_cast<int>(closed->told.size());
    closed.reset();
    if (!made) made = std::make_unique<Recorder>(document);
  };
  // Told after the closer, the closed observer would be told once it is gone (a use after free
  // for the sanitizers); the new one is told only of what comes after it.
  document.Show(DividedBook(1, 1), PageContext{}, {});
  EXPECT_EQ(closed_was_told, 0);
  ASSERT_EQ(closed, nullptr);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->told.empty());
  ASSERT_TRUE(document.Next());
  EXPECT_EQ(made->told, std::vector<std::string>{"turned L1"});
}

}  // namespace
}  // namespace vantrels
