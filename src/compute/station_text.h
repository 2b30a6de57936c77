#pragma once

#include <span>
#include <string>

#include "import/landxml_document.h"

namespace vantrels {

// A station as it is shown: its value after the station equations, and its region (1 before
// the first equation, 2 after it, ...).
struct ShownStation {
  double value = 0;
  int region = 1;
};

// The station shown at internal station `internal`. At an equation's own station the station
// ahead applies.
ShownStation ApplyEquations(double internal, std::span<const StationEquation> equations);

// A station in the file's unit, rounded to the hundredth of a foot or the thousandth of a metre:
// feet "12+34.56", metres "1+234.567"; below zero "-0+50.00".
std::string FormatStation(double station, LinearUnit unit);

// The station of a cross section as its block names it: the station shown, with its region
// after blanks when the alignment has equations ("12+34.56 R2", as criteria files write them).
std::string StationLabel(double internal, const Alignment& alignment, LinearUnit unit);

// An offset or elevation as the book shows it: two decimals in feet, three in metres, rounded
// half away from zero, never "-0.00".
std::string FormatLength(double value, LinearUnit unit);

}  // namespace vantrels
