#include "layout/page.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <exception>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "compute/grade.h"
#include "model/inherited_messages.h"
#include "model/text.h"

namespace vantrels {

namespace {

// No station may begin on this line (counted from the top) or below it.
constexpr double kLastStationLine = 50;
constexpr int32_t kLastPageIndex = kMaxPages - 1;

void CheckPageIndex(const SideBook& book, int32_t page) {
  if (page < 0 || page > kLastPageIndex || static_cast<size_t>(page) >= book.page_starts.size()) {
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

// Draws the texts of one page body. Without a target (counting) it draws nothing. A text whose
// position cannot be converted is reported once per page and skipped, so a target that rejects
// every position costs one message, not one per text.
class BodyWriter {
 public:
  BodyWriter(const PageContext& context, Messages& messages, Surface* target)
      : context_(context), messages_(messages), target_(target) {}

  bool Drawing() const { return target_ != nullptr; }

  // A position given from the right and bottom edges, like the heading's.
  void AtEdge(double columns_from_right, double lines_from_bottom, std::string_view text) {
    if (!target_) return;
    Place(
        [&] {
          const double x = context_.page.columns - columns_from_right;
          const double y = context_.page.lines - lines_from_bottom;
          if (!target_->IsWindow()) return std::pair{RoundCoordinate(x), RoundCoordinate(y)};
          return std::pair{RoundCoordinate(x * kCellTwipsWide * context_.view_scale),
                           RoundCoordinate(y * kCellTwipsHigh * context_.view_scale)};
        },
        text);
  }

  // A position in whole character cells from the top left.
  void AtCell(double column, double line, std::string_view text) {
    if (!target_) return;
    Place(
        [&] {
          const int16_t x = RoundCoordinate(column);
          const int16_t y = RoundCoordinate(line);
          if (!target_->IsWindow()) return std::pair{x, y};
          return std::pair{RoundCoordinate(x * context_.view_scale * kCellTwipsWide),
                           RoundCoordinate(y * context_.view_scale * kCellTwipsHigh)};
        },
        text);
  }

 private:
  template <typename Position>
  void Place(Position position, std::string_view text) {
    std::pair<int16_t, int16_t> at;
    try {
      at = position();
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      if (!reported_) {
        messages_.Show(inherited::kLayoutFailure.Around(e.what()));
        reported_ = true;
      }
      return;
    }
    PutText(messages_, *target_, at.first, at.second, text);
  }

  const PageContext& context_;
  Messages& messages_;
  Surface* target_;
  bool reported_ = false;
};

// One point cell: description, "elevation @ offset", and the slope with "%" behind the
// elevation line's numbers. A grid place without a point draws an empty description.
void DrawCell(BodyWriter& writer, double column, double line, const Cell* cell) {
  if (cell == nullptr) {
    writer.AtCell(column, line, {});
    return;
  }
  const std::string& offset = cell->offset;
  const std::string_view elevation = TrimBlanks(cell->elevation);
  writer.AtCell(column, line, cell->label);
  if (!elevation.empty() && !TrimBlanks(offset).empty()) {
    writer.AtCell(column, line + 1, std::string(elevation) + " @ " + offset);
  }
  const std::string slope(TrimBlanks(FormatHashDot00(cell->slope)));
  if (!slope.empty()) {
    const double shift = static_cast<double>(elevation.size() + offset.size());
    writer.AtCell(column + shift, line + 2, slope + "%");
  }
}

// The layout of one page, shared by drawing and counting so both always take the same
// decisions. Counting collects the page's station entries in `entries`. Returns where the next
// page starts; throws when the page cannot be laid out.
PageStart LayOutPage(const SideBook& book, int32_t page, const PageContext& context,
                     BodyWriter& writer, std::vector<StationEntry>* entries) {
  CheckPageIndex(book, page);
  const PageStart start = book.page_starts[static_cast<size_t>(page)];

  writer.AtEdge(30, 62,
                std::string(book.Names().page_tag) + "Page No.:" + std::to_string(page + 1) + " of " +
                    std::to_string(static_cast<int64_t>(book.last_page) + 1));

  const double columns = context.page.columns;
  const double heading_column = std::nearbyint(columns - 89);
  const double point_columns[kPointsPerRow] = {
      std::nearbyint(columns - 60), std::nearbyint(columns - 40), std::nearbyint(columns - 20)};
  const double message_column = point_columns[0];
  const auto band_line = [&](int32_t k) {
    return std::nearbyint(context.page.lines - 56 + 6.0 * k);
  };

  const auto stations = static_cast<int64_t>(book.report.size());
  int32_t i = start.station;
  int32_t j = start.row;
  int32_t k = 0;
  double line = 0;
  while (i < stations && line < kLastStationLine) {
    line = band_line(k);
    if (line >= kLastStationLine) break;
    const ReportRecord& record = RecordAt(book, i);
    writer.AtCell(heading_column, line, record.SectionLabel());
    writer.AtCell(heading_column, line + 1, record.region_station);
    writer.AtCell(heading_column, line + 2, record.station_text);
    if (entries && !record.region_station.empty()) {
      entries->push_back(StationEntry{page, record.region_station});
    }
    if (record.IsMessage()) {
      writer.AtCell(message_column, line, record.message_keyword);
      writer.AtCell(message_column, line + 1, record.message_text);
      ++k;
      ++i;
      continue;
    }
    // The test uses the line of the band just drawn: a station already on the page may use one
    // band beginning on the last line or below it.
    while (j <= record.last_row && line < kLastStationLine) {
      line = band_line(k);
      CheckGridRow(j);
      if (writer.Drawing()) {
        for (int c = 0; c < kPointsPerRow; ++c) {
          DrawCell(writer, point_columns[c], line, record.CellAt(j, c));
        }
      }
      ++j;
      ++k;
    }
    if (j == record.last_row + 1) j = 0;
    ++i;
  }
  return j > 0 ? PageStart{i - 1, j} : PageStart{i, 0};
}

// As "%g" writes it, in every locale (Qt sets the C library's locale from the environment).
std::string FormatLines(double lines) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, lines,
                                     std::chars_format::general, 6);
  return std::string(buffer, written.ptr);
}

// Lays out every page once, invisibly, recording where each begins and what it lists.
void CountSideBook(SideBook& book, const PageContext& context, Messages& messages) {
  book.page_starts.assign(1, PageStart{});
  book.station_entries.clear();
  BodyWriter hidden(context, messages, nullptr);
  const auto last_station = static_cast<int64_t>(book.report.size()) - 1;
  int32_t last = 0;
  for (int32_t page = 0;; ++page) {
    last = page;
    std::optional<PageStart> next;
    try {
      next = LayOutPage(book, page, context, hidden, &book.station_entries);
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      messages.Show(inherited::kLayoutFailure.Around(e.what()));
      break;
    }
    // The table ends at page 500: the start of a page 501 is never stored.
    if (page < kLastPageIndex) book.page_starts.push_back(*next);
    if (next->station > last_station) break;
    if (*next == book.page_starts[static_cast<size_t>(page)]) {
      // Only a page without any band above the station line makes no progress.
      messages.Show("No station fits on a page of " + FormatLines(context.page.lines) +
                    " lines: the first band must begin above line 50");
      last = 0;
      break;
    }
    if (page == kLastPageIndex) {
      messages.Show(std::string(book.Names().message) +
                    " needs more than 501 pages and is cut after page 501");
      break;
    }
  }
  book.last_page = last;
}

}  // namespace

int16_t RoundCoordinate(double value) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<int16_t>::min() &&
        rounded <= std::numeric_limits<int16_t>::max())) {
    throw std::runtime_error("Overflow");
  }
  return static_cast<int16_t>(rounded);
}

