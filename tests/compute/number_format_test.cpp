#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "compute/grade.h"

namespace vantrels {
namespace {

TEST(ParseNumber, ReadsPlainDecimalTexts) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12.00", 12.0},  {"-3.5", -3.5},  {" 100.06 ", 100.06}, {"+5", 5.0},  {".5", 0.5},
      {"5.", 5.0},      {"-.25", -0.25}, {"\t7\t", 7.0},       {"007", 7.0}, {"0", 0.0},
      {"99.76", 99.76}, {"10.2", 10.2},  {"-0", 0.0},          {"0.2", 0.2},
  };
  for (const auto& c : cases) {
    const std::optional<double> v = ParseNumber(c.text);
    ASSERT_TRUE(v.has_value()) << c.text;
    EXPECT_EQ(*v, c.value) << c.text;
  }
}

TEST(ParseNumber, GivesTheNearestDoubleForEveryDigitCount) {
  // Deterministic pseudo-random digit strings around the fast path's 15-digit limit.
  uint64_t state = 12345;
  auto next = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return state >> 33;
  };
  for (int n = 0; n < 20000; ++n) {
    const int digits = 1 + static_cast<int>(next() % 20);
    std::string text;
    for (int k = 0; k < digits; ++k) text.push_back(static_cast<char>('0' + next() % 10));
    text.insert(text.begin() + static_cast<long>(next() % (digits + 1)), '.');
    if (text == ".") continue;
    if (next() % 2) text.insert(text.begin(), '-');
    const std::optional<double> v = ParseNumber(text);
    ASSERT_TRUE(v.has_value()) << text;
    EXPECT_EQ(*v, std::strtod(text.c_str(), nullptr)) << text;
  }
}

TEST(ParseNumber, RejectsTextThatIsNotAPlainNumber) {
  for (const char* text : {"", "   ", "abc", "1,5", "1e5", "--1", "+", "-", ".", "1.2.3", "inf",
                           "nan", "0x10", "1 2", "12abc", "+-3", "- 3"}) {
    EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
  }
}

TEST(ParseNumber, MagnitudesBeyondADoubleAreRejectedAndTinyOnesReadAsZero) {
  EXPECT_FALSE(ParseNumber("1" + std::string(400, '0')).has_value());
  const std::optional<double> tiny = ParseNumber("-0." + std::string(400, '0') + "1");
  ASSERT_TRUE(tiny.has_value());
  EXPECT_EQ(*tiny, 0.0);
}

TEST(FormatDecimal15, WritesFifteenSignificantDigitsWithoutExponent) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {-1.999999999999957, "-1.99999999999996"},
      {0.5, "0.5"},
      {12, "12"},
      {-3.25, "-3.25"},
      {0.1 + 0.2, "0.3"},
      {2.675, "2.675"},
      {1e-20, "0.00000000000000000001"},
      {-1.5e-7, "-0.00000015"},
      {1e20, "100000000000000000000"},
      {123456789012345678.0, "123456789012346000"},
      {1234.5678, "1234.5678"},
      {0.0, "0"},
      {-0.0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDecimal15(c.value), c.text) << c.value;
}

TEST(FormatDecimal15, NonFiniteGivesEmptyText) {
  EXPECT_EQ(FormatDecimal15(std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(FormatDecimal15(std::nan("")), "");
}

TEST(FormatHashDot00, FormatsDecimalTexts) {
  const struct {
    const char* text;
    const char* formatted;
  } cases[] = {
      {"0.5", ".50"},
      {"-0.5", "-.50"},
      {"-3.25", "-3.25"},
      {"12", "12.00"},
      {"0.005", ".01"},
      {"-0.005", "-.01"},
      {"0.004999", ".00"},
      {"2.675", "2.68"},
      {"-1.99999999999996", "-2.00"},
      {"9.995", "10.00"},
      {"-0.995", "-1.00"},
      {"99.999", "100.00"},
      {"0.00000000000000000001", ".00"},
      {"100000000000000000000", "100000000000000000000.00"},
      {"1234567.891", "1234567.89"},
      {"0", ".00"},
      {"-0.001", ".00"},
      {"+5", "5.00"},
      {" 007.5 ", "7.50"},
      {".5", ".50"},
      {"5.", "5.00"},
      {"-2.00", "-2.00"},
      {".50", ".50"},
      {"abc", "abc"},
      {"1e5", "1e5"},
      {"  ", "  "},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatHashDot00(c.text), c.formatted) << c.text;
}

TEST(SlopeText, RoundsTheFifteenDigitTextNotTheBinaryValue) {
  // 2.675 is stored just below 2.675; rounding the binary value would give 2.67.
  EXPECT_EQ(SlopeText(0, 2.675, 100), "2.68");
  EXPECT_EQ(SlopeText(100.00, 99.76, 12.00), "-2.00");
  EXPECT_EQ(SlopeText(100.00, 100.06, 12.00), ".50");
  EXPECT_EQ(SlopeText(0, 0, 5), ".00");
  EXPECT_EQ(SlopeText(-1e308, 1e308, 1), "");
}

}  // namespace
}  // namespace vantrels
