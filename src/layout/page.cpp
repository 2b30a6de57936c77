#include "layout/page.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "compute/grade.h"
#include "layout/page_positions.h"
#include "model/inherited_messages.h"
#include "model/text.h"

namespace vantrels {

namespace {

namespace positions = page_positions;

void CheckPageIndex(const SideBook& book, int32_t page) {
  if (page < 0 || static_cast<size_t>(page) >= book.page_starts.size()) {
    throw std::runtime_error("Page " + std::to_string(page) + " is outside the page table");
  }
}

const ReportRecord& RecordAt(const SideBook& book, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= book.report.size()) {
    throw std::runtime_error("Subscript out of range");
  }
  return book.report[static_cast<size_t>(index)];
}

void CheckGridRow(int32_t row) {
  if (row < 0 || row >= kGridRows) throw std::runtime_error("Subscript out of range");
}

// Draws the texts of one page body at character cells from the top left; the surface converts
// them to its units. Without a target (counting) it draws nothing. A text whose position cannot
// be converted is reported once per page and skipped, so a target that rejects every position
// costs one message, not one per text.
class BodyWriter {
 public:
  BodyWriter(Messages& messages, Surface* target) : messages_(messages), target_(target) {}

  bool Drawing() const { return target_ != nullptr; }

  void At(double column, double line, std::string_view text) {
    if (!target_) return;
    SurfacePoint at;
    try {
      at = target_->CellPosition(column, line);
    } catch (const std::bad_alloc&) {
      // Out of memory is the process's failure, not the file's: it ends the command.
      throw;
    } catch (const std::exception& e) {
      if (!reported_) {
        messages_.Show(inherited::kLayoutFailure.Around(e.what()));
        reported_ = true;
      }
      return;
    }
    PutText(messages_, *target_, at.x, at.y, text);
  }

 private:
  Messages& messages_;
  Surface* target_;
  bool reported_ = false;
};

// One point cell: description, "elevation @ offset", and the slope with "%" behind the
// elevation line's numbers. A grid place without a point draws an empty description.
void DrawCell(BodyWriter& writer, double column, double line, const Cell* cell) {
  if (cell == nullptr) {
    writer.At(column, line, {});
    return;
  }
  const std::string& offset = cell->offset;
  const std::string_view elevation = TrimBlanks(cell->elevation);
  writer.At(column, line, cell->label);
  if (!elevation.empty() && !TrimBlanks(offset).empty()) {
    writer.At(column, line + 1, std::string(elevation) + " @ " + offset);
  }
  const std::string slope(TrimBlanks(FormatHashDot00(cell->slope)));
  if (!slope.empty()) {
    const double shift = static_cast<double>(elevation.size() + offset.size());
    writer.At(column + shift, line + 2, slope + "%");
  }
}

// The body's places on one page, in whole cells from the top left.
struct BodyCells {
  double station_heading_column;
  double point_columns[kPointsPerRow];
  double message_column;
  double first_band_line;

  explicit BodyCells(PageGeometry page)
      : station_heading_column(std::nearbyint(page.columns - positions::kStationHeadingColumn)),
        point_columns{std::nearbyint(page.columns - positions::kPointColumns[0]),
                      std::nearbyint(page.columns - positions::kPointColumns[1]),
                      std::nearbyint(page.columns - positions::kPointColumns[2])},
        message_column(std::nearbyint(page.columns - positions::kMessageColumn)),
        first_band_line(page.lines - positions::kFirstBandFromBottom) {}

