#include "book/book_navigator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrels {
namespace {

constexpr char kLast[] = " Last Page can't move forward";
constexpr char kFirst[] = " First Page can't move backward";

// A book whose sides have these last pages (one side: undivided).
Book BookOf(std::vector<int32_t> last_pages) {
  Book book;
  book.roadway = last_pages.size() > 1 ? Roadway::Divided : Roadway::Undivided;
  for (const int32_t last : last_pages) book.sides.emplace_back().last_page = last;
  return book;
}

std::string Show(BookPosition p) {
  return std::string(p.side == Side::Left ? "L" : "R") + std::to_string(p.page);
}

// The refusal of a move; empty when it moved.
std::string Refusal(const Status& moved) {
  if (moved) return {};
  EXPECT_EQ(moved.failure().kind, FailureKind::kUsage);
  return moved.failure().message;
}

// Walks with `step` until it refuses; returns the places passed and the refusal.
template <typename Step>
std::vector<std::string> Walk(BookNavigator& navigator, Step step, std::string& refusal) {
  std::vector<std::string> passed{Show(navigator.Position())};
  for (int n = 0; n < 100; ++n) {
    const Status moved = step();
    if (!moved) {
      refusal = Refusal(moved);
      break;
    }
    passed.push_back(Show(navigator.Position()));
  }
  return passed;
}

TEST(BookNavigator, WalksEveryPageForwardAndBackAndRefusesAtTheEnds) {
  const struct {
    const char* name;
    std::vector<int32_t> last_pages;
    std::vector<std::string> pages;
  } cases[] = {
      {"undivided", {2}, {"L0", "L1", "L2"}},
      {"one-page undivided", {0}, {"L0"}},
      {"divided", {1, 2}, {"L0", "L1", "R0", "R1", "R2"}},
      {"divided of single pages", {0, 0}, {"L0", "R0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Book book = BookOf(c.last_pages);
    BookNavigator navigator;
    navigator.Open(&book);
    std::string refusal;
    EXPECT_EQ(Walk(
                  navigator, [&] { return navigator.Next(); }, refusal),
              c.pages);
    EXPECT_EQ(refusal, kLast);
    std::vector<std::string> back(c.pages.rbegin(), c.pages.rend());
    EXPECT_EQ(Walk(
                  navigator, [&] { return navigator.Previous(); }, refusal),
              back);
    EXPECT_EQ(refusal, kFirst);
  }
}

TEST(BookNavigator, FirstAndLastPageSpanBothSides) {
  const Book divided = BookOf({3, 5});
  BookNavigator navigator;
  navigator.Open(&divided);
  EXPECT_EQ(navigator.FirstPage(), (BookPosition{Side::Left, 0}));
  EXPECT_EQ(navigator.LastPage(), (BookPosition{Side::Right, 5}));
  EXPECT_EQ(Refusal(navigator.GoToFirst()), kFirst);
  EXPECT_TRUE(navigator.GoToLast().ok());
  EXPECT_EQ(navigator.Position(), (BookPosition{Side::Right, 5}));
  EXPECT_EQ(Refusal(navigator.GoToLast()), kLast);
  EXPECT_TRUE(navigator.GoToFirst().ok());
  EXPECT_EQ(navigator.Position(), (BookPosition{Side::Left, 0}));

  const Book undivided = BookOf({4});
  navigator.Open(&undivided);
  EXPECT_EQ(navigator.LastPage(), (BookPosition{Side::Left, 4}));
}

TEST(BookNavigator, GoesToAPageNumberOfTheCurrentSideWithinItsPages) {
  const Book book = BookOf({4, 1});
  BookNavigator navigator;
  navigator.Open(&book);
  const struct {
    Side side;
    int64_t number;
    const char* refusal;  // empty: moved to number - 1
  } cases[] = {
      {Side::Left, 5, ""},
      {Side::Left, 1, ""},
      {Side::Left, 6, "Page 6 is out of range 1 to 5"},
      {Side::Left, 0, "Page 0 is out of range 1 to 5"},
      {Side::Right, 2, ""},
      {Side::Right, 3, "Page 3 is out of range 1 to 2"},
      {Side::Right, -2, "Page -2 is out of range 1 to 2"},
      // Far beyond any book, and beyond 32 bits: named as typed, never wrapped around.
      {Side::Left, 99999999, "Page 99999999 is out of range 1 to 5"},
      {Side::Left, 4294967297, "Page 4294967297 is out of range 1 to 5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    navigator.MoveTo({c.side, 0});
    const Status moved = navigator.GoToPageNumber(c.number);
    EXPECT_EQ(Refusal(moved), c.refusal);
    EXPECT_EQ(navigator.Position(),
              (BookPosition{c.side, moved ? static_cast<int32_t>(c.number - 1) : 0}));
  }
}

TEST(BookNavigator, ChoosingASideKeepsThePageAndTheNextMoveStartsThere) {
  const Book book = BookOf({4, 6});
  BookNavigator navigator;
  navigator.Open(&book);
  navigator.MoveTo({Side::Right, 3});
  navigator.SetSide(Side::Left);
  EXPECT_EQ(navigator.Position(), (BookPosition{Side::Left, 3}));
  ASSERT_TRUE(navigator.Next().ok());
  EXPECT_EQ(navigator.Position(), (BookPosition{Side::Left, 4}));
  // Beyond the left side's last page the next move crosses to the right side.
  navigator.MoveTo({Side::Right, 6});
  navigator.SetSide(Side::Left);
  ASSERT_TRUE(navigator.Next().ok());
  EXPECT_EQ(navigator.Position(), (BookPosition{Side::Right, 0}));
}

TEST(BookNavigator, OpeningABookStartsOnItsFirstPageAndWithoutABookNothingMoves) {
  const Book book = BookOf({3});
  BookNavigator navigator;
  EXPECT_EQ(Refusal(navigator.Next()), kLast);
  EXPECT_EQ(Refusal(navigator.Previous()), kFirst);
  EXPECT_FALSE(navigator.GoToPageNumber(1).ok());
  navigator.Open(&book);
  navigator.MoveTo({Side::Right, 2});
  navigator.Open(&book);
  EXPECT_EQ(navigator.Position(), (BookPosition{Side::Left, 0}));
  EXPECT_EQ(navigator.book(), &book);
}

}  // namespace
}  // namespace vantrels
