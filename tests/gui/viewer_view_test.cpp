#include "gui/viewer_view.h"

#include <gtest/gtest.h>

#include "layout/page.h"

namespace vantrels {
namespace {

Book BookOf(Roadway roadway, int32_t left_last, int32_t right_last) {
  Book book;
  book.roadway = roadway;
  book.sides.resize(roadway == Roadway::Divided ? 2 : 1);
  book.sides[0].last_page = left_last;
  if (roadway == Roadway::Divided) book.sides[1].last_page = right_last;
  return book;
}

TEST(ViewerTitle, NamesTheFileAndThePageWithTheSideOnlyWhenDivided) {
  const Book undivided = BookOf(Roadway::Undivided, 9, 0);
  const Book divided = BookOf(Roadway::Divided, 4, 6);
  struct Case {
    const Book* book;
    QString file;
    BookPosition shown;
    QString expected;
  };
  const Case cases[] = {
      {&undivided,
       "/data/undivided.csv",
       {Side::Left, 2},
       "undivided.csv - Page 3 of 10 - Vantrels"},
      {&undivided,
       "/data/undivided.csv",
       {Side::Left, 9},
       "undivided.csv - Page 10 of 10 - Vantrels"},
      {&divided, "divided.CSV", {Side::Left, 0}, "divided.CSV - (Left) Page 1 of 5 - Vantrels"},
      {&divided, "divided.CSV", {Side::Right, 6}, "divided.CSV - (Right) Page 7 of 7 - Vantrels"},
      {&undivided, "", {Side::Left, 0}, "Page 1 of 10 - Vantrels"},
      {nullptr, "/data/undivided.csv", {Side::Left, 0}, "Display Report"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ViewerTitle(c.file, c.book, c.shown), c.expected) << c.expected.toStdString();
  }
}

TEST(FitWithin, ShrinksOnlyWhatDoesNotFitAndKeepsTheShape) {
  struct Case {
    QSize size, room, expected;
  };
  const Case cases[] = {
      {{768, 1008}, {1920, 1050}, {768, 1008}},  // already fits: unchanged
      {{768, 1008}, {1920, 1008}, {768, 1008}},  // exactly fits
      {{768, 1008}, {1366, 728}, {554, 728}},    // too tall: height decides
      {{767, 1096}, {1920, 1040}, {727, 1040}},
      {{2000, 500}, {1000, 1000}, {1000, 250}},  // too wide: width decides
  };
  for (const Case& c : cases) {
    const QSize fitted = FitWithin(c.size, c.room);
    EXPECT_EQ(fitted, c.expected) << c.size.width() << "x" << c.size.height();
    EXPECT_LE(fitted.width(), c.room.width());
    EXPECT_LE(fitted.height(), c.room.height());
  }
}

TEST(ZoomSteps, GoUpAndDownThroughTheStepsAndStopAtTheEnds) {
  // From a fitted scale between steps, the neighbouring steps.
  EXPECT_EQ(ZoomStepIn(0.66, 4), 0.75);
  EXPECT_EQ(ZoomStepOut(0.66), 0.5);
  // From a step, the next one, never the step itself.
  EXPECT_EQ(ZoomStepIn(1.0, 4), 1.25);
  EXPECT_EQ(ZoomStepOut(1.0), 0.75);
  EXPECT_EQ(ZoomStepOut(0.25), std::nullopt);
  EXPECT_EQ(ZoomStepIn(4.0, 4), std::nullopt);
  // The ceiling stops the zoom below a step beyond it.
  EXPECT_EQ(ZoomStepIn(1.5, 1.9), std::nullopt);
  EXPECT_EQ(ZoomStepIn(1.25, 1.9), 1.5);
}

TEST(ZoomSteps, TheCeilingKeepsEveryPositionOfThePageA16BitCoordinate) {
  // A Letter page with quarter-inch margins: 96 x 63 cells, 15120 twips high.
  const PageGeometry letter{96, 63};
  const double max = MaxViewScale(letter);
  EXPECT_LE(RoundCoordinate(letter.lines * 240 * max), 32767);
  EXPECT_GT(letter.lines * 240 * max, 32000);
  // A page wider than it is tall is bounded by its width.
  const PageGeometry landscape{200, 30};
  EXPECT_DOUBLE_EQ(MaxViewScale(landscape), 32767.0 / 24000);
}

}  // namespace
}  // namespace vantrels
