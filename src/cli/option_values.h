#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/book_options.h"
#include "model/result.h"

namespace vantrels {

// The readers of the option values; each refuses a value with the option's one-line usage
// error, quoting the value escaped.

// A value as a message quotes it: "\"a\\nb\"".
std::string Shown(std::string_view value);

// "--project": UTF-8 text that Windows-1252 can hold, without control characters.
Result<std::string> ReadProject(std::string_view value);
// "--date": YYYY-MM-DD, a real day, as "mm dd yyyy".
Result<std::string> ReadDate(std::string_view value);
// "--cells": COLSxLINES, plain decimals above 0 up to 32767.
Status ReadCells(BookOptions& options, std::string_view value);
// "--pages": FROM-TO, 1 <= FROM <= TO.
Result<PageRange> ReadPages(std::string_view value);
// "--from-station", "--to-station": a station (StationValue).
Result<double> ReadStation(const char* option, std::string_view value);
// "--paper": letter, a4 or legal in any letter case.
Result<Paper> ReadPaper(std::string_view value);
// "--side": left or right.
Result<Side> ReadSide(std::string_view value);
// "--stakeout-format": tbc or civil3d.
Result<StakeoutFormat> ReadStakeoutFormat(std::string_view value);

}  // namespace vantrels
