#include "compute/grade.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <string>
#include <system_error>

namespace vantrels {
namespace {

constexpr double kSlopeFactor = 100.0;
constexpr char kFaultDescription[] = "Subscript out of range";

enum class Roadway { kUndivided, kDivided, kOther };

Roadway RoadwayOf(const Store& store) {
  std::string upper(store.RoadwayType);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (upper == "UNDIVIDED") return Roadway::kUndivided;
  if (upper == "DIVIDED") return Roadway::kDivided;
  return Roadway::kOther;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A plain decimal number split into its parts: sign, integer digits and fraction digits.
struct DecimalText {
  bool negative = false;
  std::string_view integer;
  std::string_view fraction;
};

// Accepts [+-]digits[.digits] with at least one digit on either side of the point; no exponent,
// no separators, so the reading never depends on a locale.
std::optional<DecimalText> SplitDecimal(std::string_view text) {
  text = TrimBlanks(text);
  DecimalText d;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    d.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  d.integer = text.substr(0, i);
  if (i < text.size() && text[i] == '.') {
    size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j;
    d.fraction = text.substr(i + 1, j - i - 1);
    i = j;
  }
  if (i != text.size() || (d.integer.empty() && d.fraction.empty())) return std::nullopt;
  return d;
}

// The value of a decimal's digits without its sign; NaN when it exceeds a double.
double ReadMagnitude(const DecimalText& d) {
  // Up to 15 significant digits and 22 decimals: an exact integer divided by an exact power of
  // ten, which one correctly rounded division turns into the nearest double.
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (d.fraction.size() <= 22) {
    uint64_t mantissa = 0;
    int significant = 0;
    // Beyond 15 digits the mantissa may wrap; it is not used then.
    for (std::string_view part : {d.integer, d.fraction}) {
      for (char c : part) {
        if (significant > 0 || c != '0') ++significant;
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      }
    }
    if (significant <= 15) return static_cast<double>(mantissa) / kPowersOfTen[d.fraction.size()];
  }
  double value = 0;
  const char* first = d.integer.empty() ? d.fraction.data() - 1 : d.integer.data();
  const char* last = d.fraction.empty() ? d.integer.data() + d.integer.size()
                                        : d.fraction.data() + d.fraction.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range &&
      d.integer.find_first_not_of('0') == std::string_view::npos) {
    return 0;  // too small for a double: reads as zero
  }
  if (ec != std::errc() || !std::isfinite(value)) return std::nan("");
  return value;
}

bool IsMessageStation(const StationRecord& s) {
  return !s.MessageKeyword.empty();
}

// Moves the point of slot 0 in front of the first later point with a greater offset. A station
// whose offsets cannot be compared up to that place keeps its order.
void OrderFirstPoint(StationRecord& s) {
  const int last = s.LastPointIndex;
  if (last < 1 || last >= kPointSlots) return;
  const std::optional<double> held = ParseNumber(s.PointOffsets[0]);
  if (!held) return;
  int place = last;
  for (int j = 1; j <= last; ++j) {
    const std::optional<double> offset = ParseNumber(s.PointOffsets[j]);
    if (!offset) return;
    if (*held < *offset) {
      place = j - 1;
      break;
    }
  }
  if (place == 0) return;
  std::rotate(s.PointCodes.begin(), s.PointCodes.begin() + 1, s.PointCodes.begin() + place + 1);
  std::rotate(s.PointOffsets.begin(), s.PointOffsets.begin() + 1,
              s.PointOffsets.begin() + place + 1);
  std::rotate(s.PointElevations.begin(), s.PointElevations.begin() + 1,
              s.PointElevations.begin() + place + 1);
}

void ComputeStationSlopes(StationRecord& s, bool divided_rule) {
  const int last = s.LastPointIndex;
  if (last < 0 || last >= kPointSlots) return;
  std::optional<double> o0 = ParseNumber(s.PointOffsets[0]);
  std::optional<double> e0 = ParseNumber(s.PointElevations[0]);
  for (int j = 0; j < last; ++j) {
    const std::optional<double> o1 = ParseNumber(s.PointOffsets[j + 1]);
    const std::optional<double> e1 = ParseNumber(s.PointElevations[j + 1]);
    std::string& slope = s.PointSlopes[j];
    slope.clear();
    if (o0 && o1 && e0 && e1) {
      const double span = std::fabs(*o1 - *o0);
      const bool computed = divided_rule ? span >= kMinSlopeSpan : span > kMinSlopeSpan;
      if (computed) slope = SlopeText(*e0, *e1, span);
    }
    o0 = o1;
    e0 = e1;
  }
  s.PointSlopes[last].clear();
}

void SlopeArray(StationArray& stations, int32_t station_count, bool divided) {
  const int64_t end = std::min<int64_t>(int64_t{station_count} + 1, stations.size());
  for (int64_t i = 0; i < end; ++i) {
    StationRecord& s = stations[i];
    if (IsMessageStation(s)) continue;
    if (divided) OrderFirstPoint(s);
  }
  for (int64_t i = 0; i < end; ++i) {
    StationRecord& s = stations[i];
    if (IsMessageStation(s)) continue;
    ComputeStationSlopes(s, divided);
  }
}

// Copies one array into another; returns false when a record could not be copied.
bool FilterArray(const StationArray& source, StationArray& destination, int32_t station_count) {
  bool all_copied = true;
  for (int64_t i = 0; i <= station_count; ++i) {
    if (i >= static_cast<int64_t>(source.size()) || i >= static_cast<int64_t>(destination.size())) {
      return false;
    }
    const StationRecord& src = source[i];
    const int last = src.LastPointIndex;
    if (last >= kPointSlots) {
      all_copied = false;
      continue;
    }
    StationRecord& dst = destination[i];
    for (int j = 0; j <= last; ++j) {
      dst.PointCodes[j] = src.PointCodes[j];
      dst.PointOffsets[j] = src.PointOffsets[j];
      dst.PointElevations[j] = src.PointElevations[j];
      dst.PointSlopes[j] = src.PointSlopes[j];
    }
    dst.LastPointIndex = last;
    dst.StationText = src.StationText;
    dst.RegionStation = src.RegionStation;
    dst.ExtraText = src.ExtraText;
    dst.SectionStation = src.SectionStation;
    dst.MessageKeyword = src.MessageKeyword;
    dst.MessageText = src.MessageText;
  }
  return all_copied;
}

// Builds one side's report table; returns false when a station could not be built.
bool ReportArrayFrom(const StationArray& filtered, const StationArray& stations,
                     ReportArray& report, int32_t station_count) {
  bool all_built = true;
  for (int64_t i = 0; i <= station_count; ++i) {
    if (i >= static_cast<int64_t>(filtered.size()) || i >= static_cast<int64_t>(stations.size()) ||
        i >= static_cast<int64_t>(report.size())) {
      return false;
    }
    const StationRecord& f = filtered[i];
    const int last = f.LastPointIndex;
    if (last >= kPointSlots) {
      all_built = false;
      continue;
    }
    ReportRecord& r = report[i];
    r.SectionLabel = f.SectionStation == f.RegionStation ? "Cross Sec. Sta." : "Design Sec. Sta.";
    r.RegionStation = f.RegionStation;
    r.StationText = f.StationText;
    const bool message_station = IsMessageStation(stations[i]);
    int row = 0;
    int column = 0;
    for (int j = 0; j <= last; ++j) {
      if (message_station) {
        r.MessageKeyword = f.MessageKeyword;
        r.MessageText = f.MessageText;
        ++row;
        r.LastRow = row;
      } else {
        auto& cell = r.Cells[row][column];
        cell[0] = DescribePoint(f.PointCodes[j]);
        cell[1] = f.PointOffsets[j];
        cell[2] = f.PointElevations[j];
        cell[3] = f.PointSlopes[j];
      }
      column = (column + 1) % 3;
      if (column == 0) {
        if (j != last) ++row;
        r.LastRow = row;
      }
    }
  }
  return all_built;
}

// Adds one to the decimal digits, carrying leftwards; a carry out of the first digit prepends 1.
void IncrementDigits(std::string& digits) {
  for (size_t k = digits.size(); k-- > 0;) {
    if (digits[k] != '9') {
      ++digits[k];
      return;
    }
    digits[k] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Room for the longest plain form: a sign, "0.", 323 zeros and 15 digits, or 309 digits.
using Decimal15Buffer = std::array<char, 352>;

// The plain decimal text of a finite value with 15 significant digits, written into buffer;
// empty for a value that is not finite.
std::string_view WriteDecimal15(double value, Decimal15Buffer& buffer) {
  if (!std::isfinite(value)) return {};
  if (value == 0) return "0";
  // Scientific form with 15 significant digits gives the rounded digits and the exponent.
  char scientific[32];
  const auto [end, ec] = std::to_chars(scientific, scientific + sizeof scientific, value,
                                       std::chars_format::scientific, 14);
  if (ec != std::errc()) return {};
  std::string_view text(scientific, end - scientific);
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  const size_t e = text.find('e');
  std::string_view exponent_text = text.substr(e + 1);
  if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);

  char digits[16];
  int digit_count = 0;
  for (char c : text.substr(0, e)) {
    if (c != '.') digits[digit_count++] = c;
  }
  while (digit_count > 1 && digits[digit_count - 1] == '0') --digit_count;

  char* out = buffer.data();
  if (negative) *out++ = '-';
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -exponent - 1, '0');
    out = std::copy_n(digits, digit_count, out);
  } else if (exponent + 1 >= digit_count) {
    out = std::copy_n(digits, digit_count, out);
    out = std::fill_n(out, exponent + 1 - digit_count, '0');
  } else {
    out = std::copy_n(digits, exponent + 1, out);
    *out++ = '.';
    out = std::copy(digits + exponent + 1, digits + digit_count, out);
  }
  return std::string_view(buffer.data(), out - buffer.data());
}

// "##.00" of the 15-digit text of a finite value without writing that text, which is most of the
// cost of a slope. Below 1e9 the 15-digit text differs from the value by less than 1e-6 and the
// value's hundredths are computed within 2e-5, so both round to the same hundredth unless the
// value lies within 1e-3 hundredths of a half hundredth; there (2.675 is stored as
// 2.67499999...) and for larger values nullopt leaves the decision to the text.
std::optional<std::string> HundredthsText(double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e9)) return std::nullopt;
  const double hundredths = magnitude * 100;
  const double whole = std::floor(hundredths);
  const double fraction = hundredths - whole;
  if (std::fabs(fraction - 0.5) <= 1e-3) return std::nullopt;
  const int64_t rounded = static_cast<int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  char buffer[32];
  char* out = buffer;
  if (value < 0 && rounded != 0) *out++ = '-';
  if (rounded >= 100) out = std::to_chars(out, buffer + sizeof buffer, rounded / 100).ptr;
  *out++ = '.';
  *out++ = static_cast<char>('0' + rounded % 100 / 10);
  *out++ = static_cast<char>('0' + rounded % 10);
  return std::string(buffer, out);
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  const std::optional<DecimalText> d = SplitDecimal(text);
  if (!d) return std::nullopt;
  const double magnitude = ReadMagnitude(*d);
  if (std::isnan(magnitude)) return std::nullopt;
  return d->negative ? -magnitude : magnitude;
}

