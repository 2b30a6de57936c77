#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrels {

// The value in feet of a station as criteria files write it: "2390+00" (station 2390 and 00
// feet, 239000), "2390+00.00", or a plain number of feet, "239000" or "239000.5". Anything
// else ("abc", "23+", "23+5", "1e5", "-5", " 2390+00") has none.
std::optional<double> StationFeet(std::string_view text);

// The same for a station as the book names it, with its region after blanks
// ("2389+00.00 R1"); a station without a region is read too.
std::optional<double> RegionStationFeet(std::string_view text);

// Feet written back as a station to the hundredth of a foot: 239000 is "2390+00.00", 50.5 is
// "0+50.50".
std::string FormatStationFeet(double feet);

}  // namespace vantrels
