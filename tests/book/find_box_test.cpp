#include "book/find_box.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrels {
namespace {

SideBook Listing(std::vector<StationEntry> entries) {
  SideBook side;
  side.station_entries = std::move(entries);
  return side;
}

TEST(FindBox, AStationFindsThePageOfTheNearestListedStationAndAnEntryItsPageNumber) {
  // 2398+00.00 is cut across pages 3 and 4: its first page is found.
  const SideBook feet = Listing({{0, "2389+00.00 R2"},
                                 {1, "2395+00.00 R2"},
                                 {2, "2398+00.00 R2"},
                                 {3, "2398+00.00 R2"},
                                 {4, "2400+00.00 R3"}});
  const SideBook metric = Listing({{0, "0+980.000"}, {0, "1+000.000"}, {5, "1+234.567"}});
  const struct {
    const SideBook& side;
    const char* text;
    std::optional<int64_t> page;
    const char* problem;
  } cases[] = {
      {feet, "2398+00.00", 3, ""},
      {feet, "2398+00", 3, ""},
      {feet, "  2398+00.00 R2 ", 3, ""},
      {feet, "2397+00", 3, ""},
      // As near to both: the first entry.
      {feet, "2396+50", 2, ""},
      {feet, "2389+00", 1, ""},
      {feet, "2400+00.00", 5, ""},
      {feet, "2400+00 R2", std::nullopt, "2400+00 R2 is outside this side's stations, "
                                         "2389+00.00 R2 to 2398+00.00 R2"},
      {feet, "9999+00", std::nullopt,
       "9999+00 is outside this side's stations, 2389+00.00 R2 to 2400+00.00 R3"},
      {feet, "2398+00 R9", std::nullopt, "no station 2398+00 R9 on this side"},
      {feet, "2398+", std::nullopt, "\"2398+\" is not a station"},
      {metric, "1+234.567", 6, ""},
      {metric, "1+234.5", 6, ""},
      {metric, "0+990", 1, ""},
      // Entries and page numbers read as they always were.
      {feet, "4            2395+00.00 R2", 4, ""},
      {feet, "+2 y", 2, ""},
      {feet, "12", std::nullopt, "\"12\" does not begin with a page number followed by a blank"},
      {Listing({}), "2398+00", std::nullopt, "no station 2398+00 on this side"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Result<int64_t> found = ReadFindBox(c.text, c.side);
    EXPECT_EQ(found ? std::optional(*found) : std::nullopt, c.page);
    EXPECT_EQ(found ? "" : found.failure().message, c.problem);
  }
}

}  // namespace
}  // namespace vantrels