std::string FormatDecimal15(double value) {
  Decimal15Buffer buffer;
  return std::string(WriteDecimal15(value, buffer));
}

std::string FormatHashDot00(std::string_view text) {
  const std::optional<DecimalText> number = SplitDecimal(text);
  if (!number) return std::string(text);
  const DecimalText& d = *number;

  // Digits of |value| scaled by 100, rounded half away from zero on the third decimal.
  std::string digits(d.integer);
  digits.append(d.fraction.substr(0, std::min<size_t>(2, d.fraction.size())));
  digits.append(2 - std::min<size_t>(2, d.fraction.size()), '0');
  if (d.fraction.size() > 2 && d.fraction[2] >= '5') IncrementDigits(digits);

  const size_t first_nonzero = digits.find_first_not_of('0');
  const bool zero = first_nonzero == std::string::npos;
  // The two decimals are the last two digits; what precedes them loses its leading zeros.
  const size_t integer_end = digits.size() - 2;
  const size_t integer_start = zero ? integer_end : std::min(first_nonzero, integer_end);

  std::string out;
  out.reserve(digits.size() + 2);
  if (d.negative && !zero) out.push_back('-');
  out.append(digits, integer_start, integer_end - integer_start);
  out.push_back('.');
  out.append(digits, integer_end, 2);
  return out;
}

