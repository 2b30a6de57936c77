#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrels {

// A station as criteria files and users write it, in feet ("2390+00", "2390+00.00"), in metres
// ("1+234.567", "0+090", "-0+090.000") or as a plain number ("239000", "-90.5"): its value is
// the text with its "+" removed, whatever the number of digits after the "+". The plain number
// comes back without leading zeros and with the digits after the point as written:
// "2389+00.00" is "238900.00", "-0+090.000" is "-90.000". Anything else ("abc", "23+", "+00",
// "2390.", "1e5", " 2390+00", "2390+00 R1") is not a station.
std::optional<std::string> StationNumber(std::string_view text);

// The value of StationNumber(text); nullopt also beyond the range of a double.
std::optional<double> StationValue(std::string_view text);

// The same for a station as the book names it, with its region after blanks
// ("2389+00.00 R1"); a station without a region is read too.
std::optional<double> RegionStationValue(std::string_view text);

// The region after the station of a region station ("R1" of "2389+00.00 R1"); empty if none.
std::string_view RegionOf(std::string_view region_station);

// How a book writes its stations: the digits after the "+" (2 in feet, 3 in metres; 0 for
// plain numbers) and after the point.
struct StationStyle {
  int plus_digits = 2;
  int decimals = 2;
};
// The style of one station text; feet for a text that is not a station.
StationStyle StyleOf(std::string_view station);

// A value written back as a station of `style`, rounded to its decimals, in every locale:
// 239000 is "2390+00.00", 50.5 is "0+50.50", 1234.567 in metres is "1+234.567".
std::string FormatStation(double value, StationStyle style = {});

}  // namespace vantrels
