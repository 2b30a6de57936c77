// The road's fast paths must give exactly what the plain routines give.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "compute/grade.h"
#include "import/criteria_file.h"
#include "model/book.h"
#include "model/messages.h"

namespace vantrels {
namespace {

std::string PlainSlopeText(double e0, double e1, double span) {
  const double slope = ((e1 - e0) * 100) / span;
  return std::isfinite(slope) ? FormatHashDot00(FormatDecimal15(slope)) : "";
}

TEST(SlopeTextShortcut, MatchesTheFifteenDigitTextOnFileValues) {
  // Elevations and offsets as files write them: hundredths.
  for (double base : {0.0, 812.16, 1233.84}) {
    for (int rise = -1500; rise <= 1500; rise += 7) {
      const double e1 = (std::round(base * 100) + rise) / 100.0;
      for (int span = 20; span <= 6000; span += 3) {
        ASSERT_EQ(SlopeText(base, e1, span / 100.0), PlainSlopeText(base, e1, span / 100.0))
            << base << " " << e1 << " " << span / 100.0;
      }
    }
  }
}

TEST(SlopeTextShortcut, MatchesNearHalfHundredthsAndAtAnyMagnitude) {
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int n = 0; n < 300000; ++n) {
    // A slope of k half hundredths, moved by 1e-15 to 1.
    const double near_tie = std::round(unit(random) * 1e6) / 200.0 +
                            unit(random) * std::pow(10.0, -static_cast<int>(random() % 16));
    ASSERT_EQ(SlopeText(0, near_tie / 100, 1), PlainSlopeText(0, near_tie / 100, 1)) << near_tie;
    const double e0 = unit(random) * std::pow(10.0, static_cast<int>(random() % 14));
    const double e1 = unit(random) * std::pow(10.0, static_cast<int>(random() % 14));
    const double span = 0.2 + std::fabs(unit(random)) * 100;
    ASSERT_EQ(SlopeText(e0, e1, span), PlainSlopeText(e0, e1, span)) << e0 << " " << e1;
  }
  EXPECT_EQ(SlopeText(0, 2.675, 100), "2.68");
  EXPECT_EQ(SlopeText(0, -0.00004, 1), ".00");
  EXPECT_EQ(SlopeText(0, 9.99996, 1), "1000.00");
}

TEST(SplitFieldsInto, CutsLikeSplitFieldsWithTheSameLimit) {
  for (const char* line : {"", ",", "a", "a,b", ",,a,,", "1,2,3,4,5,6,7,8,9,10,11,12,13,14"}) {
    for (size_t limit : {1u, 2u, 3u, 13u}) {
      std::array<std::string_view, 13> cut;
      const size_t count = SplitFieldsInto(line, std::span(cut.data(), limit));
      const std::vector<std::string_view> expected = SplitFields(line, limit);
      ASSERT_EQ(count, expected.size()) << line << " / " << limit;
      for (size_t i = 0; i < count; ++i) EXPECT_EQ(cut[i], expected[i]) << line << " / " << i;
    }
  }
  EXPECT_EQ(SplitFieldsInto("a,b", {}), 0u);
}

TEST(ContainsCommaRun, FindsARunOfExactlyThatManyCommasAnywhere) {
  struct Case {
    const char* line;
    size_t length;
    bool found;
  };
  const Case cases[] = {
      {",,,,,,,", 7, true},
      {",,,,,,", 7, false},
      {"a,,,,,,,b", 7, true},
      {",,,,,,a,,,,,,", 7, false},
      {"x,,,,,,,,,,,,,,", 14, true},
      {",,,,,,,,,,,,,x,", 14, false},
      {",,,,,,,,,,,,,,,", 14, true},
      {"1,2,,,,,,,,,,,,,,,3", 14, true},
      {"", 0, true},
      {"", 1, false},
      {"a,b,c,d,e,f,g,h", 2, false},
      {"a,b,,c", 2, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContainsCommaRun(c.line, c.length), c.found) << c.line << " / " << c.length;
    EXPECT_EQ(ContainsCommaRun(c.line, c.length),
              std::string_view(c.line).find(std::string(c.length, ',')) != std::string_view::npos);
  }
}

TEST(NumberShortcut, ReadsWhatTheGeneralReadingReads) {
  const char* const numbers[] = {"  0000000000000000012.50\t",
                                 "+.5",
                                 "-0",
                                 "5.",
                                 "-0.000000000000000000001",
                                 "0000000000000000000000000.0000000000000000000001",
                                 "123456789012345",
                                 "1234567890123456",
                                 "12345678901234567890123",
                                 "99999999999999.99",
                                 "-1234.567890123456"};
  for (const char* text : numbers) {
    const std::optional<double> value = ParseNumber(text);
    ASSERT_TRUE(value) << text;
    const double expected = std::strtod(text, nullptr);
    EXPECT_EQ(*value, expected) << text;
    EXPECT_EQ(std::signbit(*value), std::signbit(expected)) << text;
  }
  for (const char* text : {"1.2.3", "12a", "+-1", ".", "", " - 1", "1 2", "0x10", "1e5"}) {
    EXPECT_FALSE(ParseNumber(text)) << text;
  }
}

TEST(StationRecords, EachImportStartsFromFreshRecordsIncludingLongTexts) {
  const std::string long_text(100, 'x');
  const std::string header = "\"VANTREL REPORT,\r\nJob\r\nUNDIVIDED,\r\n";
  std::string first = header;
  for (int n = 0; n < 3; ++n) {
    first += "S," + long_text + ",,," + long_text + "," + long_text + ",,,," + long_text + ",1," +
             long_text + "\r\n";
  }
  first += ",,,,,,,\r\n" + long_text + ",S R1,MESSAGE," + long_text + "\r\n";
  const std::string second = header + "T,T R1,,,,T R1,,,,CL,0,1\r\n";
  ImportMemory memory;
  const Result<RoadwayStations> big = ImportUndivided(first, memory);
  ASSERT_TRUE(big.ok());
  ASSERT_EQ(big->sides[0].size(), 3u);
  EXPECT_EQ(big->sides[0][0].points.size(), 3u);
  EXPECT_EQ(big->sides[0][1].message_text, long_text);

  const Result<RoadwayStations> small = ImportUndivided(second, memory);
  ASSERT_TRUE(small.ok());
  ASSERT_EQ(small->sides.size(), 1u);
  const Stations& stations = small->sides[0];
  ASSERT_EQ(stations.size(), 1u);
  const StationRecord& s = stations[0];
  for (const std::string* text : {&s.station_text, &s.region_station, &s.extra_text,
                                  &s.section_station, &s.message_keyword, &s.message_text}) {
    EXPECT_EQ(text->find(long_text), std::string::npos) << *text;
  }
  ASSERT_EQ(s.points.size(), 1u);
  EXPECT_EQ(s.points[0].label, "CL");
  EXPECT_EQ(s.points[0].elevation, "1");
}

}  // namespace
}  // namespace vantrels
