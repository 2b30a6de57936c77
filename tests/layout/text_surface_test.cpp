#include "layout/text_surface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vantrels {
namespace {

void Put(TextSurface& s, int x, int y, std::string_view text) {
  s.SetCurrentX(x);
  s.SetCurrentY(y);
  s.PrintText(text);
}

TEST(TextSurface, IsAPrinterMeasuringItsCellsAsGiven) {
  TextSurface s(93.5, 66.2);
  EXPECT_FALSE(s.IsWindow());
  ASSERT_TRUE(s.MeasureCells().has_value());
  EXPECT_EQ(s.MeasureCells()->columns, 93.5);
  EXPECT_EQ(s.MeasureCells()->lines, 66.2);
  EXPECT_NO_THROW(s.SetFontName("Any Face At All"));
}

TEST(TextSurface, GridIsWholeCellsAndDropsWhatFallsOutside) {
  TextSurface s(10.9, 3.7);  // 10 columns, 3 rows
  Put(s, 7, 0, "ABCDEF");
  Put(s, -2, 1, "WXYZ");
  Put(s, 0, -1, "above");
  Put(s, 0, 3, "below");
  Put(s, 12, 2, "right");
  EXPECT_EQ(s.Render(), "       ABC\nYZ\n\n\f\n");
}

TEST(TextSurface, LaterTextsOverwriteAndTrailingSpacesAreRemoved) {
  TextSurface s(20, 2);
  Put(s, 0, 0, "  GEOPAK  ");
  Put(s, 5, 0, "xy");
  Put(s, 3, 1, "   ");
  EXPECT_EQ(s.Row(0, 0), "  GEOxyK");
  EXPECT_EQ(s.Render(), "  GEOxyK\n\n\f\n");
}

TEST(TextSurface, RendersWindows1252AsUtf8) {
  TextSurface s(10, 1);
  Put(s, 0, 0, "\x80\x81\xE9\x9D");
  EXPECT_EQ(s.Render(), "\xE2\x82\xAC\xC2\x81\xC3\xA9\xC2\x9D\n\f\n");
}

TEST(TextSurface, EveryPageEndsWithAFormFeedLineAndAnEmptyLastPageIsDropped) {
  TextSurface s(5, 2);
  Put(s, 0, 0, "one");
  s.NewPage();
  Put(s, 1, 1, "two");
  s.NewPage();
  ASSERT_TRUE(s.EndDoc().ok());
  EXPECT_EQ(s.Pages(), 2);
  EXPECT_EQ(s.Render(), "one\n\n\f\n\n two\n\f\n");
}

TEST(TextSurface, KillDocDiscardsOnlyTheDocumentInProgress) {
  TextSurface s(5, 1);
  Put(s, 0, 0, "sent");
  ASSERT_TRUE(s.EndDoc().ok());
  Put(s, 0, 0, "lost");
  s.NewPage();
  s.KillDoc();
  EXPECT_EQ(s.Render(), "sent\n\f\n");
}

TEST(TextSurface, ACellSizeBelowOneGivesAnEmptyGrid) {
  TextSurface s(0.5, 0.9);
  Put(s, 0, 0, "x");
  EXPECT_EQ(s.Render(), "\f\n");
}

}  // namespace
}  // namespace vantrels
