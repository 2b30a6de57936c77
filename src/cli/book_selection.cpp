#include "cli/book_selection.h"

#include <algorithm>
#include <optional>

#include "book/station_value.h"
#include "model/cp1252.h"
#include "model/text.h"

namespace vantrels {

namespace {

bool ByStation(const BookOptions& options) {
  return options.from_station || options.to_station;
}

// The pages of one side book to put out, zero-based and both included.
PageSpan SpanOf(const Book& book, Side side, const BookOptions& options) {
  if (options.pages) return {side, options.pages->from - 1, options.pages->to - 1};
  return {side, 0, book.Of(side).last_page};
}

std::string RangeText(const StationRange& range, StationStyle style) {
  if (range.from && range.to) {
    return "from " + FormatStation(*range.from, style) + " to " + FormatStation(*range.to, style);
  }
  if (range.from) return "from " + FormatStation(*range.from, style) + " on";
  return "up to " + FormatStation(range.to.value_or(0), style);
}

// The range that matches nothing, and the stations the chosen side(s) do hold, written in the
// style of the book's stations (feet or metres).
Status NoStationInRange(const Book& book, const BookOptions& options) {
  std::optional<double> lowest;
  std::optional<double> highest;
  StationStyle style;
  for (const Side side : SelectedSides(book, options)) {
    for (const StationEntry& entry : book.Of(side).station_entries) {
      const std::string_view station = TrimBlanks(entry.station);
      const std::optional<double> value = RegionStationValue(station);
      if (!value) continue;
      if (!lowest) style = StyleOf(station.substr(0, station.find_first_of(" \t")));
      if (!lowest || *value < *lowest) lowest = value;
      if (!highest || *value > *highest) highest = value;
    }
  }
  std::string problem = "no station of " + LowerCase(NamesOf(options.side).message) +
                        " lies in the range " + RangeText(RangeOf(options), style);
  if (lowest) {
    problem += " (its stations run from " + FormatStation(*lowest, style) + " to " +
               FormatStation(*highest, style) + ")";
  }
  return UsageError(problem);
}

}  // namespace

std::vector<Side> SelectedSides(const Book& book, const BookOptions& options) {
  if (!book.Divided()) return {Side::Left};
  std::vector<Side> sides;
  for (const Side side : {Side::Left, Side::Right}) {
    if (!options.side || *options.side == side) sides.push_back(side);
  }
  return sides;
}

StationRange RangeOf(const BookOptions& options) {
  return StationRange{options.from_station, options.to_station};
}

Status CheckSelection(const Book& book, const BookOptions& options) {
  const bool divided = book.Divided();
  if (options.side && !divided) return UsageError("--side applies only to a divided roadway");
  if (options.pages && divided && !options.side) {
    return UsageError("--pages on a divided roadway needs --side");
  }
  // The office software reads one alignment a file.
  if (options.output == BookOutput::kStakeout && divided && !options.side) {
    return UsageError("--stakeout on a divided roadway needs --side");
  }
  if (options.pages) {
    const int32_t pages = book.Of(SelectedSides(book, options).front()).Pages();
    if (options.pages->to > pages) {
      return UsageError("--pages " + std::to_string(options.pages->from) + "-" +
                        std::to_string(options.pages->to) + " is outside the book's pages 1 to " +
                        std::to_string(pages));
    }
  }
  if (ByStation(options) && SelectedPages(book, options).empty()) {
    return NoStationInRange(book, options);
  }
  return {};
}

PageSelection SelectedPages(const Book& book, const BookOptions& options) {
  PageSelection selection;
  for (const Side side : SelectedSides(book, options)) {
    if (!ByStation(options)) {
      selection.push_back(SpanOf(book, side, options));
      continue;
    }
    for (const PageSpan& span : PagesShowingStations(book.Of(side), side, RangeOf(options))) {
      selection.push_back(span);
    }
  }
  return selection;
}

std::string StationListing(const Book& book, const BookOptions& options) {
  const PageSelection selection = SelectedPages(book, options);
  std::string out;
  bool first_book = true;
  for (const Side side : SelectedSides(book, options)) {
    if (!first_book) out += "\f\n";
    first_book = false;
    for (const StationEntry& entry : book.Of(side).station_entries) {
      const bool chosen = std::any_of(selection.begin(), selection.end(), [&](const PageSpan& s) {
        return s.side == side && entry.page >= s.first && entry.page <= s.last;
      });
      if (!chosen) continue;
      out += Cp1252ToUtf8(FormatStationEntry(entry));
      out += '\n';
    }
  }
  return out;
}

}  // namespace vantrels
