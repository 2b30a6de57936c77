#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/side.h"
#include "model/units.h"

namespace vantrels {

enum class Roadway { Undivided, Divided };

// The roadway type as the print range dialog shows it: "UNDIVIDED" or "DIVIDED".
const char* RoadwayName(Roadway roadway);

// Limits of behaviour, not of storage: the import refuses a roadway of more stations or a
// station of more points with its message.
inline constexpr int kMaxStations = 2001;
inline constexpr int kMaxPoints = 31;
// A report station shows its points three to a grid row: 31 points need rows 0 to 10.
inline constexpr int kPointsPerRow = 3;
inline constexpr int kGridRows = 11;

// A book has every page its stations need. Any page that holds the book puts at least two grid
// rows of a station on a page (its first band and the band after it), so a station of 11 rows
// spans at most 6 pages: a side book has at most 2001 x 6 = 12006 pages, and page numbers stay
// within the 16 bits the windows and the page boxes take.
inline constexpr int kMostPagesPerStation = (kGridRows + 1) / 2;
inline constexpr int kMostPages = kMaxStations * kMostPagesPerStation;
static_assert(kMostPages <= INT16_MAX);

// Where a page begins: the report index of its first station and the grid row of that station
// at which drawing resumes (0: the station's first row).
struct PageStart {
  int32_t station = 0;
  int32_t row = 0;
  friend auto operator<=>(const PageStart&, const PageStart&) = default;
};

// A station heading drawn on a page: the go-to-station lists hold one per heading.
struct StationEntry {
  int32_t page = 0;  // zero-based
  std::string station;
  bool operator==(const StationEntry&) const = default;
};

// The entry as the find window and --stations show it: the page from 1, 12 blanks, the station.
std::string FormatStationEntry(const StationEntry& entry);

// One point of a station. Texts keep the file's bytes (Windows-1252); they are decoded only
// where shown.
struct Point {
  // The point code as the file gives it; in the report, its description ("Left Edge").
  std::string label;
  std::string offset;
  std::string elevation;
  // The slope to the next point, "##.00" text; empty when none is computed.
  std::string slope;
  // In the report: the label is the words DescribePoint gave the code, not the code itself
  // (the stake-out files need the code back).
  bool described = false;
  // Existing ground minus the point's elevation at its offset (positive: cut, negative: fill);
  // only a LandXML file with a ground line gives it, and only where the ground reaches.
  std::optional<double> cut_fill = std::nullopt;
};

// One station of one roadway as the file gives it.
struct StationRecord {
  std::string station_text;
  // The station with its region suffix ("2389+00.00 R1"): its name in messages and lists.
  std::string region_station;
  std::string extra_text;
  std::string section_station;
  // "ERROR" or "MESSAGE" for a station given by a message row; such a station shows its
  // message and none of its points.
  std::string message_keyword;
  std::string message_text;
  // A message station keeps the point slots its import gave it: one (undivided) or two.
  std::vector<Point> points;

  bool IsMessage() const { return !message_keyword.empty(); }
};

using Stations = std::vector<StationRecord>;

// A data line the import passed over: not stored as a point or message row, and neither blank
// nor a terminating line.
struct UnusedLine {
  // In the file, from 1.
  int64_t line = 0;
  // Why, in Windows-1252: "the side is \"left\", not \"LEFT\"".
  std::string reason;
  bool operator==(const UnusedLine&) const = default;
};

// The lines an import passed over: how many, and the first few of them with why.
struct UnusedLines {
  static constexpr size_t kKept = 10;
  int64_t count = 0;
  std::vector<UnusedLine> first;

  void Add(int64_t line, std::string reason) {
    if (first.size() < kKept) first.push_back(UnusedLine{line, std::move(reason)});
    ++count;
  }
};

// The stations of one criteria file: the undivided roadway, or the left then the right side
// of a divided one, both sides indexed alike.
struct RoadwayStations {
  Roadway roadway = Roadway::Undivided;
  std::vector<Stations> sides;
  UnusedLines unused;
};

// A point as the report shows it: its label is the description. The report takes the stations'
// points over as they are, so a cell is a point.
using Cell = Point;

// One station of the report table.
struct ReportRecord {
  // Labelled "Cross Sec. Sta." when the section station is the region station, else
  // "Design Sec. Sta.".
  bool cross_section = false;
  std::string region_station;
  std::string station_text;
  // Index of the last grid row in use.
  int32_t last_row = 0;
  std::string message_keyword;
  std::string message_text;
  // Point j of the station stands at grid row j / 3, column j % 3.
  std::vector<Cell> cells;

  const char* SectionLabel() const;
  bool IsMessage() const { return !message_keyword.empty(); }
  // The cell at (row, column), or nullptr where the station has no point.
  const Cell* CellAt(int32_t row, int32_t column) const;
};

// The book of one roadway or side: its report, where every page begins, and the stations each
// page lists.
struct SideBook {
  // The side it holds; nullopt for the one book of an undivided roadway.
  std::optional<Side> side;
  std::vector<ReportRecord> report;
  // page_starts[p] is where page p begins; counting also records where the page after the last
  // begins.
  std::vector<PageStart> page_starts{PageStart{}};
  // Zero-based index of the last page.
  int32_t last_page = 0;
  std::vector<StationEntry> station_entries;

  int32_t Pages() const { return last_page + 1; }
  const SideNames& Names() const { return NamesOf(side); }
};

// What a preview produces: the roadway with its one or two side books, laid out on the page.
// Everything after it (viewer, printing, lists) reads the book and never recomputes it.
struct Book {
  Roadway roadway = Roadway::Undivided;
  // The undivided book, or the left side then the right side.
  std::vector<SideBook> sides;
  PageGeometry page;
  // The lines of the file the import passed over.
  UnusedLines unused_lines;

  bool Divided() const { return roadway == Roadway::Divided; }
  // The book of `side`; an undivided roadway has one book, whatever the side.
  const SideBook& Of(Side side) const;
  SideBook& Of(Side side);
};

}  // namespace vantrels
