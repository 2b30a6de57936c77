#include "book/book_csv.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrels {
namespace {

const std::string kHeader =
    "Side,Station,Region Station,Point,Description,Offset,Elevation,Cross Slope (%),Message\r\n";

Cell Point(std::string label, std::string offset, std::string elevation, std::string slope) {
  return Cell{std::move(label), std::move(offset), std::move(elevation), std::move(slope)};
}

ReportRecord Station(std::string station, std::vector<Cell> cells) {
  ReportRecord record;
  record.station_text = station;
  record.region_station = station + " R1";
  record.cells = std::move(cells);
  return record;
}

ReportRecord MessageStation(std::string station, std::string keyword, std::string text) {
  ReportRecord record = Station(std::move(station), {Point("", "", "", "")});
  record.message_keyword = std::move(keyword);
  record.message_text = std::move(text);
  return record;
}

Book Undivided(std::vector<ReportRecord> report) {
  Book book;
  book.sides.emplace_back().report = std::move(report);
  return book;
}

TEST(BookCsv, OneRowPerPointAsTheBookShowsIt) {
  const Book book = Undivided({Station("10+00.00", {Point("Left Edge", "-12.00", " 100.00 ", "2"),
                                                    Point("CL", "0.00", "100.24", "")})});
  EXPECT_EQ(BookCsv(book, {Side::Left}),
            kHeader +
                "Undivided,10+00.00,10+00.00 R1,1,Left Edge,-12.00,100.00,2.00,\r\n"
                "Undivided,10+00.00,10+00.00 R1,2,CL,0.00,100.24,,\r\n");
}

TEST(BookCsv, FieldsAreQuotedAfterRfc4180AndDecodedFromWindows1252) {
  const struct {
    const char* name;
    std::string description;
    std::string field;
  } cases[] = {
      {"plain", "Left Edge", "Left Edge"},
      {"a comma", "Ditch, left", "\"Ditch, left\""},
      {"quotes doubled", "12\" pipe \"A\"", "\"12\"\" pipe \"\"A\"\"\""},
      {"a line end", "two\r\nlines", "\"two\r\nlines\""},
      {"Windows-1252 as UTF-8",
       "Stra\xDF"
       "e \x80 \x96",
       "Stra\xC3\x9F"
       "e \xE2\x82\xAC \xE2\x80\x93"},
      {"a quote and a comma in Windows-1252",
       "\x93"
       "A,B\"",
       "\"\xE2\x80\x9C"
       "A,B\"\"\""},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Book book = Undivided({Station("1+00", {Point(c.description, "1", "2", "")})});
    EXPECT_EQ(BookCsv(book, {Side::Left}),
              kHeader + "Undivided,1+00,1+00 R1,1," + c.field + ",1,2,,\r\n");
  }
}

TEST(BookCsv, AMessageStationIsOneRowOfItsTextAndAStationWithoutPointsOneEmptyRow) {
  const Book book =
      Undivided({MessageStation("10+00.00", "MESSAGE", "Bridge slab, no criteria"),
                 MessageStation("10+50.00", "ERROR", "Point not found"), Station("11+00.00", {})});
  EXPECT_EQ(BookCsv(book, {Side::Left}),
            kHeader +
                "Undivided,10+00.00,10+00.00 R1,,,,,,\"Bridge slab, no criteria\"\r\n"
                "Undivided,10+50.00,10+50.00 R1,,,,,,Point not found\r\n"
                "Undivided,11+00.00,11+00.00 R1,,,,,,\r\n");
}

TEST(BookCsv, DividedSidesComeInTheOrderAskedAndNameTheirSide) {
  Book book;
  book.roadway = Roadway::Divided;
  book.sides.resize(2);
  book.sides[0].side = Side::Left;
  book.sides[0].report = {Station("1+00", {Point("LtSg", "-6", "10", "-1.5")})};
  book.sides[1].side = Side::Right;
  book.sides[1].report = {Station("1+00", {Point("RtSg", "6", "10", ".5")})};
  const std::string left = "Left,1+00,1+00 R1,1,LtSg,-6,10,-1.50,\r\n";
  const std::string right = "Right,1+00,1+00 R1,1,RtSg,6,10,.50,\r\n";
  EXPECT_EQ(BookCsv(book, {Side::Left, Side::Right}), kHeader + left + right);
  EXPECT_EQ(BookCsv(book, {Side::Right}), kHeader + right);
  EXPECT_EQ(BookCsv(book, {}), kHeader);
}

}  // namespace
}  // namespace vantrels
