#include "compute/grade.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "model/inherited_messages.h"
#include "model/text.h"

namespace vantrels {
namespace {

constexpr double kSlopeFactor = 100.0;

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
  text = TrimWhitespace(text);
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
// Up to 15 significant digits and 22 decimals: an exact integer divided by an exact power of
// ten, which one correctly rounded division turns into the nearest double.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactDigits = 15;
constexpr size_t kExactDecimals = 22;

double ReadMagnitude(const DecimalText& d) {
  if (d.fraction.size() <= kExactDecimals) {
    uint64_t mantissa = 0;
    int significant = 0;
    // Beyond 15 digits the mantissa may wrap; it is not used then.
    for (std::string_view part : {d.integer, d.fraction}) {
      for (char c : part) {
        if (significant > 0 || c != '0') ++significant;
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      }
    }
    if (significant <= kExactDigits) {
      return static_cast<double>(mantissa) / kPowersOfTen[d.fraction.size()];
    }
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

// The numbers of a station's points, each read once.
using PointNumbers = std::array<std::optional<double>, kMaxPoints>;

// Moves the point of slot 0 in front of the first later point with a greater offset. A station
// whose offsets cannot be compared up to that place keeps its order.
void OrderFirstPoint(std::vector<Point>& points, PointNumbers& offsets) {
  const size_t count = points.size();
  if (count < 2 || !offsets[0]) return;
  size_t place = count - 1;
  for (size_t j = 1; j < count; ++j) {
    if (!offsets[j]) return;
    if (*offsets[0] < *offsets[j]) {
      place = j - 1;
      break;
    }
  }
  // Slopes move along unseen: they are all written afterwards.
  const auto end = static_cast<ptrdiff_t>(place) + 1;
  std::rotate(points.begin(), points.begin() + 1, points.begin() + end);
  std::rotate(offsets.begin(), offsets.begin() + 1, offsets.begin() + end);
}

// Orders the points (divided rule) and writes the slope from each point to the next.
void SlopeStation(StationRecord& s, bool divided_rule) {
  std::vector<Point>& points = s.points;
  const size_t count = points.size();
  if (count == 0 || count > static_cast<size_t>(kMaxPoints)) return;
  // A divided station's offsets are read once for the ordering and the slopes; an undivided
  // station reads each as its slope comes.
  PointNumbers offsets;
  if (divided_rule) {
    for (size_t j = 0; j < count; ++j) offsets[j] = ParseNumber(points[j].offset);
    OrderFirstPoint(points, offsets);
  } else {
    offsets[0] = ParseNumber(points[0].offset);
  }
  std::optional<double> e0 = ParseNumber(points[0].elevation);
  for (size_t j = 0; j + 1 < count; ++j) {
    if (!divided_rule) offsets[j + 1] = ParseNumber(points[j + 1].offset);
    const std::optional<double> e1 = ParseNumber(points[j + 1].elevation);
    std::string& slope = points[j].slope;
    slope.clear();
    const std::optional<double>& o0 = offsets[j];
    const std::optional<double>& o1 = offsets[j + 1];
    if (o0 && o1 && e0 && e1) {
      const double span = std::fabs(*o1 - *o0);
      const bool computed = divided_rule ? span >= kMinSlopeSpan : span > kMinSlopeSpan;
      if (computed) slope = SlopeText(*e0, *e1, span);
    }
    e0 = e1;
  }
  points.back().slope.clear();
}

bool TooManyPoints(const StationRecord& s) {
  return s.points.size() > static_cast<size_t>(kMaxPoints);
}

// The report record of one station, taking over its texts and its points.
ReportRecord ReportRecordOf(StationRecord& f) {
  ReportRecord r;
  r.cross_section = f.section_station == f.region_station;
  r.region_station = std::move(f.region_station);
  r.station_text = std::move(f.station_text);
  const bool message_station = f.IsMessage();
  // The row advances once per message slot, and after every third point but the last.
  int32_t row = 0;
  int column = 0;
  const size_t last = f.points.size();
  for (size_t j = 0; j < last; ++j) {
    if (message_station) {
      ++row;
      r.last_row = row;
    } else {
      Point& point = f.points[j];
      std::string words = DescribePoint(point.label);
      point.described = words != point.label;
      point.label = std::move(words);
    }
    column = (column + 1) % kPointsPerRow;
    if (column == 0) {
      if (j + 1 != last) ++row;
      r.last_row = row;
    }
  }
  if (message_station) {
    if (last > 0) {
      r.message_keyword = std::move(f.message_keyword);
      r.message_text = std::move(f.message_text);
    }
  } else {
    r.cells = std::move(f.points);
  }
  return r;
}

// Builds one side's report table; returns false when a station could not be built.
bool BuildSideReport(Stations& stations, std::vector<ReportRecord>& report) {
  bool all_built = true;
  report.clear();
  report.reserve(stations.size());
  for (StationRecord& station : stations) {
    if (TooManyPoints(station)) {
      all_built = false;
      report.emplace_back();
      std::vector<Point>().swap(station.points);
      continue;
    }
    report.push_back(ReportRecordOf(station));
    // What the report did not take (a message station's point slots) goes at once.
    std::vector<Point>().swap(station.points);
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

// The common number of a file ("1234.56", "-12.00") read in one pass; nullopt when the text
// needs the general reading (or is no number, which that reading then says).
std::optional<double> ReadShortNumber(std::string_view text) {
  text = TrimWhitespace(text);
  size_t i = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) negative = text[i++] == '-';
  uint64_t mantissa = 0;
  int significant = 0;
  size_t digits = 0;
  size_t decimals = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      if (significant > 0 || c != '0') ++significant;
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      ++digits;
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || significant > kExactDigits || decimals > kExactDecimals) return std::nullopt;
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  return negative ? -magnitude : magnitude;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  if (const std::optional<double> number = ReadShortNumber(text)) return number;
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

RoadwayStations CalculateSlopes(RoadwayStations stations) {
  const bool divided = stations.roadway == Roadway::Divided;
  for (Stations& side : stations.sides) {
    for (StationRecord& s : side) {
      if (!s.IsMessage()) SlopeStation(s, divided);
    }
  }
  return stations;
}

RoadwayStations FilterPoints(RoadwayStations stations, Messages& messages) {
  bool all_taken = true;
  for (Stations& side : stations.sides) {
    for (StationRecord& s : side) {
      if (!TooManyPoints(s)) continue;
      s = StationRecord{};
      all_taken = false;
    }
  }
  if (!all_taken) messages.Show(inherited::kFilterPointsFailure);
  return stations;
}

std::vector<ReportRecord> BuildReport(Stations stations, Messages& messages) {
  std::vector<ReportRecord> report;
  if (!BuildSideReport(stations, report)) messages.Show(inherited::kFinalReportFailure);
  return report;
}

Book BuildReport(RoadwayStations stations, Messages& messages) {
  Book book;
  book.roadway = stations.roadway;
  const bool divided = stations.roadway == Roadway::Divided;
  bool all_built = true;
  for (size_t s = 0; s < stations.sides.size(); ++s) {
    SideBook& side = book.sides.emplace_back();
    if (divided) side.side = s == 0 ? Side::Left : Side::Right;
    all_built = BuildSideReport(stations.sides[s], side.report) && all_built;
  }
  if (!all_built) messages.Show(inherited::kFinalReportFailure);
  return book;
}

// The point codes that have words, and their words.
constexpr std::pair<std::string_view, std::string_view> kPointWords[] = {
    {"LtSgShldr", "Left Shoulder"}, {"LtSgEOP", "Left Edge"},         {"RtSgEOP", "Right Edge"},
    {"RtSgShldr", "Right Shoulder"}, {"BR", "Break"},
};

std::string DescribePoint(std::string code) {
  for (const auto& [known, words] : kPointWords) {
    if (code == known) return std::string(words);
  }
  return code;
}

std::string PointCode(const Point& point) {
  if (point.described) {
    for (const auto& [known, words] : kPointWords) {
      if (point.label == words) return std::string(known);
    }
  }
  return point.label;
}

}  // namespace vantrels
