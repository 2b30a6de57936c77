#include "book/station_value.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrels {
namespace {

TEST(StationFeet, ReadsStationsAsTheFileWritesThem) {
  const std::pair<const char*, double> cases[] = {
      {"2390+00", 239000},
      {"2390+00.00", 239000},
      {"2389+50.25", 238950.25},
      {"239000", 239000},
      {"239000.5", 239000.5},
      {"0+00", 0},
      {"0", 0},
      {"12+07.125", 1207.125},
      {"0002390+00", 239000},
      {"99999999+99.99", 9999999999.99},
  };
  for (const auto& [text, feet] : cases) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(StationFeet(text).has_value());
    EXPECT_EQ(*StationFeet(text), feet);
  }
}

TEST(StationFeet, RefusesWhatIsNotAStation) {
  for (const char* text :
       {"",           "abc",        "23+",      "23+5",     "23+555",   "+00",
        "2390+00.",   "2390.",      ".5",       "2390+.50", "-5",       "-0+50",
        "1e5",        "0x10",       "inf",      "nan",      " 2390+00", "2390+00 ",
        "2390+00 R1", "2390+00+00", "2,390+00", "2390 + 00"}) {
    EXPECT_FALSE(StationFeet(text).has_value()) << text;
  }
  EXPECT_FALSE(StationFeet(std::string(400, '9')).has_value()) << "beyond any double";
}

TEST(RegionStationFeet, ReadsTheStationBeforeTheRegion) {
  EXPECT_EQ(RegionStationFeet("2389+00.00 R1"), 238900);
  EXPECT_EQ(RegionStationFeet("2389+50.00\tR2"), 238950);
  EXPECT_EQ(RegionStationFeet("2389+50.00"), 238950);
  EXPECT_FALSE(RegionStationFeet("R1 2389+00.00").has_value());
  EXPECT_FALSE(RegionStationFeet("2389+0 R1").has_value());
}

TEST(FormatStationFeet, WritesFeetAsAStationAndReadsBack) {
  const std::pair<double, const char*> cases[] = {
      {239000, "2390+00.00"}, {239550.25, "2395+50.25"}, {50.5, "0+50.50"}, {5, "0+05.00"},
      {0, "0+00.00"},         {100, "1+00.00"},
  };
  for (const auto& [feet, station] : cases) {
    EXPECT_EQ(FormatStationFeet(feet), station) << feet;
    EXPECT_EQ(StationFeet(station), feet) << station;
  }
  EXPECT_EQ(FormatStationFeet(1e300).size(), 301u + 1 + 3);
}

}  // namespace
}  // namespace vantrels
