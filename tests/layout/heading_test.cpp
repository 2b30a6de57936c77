#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "layout/page.h"
#include "layout/recording_surface.h"
#include "layout/text_surface.h"

namespace vantrels {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingSurface;

struct HeadingCase {
  double columns;
  double lines;
  bool window;
  double view_scale;
  // Expected positions in target units, in drawing order: project, package, title, book, date.
  int x[5];
  int y[5];
};

class HeadingPositions : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(HeadingPositions, ItemsStandAtTheirDistanceFromTheRightAndBottomEdges) {
  const HeadingCase& c = GetParam();
  PageContext context;
  context.project_number = "P-17";
  context.heading_date = "12 07 2026";
  context.report_font = "Lucida Console";
  RecordingSurface printer;
  printer.measure = CellMeasure{c.columns, c.lines};
  context.page = MeasurePage(printer).value();
  RecordingSurface target(c.window, c.view_scale);
  RecordingMessages messages;

  DrawHeading(target, context, messages);

  EXPECT_THAT(messages.shown, IsEmpty());
  ASSERT_EQ(target.texts.size(), 5u);
  const char* const window_texts[5] = {"Project No: P-17", " GEOPAK  ", "V A N T - R E L S",
                                       "  BOOK ", "Date: 12 07 2026"};
  const char* const printer_texts[5] = {"Project No: P-17", "  GEOPAK  ", " V A N T - R E L S ",
                                        "  BOOK  ", "Date: 12 07 2026"};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const RecordingSurface::Text& t = target.texts[static_cast<size_t>(i)];
    EXPECT_EQ(t.text, c.window ? window_texts[i] : printer_texts[i]);
    EXPECT_EQ(t.x, c.x[i]);
    EXPECT_EQ(t.y, c.y[i]);
    EXPECT_TRUE(t.bold);
    EXPECT_EQ(t.underline, i == 2) << "only the title is underlined";
    EXPECT_EQ(t.face, "Lucida Console");
    EXPECT_DOUBLE_EQ(t.size, c.window ? 10 * c.view_scale : 10);
  }
  EXPECT_TRUE(target.transparent);
  EXPECT_FALSE(target.bold) << "bold is switched off after the heading";
  EXPECT_FALSE(target.underline);
  EXPECT_DOUBLE_EQ(target.size, c.window ? 10 * c.view_scale : 10);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HeadingPositions,
    ::testing::Values(
        HeadingCase{96, 63, false, 1, {7, 26, 37, 55, 71}, {2, 1, 1, 1, 2}},
        // One column wider moves every item one column right.
        HeadingCase{97, 63, false, 1, {8, 27, 38, 56, 72}, {2, 1, 1, 1, 2}},
        // Halves round to even: 93.5 - 89 = 4.5 -> 4, 93.5 - 70 = 23.5 -> 24.
        HeadingCase{93.5, 66.5, false, 1, {4, 24, 34, 52, 68}, {6, 4, 4, 4, 6}},
        // A window converts without rounding to cells first; the title stands at 57 there.
        HeadingCase{96, 63, true, 0.5, {420, 1560, 2340, 3300, 4260}, {240, 120, 120, 120, 240}},
        HeadingCase{
            93.5, 66.5, true, 0.75, {405, 2115, 3285, 4725, 6165}, {990, 810, 810, 810, 990}}));

TEST(Heading, MeasuresThePrinterInSinglePrecision) {
  TextSurface printer(93.3, 66.2);
  const std::optional<PageGeometry> page = MeasurePage(printer);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->columns, static_cast<double>(93.3f));
  EXPECT_EQ(page->lines, static_cast<double>(66.2f));
  EXPECT_NE(page->lines, 66.2);
}

TEST(Heading, APrinterWithoutAMeasureGivesNoPageAndTheHeadingUsesTheContextsPage) {
  RecordingSurface unmeasurable;
  EXPECT_FALSE(MeasurePage(unmeasurable));
  PageContext context;
  context.page = {80, 60};
  RecordingSurface target;
  RecordingMessages messages;
  DrawHeading(target, context, messages);
  DrawHeading(target, context, messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_THAT(target.At(80 - 89, 60 - 61), ElementsAre("Project No: ", "Project No: "));
}

TEST(Heading, AFaceThatCannotBeSelectedFallsBackToCourierNewAndTheHeadingIsComplete) {
  PageContext context;
  context.heading_date = "12 07 2026";
  context.report_font = "No Such Face";
  context.page = {96, 63};
  RecordingSurface target;
  target.missing_face = "No Such Face";
  RecordingMessages messages;
  DrawHeading(target, context, messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  ASSERT_EQ(target.texts.size(), 5u);
  for (const auto& t : target.texts) {
    EXPECT_EQ(t.face, "Courier New");
    EXPECT_TRUE(t.bold) << "the steps after the failing one still run";
  }
  EXPECT_TRUE(target.transparent);
}

TEST(Heading, AnOverflowingPositionSkipsThatItemOnly) {
  PageContext context;
  context.heading_date = "12 07 2026";
  context.page = {32767 + 50, 63};  // the items 41 and 25 columns from the right overflow
  RecordingSurface target;
  RecordingMessages messages;
  DrawHeading(target, context, messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  std::vector<std::string> drawn;
  for (const auto& t : target.texts) drawn.push_back(t.text);
  EXPECT_THAT(drawn, ElementsAre("Project No: ", "  GEOPAK  ", " V A N T - R E L S "));
  EXPECT_EQ(target.face, "Courier New");
}

TEST(Heading, AFailingFallbackIsReportedOnce) {
  RecordingSurface target;
  target.face_error = "Font subsystem gone";
  RecordingMessages messages;
  DrawHeading(target, PageContext{}, messages);
  EXPECT_THAT(messages.shown,
              ElementsAre("Program Error: Font subsystem gone PrintQMTForm(KorPrint)"));
}

TEST(Heading, AFailingTextIsReportedByPutTextAndTheNextTextIsDrawn) {
  RecordingSurface target;
  target.print_error = "Printer is offline";
  RecordingMessages messages;
  PutText(messages, target, 1, 2, "x");
  EXPECT_THAT(messages.shown, ElementsAre("Program Error: Printer is offline(PutText(korPrint))"));

  DrawHeading(target, PageContext{}, messages);
  EXPECT_EQ(messages.shown.size(), 6u) << "one message per heading text, nothing more";
}

TEST(Heading, DateIsThePinnedDateOrTodayAsMonthDayYear) {
  PageContext context;
  context.heading_date = "02 29 2028";
  EXPECT_EQ(HeadingDateText(context), "02 29 2028");
  context.heading_date.clear();
  EXPECT_TRUE(
      std::regex_match(HeadingDateText(context), std::regex(R"((0[1-9]|1[0-2]) \d\d \d{4})")));
}

TEST(RoundCoordinate, RoundsHalvesToEvenAndRejectsValuesOutside16Bits) {
  const std::pair<double, int> cases[] = {{0.5, 0},         {1.5, 2},          {2.5, 2},
                                          {-2.5, -2},       {-3.5, -4},        {7.49, 7},
                                          {32767.4, 32767}, {-32768.5, -32768}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(RoundCoordinate(value), expected) << value;
  for (double value : {32767.5, 40000.0, -32769.0, std::nan("")}) {
    EXPECT_THROW(
        {
          try {
            RoundCoordinate(value);
          } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Overflow");
            throw;
          }
        },
        std::runtime_error)
        << value;
  }
}

}  // namespace
}  // namespace vantrels