std::string HeadingDateText(const PageContext& context) {
  if (!context.heading_date.empty()) return context.heading_date;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[16];
  std::strftime(buffer, sizeof buffer, "%m %d %Y", &local);
  return buffer;
}

void PutText(Messages& messages, Surface& target, int x, int y, std::string_view text) {
  try {
    target.SetCurrentX(x);
    target.SetCurrentY(y);
    target.PrintText(text);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    messages.Show(inherited::kPutTextFailure.Around(e.what()));
  }
}

std::optional<PageGeometry> MeasurePage(Surface& printer) {
  try {
    if (const std::optional<CellMeasure> measure = printer.MeasureCells()) {
      return PageGeometry::Measured(measure->columns, measure->lines);
    }
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

void DrawHeading(Surface& target, const PageContext& context, Messages& messages) {
  try {
    // A failing step falls back to Courier New and the heading goes on; only a failing fallback
    // leaves the heading.
    const auto step = [&](auto&& action) {
      try {
        action();
      } catch (const std::bad_alloc&) {
        throw;
      } catch (const std::exception&) {
        target.SetFontName("Courier New");
      }
    };
    const bool window = target.IsWindow();
    const double size = window ? 10 * context.view_scale : 10;
    const auto put = [&](double columns_from_right, double lines_from_bottom,
                         const std::string& text) {
      step([&] {
        const double x = context.page.columns - columns_from_right;
        const double y = context.page.lines - lines_from_bottom;
        if (window) {
          PutText(messages, target, RoundCoordinate(x * kCellTwipsWide * context.view_scale),
                  RoundCoordinate(y * kCellTwipsHigh * context.view_scale), text);
        } else {
          PutText(messages, target, RoundCoordinate(x), RoundCoordinate(y), text);
        }
      });
    };

    step([&] { target.SetFontName(context.report_font); });
    step([&] { target.SetFontTransparent(true); });
    step([&] { target.SetFontSize(size); });
    step([&] { target.SetFontBold(true); });

    put(89, 61, "Project No: " + context.project_number);
    put(70, 62, window ? " GEOPAK  " : "  GEOPAK  ");
    step([&] { target.SetFontUnderline(true); });
    put(window ? 57 : 59, 62, window ? "V A N T - R E L S" : " V A N T - R E L S ");
    step([&] { target.SetFontUnderline(false); });
    put(41, 62, window ? "  BOOK " : "  BOOK  ");
    put(25, 61, "Date: " + HeadingDateText(context));

    step([&] { target.SetFontSize(size); });
    step([&] { target.SetFontBold(false); });
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    messages.Show(inherited::kHeadingFailure.Around(e.what()));
  }
}

std::optional<PageStart> DrawPageBody(Surface& target, const SideBook& book, int32_t page,
                                      const PageContext& context, Messages& messages) {
  try {
    BodyWriter writer(context, messages, &target);
    return LayOutPage(book, page, context, writer, nullptr);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    messages.Show(inherited::kLayoutFailure.Around(e.what()));
    return std::nullopt;
  }
}

void CountPages(SideBook& book, PageGeometry page, Messages& messages) {
  try {
    PageContext context;
    context.page = page;
    CountSideBook(book, context, messages);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    messages.Show(inherited::kCountFailure.Around(e.what()));
  }
}

}  // namespace vantrels
