#include "book/page_input.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrels {
namespace {

TEST(ValidatePageRange, ReadsBothBoxesAndNamesTheFirstThatHoldsNoPage) {
  const std::string from_bad = " From Page must be a whole number from 1 to 10, Please correct";
  const std::string to_bad = " To Page must be a whole number from 1 to 10, Please correct";
  const std::string order = " From Page should be smaller than To Page, Please correct";
  const struct {
    const char* from;
    const char* to;
    bool read;
    int from_page;
    int to_page;
    std::string problem;
  } cases[] = {
      {"3", "5", true, 2, 4, ""},
      {"", "4", true, 0, 3, ""},
      {"", "", true, 0, 0, ""},
      {" 10 ", "10", true, 9, 9, ""},
      {"0010", "10", true, 9, 9, ""},
      {"5", "2", true, 4, 1, order},
      {"3", "", true, 2, 0, order},
      {"abc", "2", false, 0, 0, from_bad},
      {"0", "2", false, 0, 0, from_bad},
      {"11", "", false, 0, 0, from_bad},
      {"2.5", "3", false, 0, 0, from_bad},
      {"-1", "", false, 0, 0, from_bad},
      {"1 2", "3", false, 0, 0, from_bad},
      {"99999999999", "3", false, 0, 0, from_bad},
      {"1", "11", false, 0, 0, to_bad},
      {"2", "x", false, 0, 0, to_bad},
      {"11", "x", false, 0, 0, from_bad},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " to " + c.to);
    const Result<BoxedPages> check = ValidatePageRange(c.from, c.to, 10);
    // Both boxes are read before the order is checked; only an ordered range is a value.
    EXPECT_EQ(c.read, c.problem.empty() || c.problem == order);
    if (c.problem.empty()) {
      ASSERT_TRUE(check.ok());
      EXPECT_EQ(*check, (BoxedPages{static_cast<int16_t>(c.from_page),
                                    static_cast<int16_t>(c.to_page)}));
    } else {
      ASSERT_FALSE(check.ok());
      EXPECT_EQ(check.failure(), UsageError(c.problem));
    }
  }
}

TEST(ValidatePageRange, TheSideDecidesHowManyPagesABoxMayName) {
  EXPECT_EQ(*ValidatePageRange("12006", "12006", 12006), (BoxedPages{12005, 12005}));
  EXPECT_EQ(ValidatePageRange("1", "2", 1).failure().message,
            " To Page must be a whole number from 1 to 1, Please correct");
}

TEST(ReadEntryPageNumber, ReadsThePageNumberUpToTheFirstBlank) {
  const struct {
    const char* text;
    int64_t page;  // 0: none
    std::string problem;
  } cases[] = {
      {"4            2395+00.00 R2", 4, ""},
      {"  5   x  ", 5, ""},
      {"+2 y", 2, ""},
      {"-2 x", -2, ""},
      {"32767 x", 32767, ""},
      {"-32768 x", -32768, ""},
      {"12", 0, "\"12\" does not begin with a page number followed by a blank"},
      {"  3  ", 0, "\"3\" does not begin with a page number followed by a blank"},
      {"abc def", 0, "\"abc\" is not a page number"},
      {"- 3", 0, "\"-\" is not a page number"},
      {"3x y", 0, "\"3x\" is not a page number"},
      // Whether the book has the page is the navigator's question, which names the number.
      {"32768 x", 32768, ""},
      {"99999999 x", 99999999, ""},
      {"-999999999999999999 x", -999999999999999999, ""},
      {"1234567890123456789 x", 0, "\"1234567890123456789\" is too long for a page number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Result<int64_t> entry = ReadEntryPageNumber(c.text);
    EXPECT_EQ(entry.ok(), c.problem.empty());
    if (entry) {
      EXPECT_EQ(*entry, c.page);
    } else {
      EXPECT_EQ(entry.failure(), UsageError(c.problem));
    }
  }
}

}  // namespace
}  // namespace vantrels
