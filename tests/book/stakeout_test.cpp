#include "book/stakeout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book/road.h"

namespace vantrels {
namespace {

// One point row of an undivided criteria file: station, region, code, offset, elevation.
struct Row {
  std::string station;
  std::string region;
  std::string code;
  std::string offset;
  std::string elevation;
};

// The report of an undivided file of `rows`; a row without a station closes a station, a row
// whose code is "MESSAGE" is a message station.
SideBook ReportOf(const std::vector<Row>& rows) {
  std::string bytes = "\"VANTREL REPORT,Test\r\nJob\r\nUNDIVIDED,Roadway 1\r\n";
  for (const Row& r : rows) {
    const std::string named = r.station + " " + r.region;
    if (r.station.empty()) {
      bytes += ",,,,,,,,,,,\r\n";
    } else if (r.code == "MESSAGE") {
      bytes += r.station + "," + named + ",MESSAGE,no criteria here,x," + named + "\r\n";
    } else {
      bytes += r.station + "," + named + ",,,x," + named + ",,,," + r.code + "," + r.offset + "," +
               r.elevation + "\r\n";
    }
  }
  RecordingMessages messages;
  RoadMemory memory;
  Result<ImportedBook> road = ImportAndComputeBytes(bytes, {}, memory, messages);
  EXPECT_TRUE(road.ok());
  EXPECT_TRUE(messages.shown.empty());
  return road ? road->book.sides.front() : SideBook{};
}

std::string Written(const SideBook& book, StakeoutFormat format, StationRange range = {}) {
  const Result<Stakeout> stakeout = StakeoutFile(book, range, format);
  return stakeout ? stakeout->bytes : "failed: " + stakeout.failure().message;
}

TEST(Stakeout, EveryPointInBookOrderWithItsCodeAndNoMessageStation) {
  const SideBook book = ReportOf({{"2389+00.00", "R1", "LtSgEOP", "-12.00", " 1234.32"},
                                  {"2389+00.00", "R1", "CL", "0.00", "1234.56"},
                                  {},
                                  {"2389+50.00", "R1", "MESSAGE", "", ""},
                                  {"2390+00", "R1", "", "12.5", "1233"}});
  EXPECT_EQ(Written(book, StakeoutFormat::kTbc),
            "TBC Excel\r\n"
            "238900.00,-12.00,1234.32,LtSgEOP\r\n"
            "238900.00,0.00,1234.56,CL\r\n"
            "239000,12.5,1233,\r\n");
  // Civil 3D's description is optional: an empty code leaves it out.
  EXPECT_EQ(Written(book, StakeoutFormat::kCivil3d),
            "# Station,Offset,Elevation,Description\r\n"
            "238900.00,-12.00,1234.32,LtSgEOP\r\n"
            "238900.00,0.00,1234.56,CL\r\n"
            "239000,12.5,1233\r\n");
}

TEST(Stakeout, CodesThatWouldBreakTheFormatAreReplacedAndNotedOnce) {
  const SideBook book = ReportOf({{"1+00", "R1", "EOP;\"L\" 2", "1", "2"},
                                  {"1+00", "R1", "EOP;\"L\" 2", "3", "4"},
                                  {"1+00", "R1", "Ditch\x1B", "5", "6"}});
  const struct {
    StakeoutFormat format;
    const char* first_code;
  } cases[] = {{StakeoutFormat::kTbc, "EOP__L_ 2"}, {StakeoutFormat::kCivil3d, "EOP;_L__2"}};
  for (const auto& c : cases) {
    const Result<Stakeout> stakeout = StakeoutFile(book, {}, c.format);
    ASSERT_TRUE(stakeout.ok());
    EXPECT_NE(stakeout->bytes.find(std::string("100,1,2,") + c.first_code + "\r\n"),
              std::string::npos)
        << stakeout->bytes;
    const std::vector<ReplacedCode> expected = {{"EOP;\"L\" 2", c.first_code},
                                                {"Ditch\x1B", "Ditch_"}};
    EXPECT_EQ(stakeout->replaced, expected);
  }
}

TEST(Stakeout, ARangeChoosesStationsByValueInFeetOrMetres) {
  const SideBook metric = ReportOf({{"-0+010.000", "R1", "A", "1", "2"},
                                    {},
                                    {"0+000.000", "R1", "B", "1", "2"},
                                    {},
                                    {"1+234.567", "R1", "C", "1", "2"}});
  EXPECT_EQ(Written(metric, StakeoutFormat::kTbc, {-10, 0}),
            "TBC Excel\r\n-10.000,1,2,A\r\n0.000,1,2,B\r\n");
  EXPECT_EQ(Written(metric, StakeoutFormat::kTbc, {1234.567, std::nullopt}),
            "TBC Excel\r\n1234.567,1,2,C\r\n");
}

TEST(Stakeout, RefusesWhatItCannotWriteAsNumbers) {
  const struct {
    std::vector<Row> rows;
    const char* message;
  } cases[] = {
      {{{"10+00.00", "R1", "A", "1", "2"}, {}, {"10+00.00", "R2", "A", "1", "2"}},
       "station 10+00.00 is in region R1 and in region R2: a stake-out file gives stations "
       "without their region, so their points would fall together; choose the stations of one "
       "region"},
      {{{"10+00.00", "R1", "A", "abc", "2"}},
       "10+00.00 R1, point 1: the offset \"abc\" is not a number"},
      {{{"10+00.00", "R1", "A", "1", "2"}, {"10+00.00", "R1", "B", "1", ""}},
       "10+00.00 R1, point 2: the elevation \"\" is not a number"},
      {{{"10+0x", "R1", "A", "1", "2"}},
       "station \"10+0x\" of 10+0x R1 is not a station a stake-out file can hold"},
  };
  for (const auto& c : cases) {
    const Result<Stakeout> stakeout = StakeoutFile(ReportOf(c.rows), {}, StakeoutFormat::kTbc);
    ASSERT_FALSE(stakeout.ok()) << c.message;
    EXPECT_EQ(stakeout.failure(), Rejected(c.message));
  }
  // The same station twice in one region is two stations of points, as the file gives them.
  EXPECT_EQ(Written(ReportOf({{"1+00", "R1", "A", "1", "2"}, {}, {"1+00", "R1", "B", "3", "4"}}),
                    StakeoutFormat::kTbc),
            "TBC Excel\r\n100,1,2,A\r\n100,3,4,B\r\n");
}

}  // namespace
}  // namespace vantrels