  double BandLine(int32_t band) const {
    return std::nearbyint(first_band_line + positions::kBandLines * band);
  }
};

// Draws the three heading lines of a station, and a message station's message beside them.
void DrawStationHeading(BodyWriter& writer, const BodyCells& cells, double line,
                        const ReportRecord& record) {
  writer.At(cells.station_heading_column, line, record.SectionLabel());
  writer.At(cells.station_heading_column, line + 1, record.region_station);
  writer.At(cells.station_heading_column, line + 2, record.station_text);
  if (record.IsMessage()) {
    writer.At(cells.message_column, line, record.message_keyword);
    writer.At(cells.message_column, line + 1, record.message_text);
  }
}

// The layout of one page, shared by drawing and counting so both always take the same
// decisions. Counting collects the page's station entries in `entries`. Returns where the next
// page starts; throws when the page cannot be laid out.
PageStart LayOutPage(const SideBook& book, int32_t page, const PageContext& context,
                     BodyWriter& writer, std::vector<StationEntry>* entries) {
  CheckPageIndex(book, page);
  const PageStart start = book.page_starts[static_cast<size_t>(page)];
  writer.At(context.page.columns - positions::kPageLabel.columns_from_right,
            context.page.lines - positions::kPageLabel.lines_from_bottom,
            std::string(book.Names().page_tag) + "Page No.:" + std::to_string(page + 1) + " of " +
                std::to_string(static_cast<int64_t>(book.last_page) + 1));

  const BodyCells cells(context.page);
  const auto stations = static_cast<int64_t>(book.report.size());
  int32_t station = start.station;
  int32_t row = start.row;
  int32_t band = 0;
  double line = 0;
  while (station < stations && line < positions::kLastStationLine) {
    line = cells.BandLine(band);
    if (line >= positions::kLastStationLine) break;
    const ReportRecord& record = RecordAt(book, station);
    DrawStationHeading(writer, cells, line, record);
    if (entries && !record.region_station.empty()) {
      entries->push_back(StationEntry{page, record.region_station});
    }
    if (record.IsMessage()) {
      ++band;
      ++station;
      continue;
    }
    // The first grid row shares the heading's band. The test uses the line of the band just
    // drawn: a station already on the page may use one band beginning on the last line or below.
    while (row <= record.last_row && line < positions::kLastStationLine) {
      line = cells.BandLine(band);
      CheckGridRow(row);
      if (writer.Drawing()) {
        for (int column = 0; column < kPointsPerRow; ++column) {
          DrawCell(writer, cells.point_columns[column], line, record.CellAt(row, column));
        }
      }
      ++row;
      ++band;
    }
    if (row == record.last_row + 1) row = 0;
    ++station;
  }
  // A station cut at the bottom resumes on the next page at its first row not drawn.
  return row > 0 ? PageStart{station - 1, row} : PageStart{station, 0};
}

// A page measure as "%g" writes it, whatever the locale.
std::string FormatCells(double cells) {
  char buffer[32];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, cells, std::chars_format::general, 6);
  return std::string(buffer, written.ptr);
}

Failure NoStationFits(double lines) {
  return Rejected("No station fits on a page of " + FormatCells(lines) +
                  " lines: the first band must begin above line 50");
}

// Lays out every page once, invisibly, recording where each begins and what it lists.
Status CountSideBook(SideBook& book, const PageContext& context, Messages& messages) {
  book.page_starts.assign(1, PageStart{});
  book.station_entries.clear();
  book.last_page = 0;
  BodyWriter hidden(messages, nullptr);
  const auto last_station = static_cast<int64_t>(book.report.size()) - 1;
  for (int32_t page = 0;; ++page) {
    PageStart next;
    try {
      next = LayOutPage(book, page, context, hidden, &book.station_entries);
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      return Rejected(inherited::kLayoutFailure.Around(e.what()));
    }
    book.last_page = page;
    book.page_starts.push_back(next);
    if (next.station > last_station) return {};
    // Only a page without any band above the station line makes no progress, and CheckPageSize
    // refuses such a page; counting must never loop on one.
    if (next == book.page_starts[static_cast<size_t>(page)]) {
      book.last_page = 0;
      return NoStationFits(context.page.lines);
    }
  }
}

}  // namespace

Status CheckPageSize(PageGeometry page) {
  if (std::nearbyint(page.lines - positions::kFirstBandFromBottom) >=
      positions::kLastStationLine) {
    return NoStationFits(page.lines);
  }
  // Rounded as the texts' positions are: a text at cell -0.5 stands in cell 0.
  constexpr double kLeftmost = positions::LeftmostColumn();
  constexpr double kTop = positions::TopLine();
  if (std::nearbyint(page.columns - kLeftmost) < 0 || std::nearbyint(page.lines - kTop) < 0) {
    return Rejected("The book does not fit on a page of " + FormatCells(page.columns) + "x" +
                    FormatCells(page.lines) + " cells: the smallest page that holds it is " +
                    FormatCells(kLeftmost) + "x" + FormatCells(kTop) + " cells");
  }
  return {};
}

std::optional<PageStart> DrawPageBody(Surface& target, const SideBook& book, int32_t page,
                                      const PageContext& context, Messages& messages) {
  try {
    BodyWriter writer(messages, &target);
    return LayOutPage(book, page, context, writer, nullptr);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    messages.Show(inherited::kLayoutFailure.Around(e.what()));
    return std::nullopt;
  }
}

Status CountPages(SideBook& book, PageGeometry page, Messages& messages) {
  if (Status fits = CheckPageSize(page); !fits) {
    book.page_starts.assign(1, PageStart{});
    book.station_entries.clear();
    book.last_page = 0;
    return fits;
  }
  try {
    PageContext context;
    context.page = page;
    return CountSideBook(book, context, messages);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    return Rejected(inherited::kCountFailure.Around(e.what()));
  }
}

}  // namespace vantrels
