#include "book/station_value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace vantrels {
namespace {

TEST(StationNumber, IsTheTextWithItsPlusRemoved) {
  const std::pair<const char*, const char*> cases[] = {
      {"2390+00", "239000"},        {"2390+00.00", "239000.00"}, {"2389+50.25", "238950.25"},
      {"239000", "239000"},         {"239000.5", "239000.5"},    {"0+00", "0"},
      {"0", "0"},                   {"12+07.125", "1207.125"},   {"0002390+00", "239000"},
      {"1+234.567", "1234.567"},    {"0+090", "90"},             {"-0+090.000", "-90.000"},
      {"-0+000.000", "0.000"},      {"23+5", "235"},             {"23+555", "23555"},
      {"-5", "-5"},                 {"0+00.50", "0.50"},         {"99999999+99.99", "9999999999.99"},
  };
  for (const auto& [text, number] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(StationNumber(text), number);
    EXPECT_EQ(StationValue(text), std::stod(number));
  }
}

TEST(StationNumber, RefusesWhatIsNotAStation) {
  for (const char* text : {"",         "abc",        "23+",        "+00",        "2390+00.",
                           "2390.",    ".5",         "2390+.50",   "1e5",        "0x10",
                           "inf",      "nan",        " 2390+00",   "2390+00 ",   "2390+00 R1",
                           "2390+00+00", "2,390+00", "2390 + 00",  "+5",         "--5",
                           "-",        "-+00",       "1+2-3"}) {
    EXPECT_FALSE(StationNumber(text).has_value()) << text;
    EXPECT_FALSE(StationValue(text).has_value()) << text;
  }
  EXPECT_FALSE(StationValue(std::string(400, '9')).has_value()) << "beyond any double";
}

TEST(RegionStationValue, ReadsTheStationBeforeTheRegion) {
  EXPECT_EQ(RegionStationValue("2389+00.00 R1"), 238900);
  EXPECT_EQ(RegionStationValue("2389+50.00\tR2"), 238950);
  EXPECT_EQ(RegionStationValue("2389+50.00"), 238950);
  EXPECT_EQ(RegionStationValue("-0+090.000 R1"), -90);
  EXPECT_FALSE(RegionStationValue("R1 2389+00.00").has_value());
  EXPECT_FALSE(RegionStationValue("2389+ R1").has_value());
  EXPECT_EQ(RegionOf("2389+00.00 R1"), "R1");
  EXPECT_EQ(RegionOf("2389+00.00  R 2 "), "R 2");
  EXPECT_EQ(RegionOf("2389+00.00"), "");
  EXPECT_EQ(RegionOf("2389+00.00 "), "");
}

TEST(FormatStation, WritesAValueInTheBooksStyleAndReadsBack) {
  const StationStyle feet = StyleOf("2389+00.00");
  const StationStyle metres = StyleOf("1+234.567");
  const StationStyle plain = StyleOf("239000.5");
  const struct {
    double value;
    StationStyle style;
    const char* station;
  } cases[] = {
      {239000, feet, "2390+00.00"},   {239550.25, feet, "2395+50.25"}, {50.5, feet, "0+50.50"},
      {5, feet, "0+05.00"},           {0, feet, "0+00.00"},           {100, feet, "1+00.00"},
      {1234.567, metres, "1+234.567"}, {90, metres, "0+090.000"},      {-90, metres, "-0+090.000"},
      {-0.0001, metres, "0+000.000"}, {239000.5, plain, "239000.5"},   {-3, plain, "-3.0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatStation(c.value, c.style), c.station) << c.value;
    EXPECT_EQ(StationValue(c.station), c.value == -0.0001 ? 0 : c.value) << c.station;
  }
  EXPECT_EQ(FormatStation(1e300).size(), 301u + 1 + 3);
  EXPECT_EQ(StyleOf("0+090").plus_digits, 3);
  EXPECT_EQ(StyleOf("0+090").decimals, 0);
  EXPECT_EQ(StyleOf("abc").plus_digits, 2);
}

// Qt sets the C library's locale from the environment; a German one writes "," for the point.
TEST(FormatStation, IgnoresTheLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (sh scripts/install-deps makes it)";
  }
  const std::string station = FormatStation(999900);
  const std::string metric = FormatStation(1234.5, StyleOf("0+000.000"));
  std::setlocale(LC_ALL, before.c_str());
  EXPECT_EQ(station, "9999+00.00");
  EXPECT_EQ(metric, "1+234.500");
}

}  // namespace
}  // namespace vantrels