std::string SlopeText(double e0, double e1, double span) {
  const double product = (e1 - e0) * kSlopeFactor;
  const double slope = product / span;
  if (!std::isfinite(slope)) return {};
  if (std::optional<std::string> text = HundredthsText(slope)) return *std::move(text);
  Decimal15Buffer buffer;
  return FormatHashDot00(WriteDecimal15(slope, buffer));
}

void CalculateSlopes(Store& store, Messages& /*messages*/) {
  // Faults here are never shown: a step that cannot be computed leaves an empty slope text.
  try {
    switch (RoadwayOf(store)) {
      case Roadway::kUndivided:
        SlopeArray(store.UndividedStations, store.StationCount, false);
        break;
      case Roadway::kDivided:
        SlopeArray(store.LeftStations, store.StationCount, true);
        SlopeArray(store.RightStations, store.StationCount, true);
        break;
      case Roadway::kOther:
        break;
    }
  } catch (const std::exception&) {
  }
}

void FilterPoints(Store& store, Messages& messages) {
  std::string fault = kFaultDescription;
  bool ok = true;
  try {
    switch (RoadwayOf(store)) {
      case Roadway::kUndivided:
        ok = FilterArray(store.UndividedStations, store.UndividedFiltered, store.StationCount);
        break;
      case Roadway::kDivided:
        ok = FilterArray(store.LeftStations, store.LeftFiltered, store.StationCount);
        ok = FilterArray(store.RightStations, store.RightFiltered, store.StationCount) && ok;
        break;
      case Roadway::kOther:
        break;
    }
  } catch (const std::exception& e) {
    ok = false;
    fault = e.what();
  }
  if (!ok) messages.Show("Program Error: " + fault + " occured in FilterPoints");
}

void WritetoFinalReport(Store& store, Messages& messages) {
  bool ok = true;
  try {
    switch (RoadwayOf(store)) {
      case Roadway::kUndivided:
        ok = ReportArrayFrom(store.UndividedFiltered, store.UndividedStations,
                             store.UndividedReport, store.StationCount);
        break;
      case Roadway::kDivided:
        ok = ReportArrayFrom(store.LeftFiltered, store.LeftStations, store.LeftReport,
                             store.StationCount);
        ok = ReportArrayFrom(store.RightFiltered, store.RightStations, store.RightReport,
                             store.StationCount) &&
             ok;
        break;
      case Roadway::kOther:
        break;
    }
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) messages.Show("Error in WritetoFinalReport");
}

std::string DescribePoint(const std::string& code) {
  if (code == "LtSgShldr") return "Left Shoulder";
  if (code == "LtSgEOP") return "Left Edge";
  if (code == "RtSgEOP") return "Right Edge";
  if (code == "RtSgShldr") return "Right Shoulder";
  if (code == "BR") return "Break";
  return code;
}

}  // namespace vantrels
