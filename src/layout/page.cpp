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

namespace vantrels {

namespace {

constexpr double kCellTwipsWide = 120;
constexpr double kCellTwipsHigh = 240;
// No station may begin on this line (counted from the top) or below it.
constexpr double kLastStationLine = 50;
constexpr int32_t kLastPageIndex = kPageTableSize - 1;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// One data set of the book: the undivided roadway or one side of a divided one.
struct DataSet {
  ReportArray& report;
  PageTable& starts;
  int32_t& last_page;
  std::vector<std::string>& stations;
  std::string label_tag;
};

std::optional<DataSet> SelectDataSet(Store& store) {
  const std::string type = Upper(store.RoadwayType);
  if (type == "UNDIVIDED") {
    return DataSet{store.UndividedReport, store.UndividedPageStarts, store.UndividedLastPage,
                   store.StationList, ""};
  }
  if (type != "DIVIDED") return std::nullopt;
  if (store.CurrentSide == "LeftSide") {
    return DataSet{store.LeftReport, store.LeftPageStarts, store.LeftLastPage, store.StationList,
                   "(Left)"};
  }
  return DataSet{store.RightReport, store.RightPageStarts, store.RightLastPage,
                 store.StationListRight, "(Right)"};
}

struct PageStart {
  int32_t station = 0;
  int32_t row = 0;
  bool operator==(const PageStart&) const = default;
};

int32_t ParseWholeNumber(std::string_view text, const std::string& entry) {
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw std::runtime_error("Invalid page start \"" + entry + "\"");
  }
  return value;
}

PageStart ParsePageStart(const std::string& entry) {
  const auto colon = entry.find(':');
  if (colon == std::string::npos) throw std::runtime_error("Invalid page start \"" + entry + "\"");
  const std::string_view view(entry);
  return {ParseWholeNumber(view.substr(0, colon), entry),
          ParseWholeNumber(view.substr(colon + 1), entry)};
}

std::string FormatPageStart(PageStart start) {
  return std::to_string(start.station) + ":" + std::to_string(start.row);
}

void CheckPageIndex(int32_t page) {
  if (page < 0 || page > kLastPageIndex) {
    throw std::runtime_error("Page " + std::to_string(page) + " is outside the page table");
  }
}

const ReportRecord& RecordAt(const ReportArray& report, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= report.size()) {
    throw std::runtime_error("Subscript out of range");
  }
  return report[static_cast<size_t>(index)];
}

const std::array<std::array<std::string, kCellItems>, kGridColumns>& GridRow(
    const ReportRecord& record, int32_t row) {
  if (row < 0 || row >= kGridRows) throw std::runtime_error("Subscript out of range");
  return record.Cells[static_cast<size_t>(row)];
}

// Draws the texts of one page body. Without a target (counting) it draws nothing. A text whose
// position cannot be converted is reported once per page and skipped, so a target that rejects
// every position costs one message, not one per text.
class BodyWriter {
 public:
  BodyWriter(const Store& store, Messages& messages, Surface* target)
      : store_(store), messages_(messages), target_(target) {}

  bool Drawing() const { return target_ != nullptr; }

  // A position given from the right and bottom edges, like the heading's.
  void AtEdge(double columns_from_right, double lines_from_bottom, const std::string& text) {
    if (!target_) return;
    Place(
        [&] {
          const double x = store_.PageColumns - columns_from_right;
          const double y = store_.PageLines - lines_from_bottom;
          if (!target_->IsWindow()) return std::pair{RoundCoordinate(x), RoundCoordinate(y)};
          return std::pair{RoundCoordinate(x * kCellTwipsWide * store_.ViewScale),
                           RoundCoordinate(y * kCellTwipsHigh * store_.ViewScale)};
        },
        text);
  }

  // A position in whole character cells from the top left.
  void AtCell(double column, double line, const std::string& text) {
    if (!target_) return;
    Place(
        [&] {
          const int16_t x = RoundCoordinate(column);
          const int16_t y = RoundCoordinate(line);
          if (!target_->IsWindow()) return std::pair{x, y};
          return std::pair{RoundCoordinate(x * store_.ViewScale * kCellTwipsWide),
                           RoundCoordinate(y * store_.ViewScale * kCellTwipsHigh)};
        },
        text);
  }

 private:
  template <typename Position>
  void Place(Position position, const std::string& text) {
    std::pair<int16_t, int16_t> at;
    try {
      at = position();
    } catch (const std::exception& e) {
      if (!reported_) {
        messages_.Show(std::string("Program Error: ") + e.what() + " occured in ToPrintAllForms");
        reported_ = true;
      }
      return;
    }
    PutText(messages_, *target_, at.first, at.second, text);
  }

  const Store& store_;
  Messages& messages_;
  Surface* target_;
  bool reported_ = false;
};

// One point cell: description, "elevation @ offset", and the slope with "%" behind the
// elevation line's numbers.
void DrawCell(BodyWriter& writer, double column, double line,
              const std::array<std::string, kCellItems>& cell) {
  const std::string& description = cell[0];
  const std::string& offset = cell[1];
  const std::string_view elevation = TrimSpaces(cell[2]);
  writer.AtCell(column, line, description);
  if (!elevation.empty() && !TrimSpaces(offset).empty()) {
    writer.AtCell(column, line + 1, std::string(elevation) + " @ " + offset);
  }
  const std::string slope(TrimSpaces(FormatHashDot00(cell[3])));
  if (!slope.empty()) {
    const double shift = static_cast<double>(elevation.size() + offset.size());
    writer.AtCell(column + shift, line + 2, slope + "%");
  }
}

// The layout of one page, shared by drawing and counting so both always take the same
// decisions. Returns where the next page starts; throws when the page cannot be laid out.
PageStart LayOutPage(Store& store, DataSet& set, int32_t page, BodyWriter& writer, bool counting) {
  CheckPageIndex(page);
  const PageStart start = ParsePageStart(set.starts[static_cast<size_t>(page)]);

  writer.AtEdge(30, 62,
                set.label_tag + "Page No.:" + std::to_string(page + 1) + " of " +
                    std::to_string(static_cast<int64_t>(set.last_page) + 1));

  const double heading_column = std::nearbyint(store.PageColumns - 89);
  const double point_columns[3] = {std::nearbyint(store.PageColumns - 60),
                                   std::nearbyint(store.PageColumns - 40),
                                   std::nearbyint(store.PageColumns - 20)};
  const double message_column = point_columns[0];
  const auto band_line = [&](int32_t k) { return std::nearbyint(store.PageLines - 56 + 6.0 * k); };

  int32_t i = start.station;
  int32_t j = start.row;
  int32_t k = 0;
  double line = 0;
  while (i <= store.StationCount && line < kLastStationLine) {
    line = band_line(k);
    if (line >= kLastStationLine) break;
    const ReportRecord& record = RecordAt(set.report, i);
    writer.AtCell(heading_column, line, record.SectionLabel);
    writer.AtCell(heading_column, line + 1, record.RegionStation);
    writer.AtCell(heading_column, line + 2, record.StationText);
    if (counting && !record.RegionStation.empty()) {
      set.stations.push_back(std::to_string(page + 1) + "            " + record.RegionStation);
    }
    if (!record.MessageKeyword.empty()) {
      writer.AtCell(message_column, line, record.MessageKeyword);
      writer.AtCell(message_column, line + 1, record.MessageText);
      ++k;
      ++i;
      continue;
    }
    // The test uses the line of the band just drawn: a station already on the page may use one
    // band beginning on the last line or below it.
    while (j <= record.LastRow && line < kLastStationLine) {
      line = band_line(k);
      const auto& row = GridRow(record, j);
      if (writer.Drawing()) {
        for (int c = 0; c < 3; ++c) DrawCell(writer, point_columns[c], line, row[c]);
      }
      ++j;
      ++k;
    }
    if (j == record.LastRow + 1) j = 0;
    ++i;
  }
  return j > 0 ? PageStart{i - 1, j} : PageStart{i, 0};
}

// Lays out page CurrentPage of the selected data set and records the next page's start.
// Returns the next start, or nullopt when there is no data set or the page failed (reported).
std::optional<PageStart> LayOutCurrentPage(Store& store, Messages& messages, Surface* target,
                                           bool counting) {
  try {
    std::optional<DataSet> set = SelectDataSet(store);
    if (!set) return std::nullopt;
    BodyWriter writer(store, messages, target);
    const int32_t page = store.CurrentPage;
    const PageStart next = LayOutPage(store, *set, page, writer, counting);
    // The table ends at page 500: the start of a page 501 is never stored.
    if (page < kLastPageIndex) set->starts[static_cast<size_t>(page) + 1] = FormatPageStart(next);
    return next;
  } catch (const std::exception& e) {
    messages.Show(std::string("Program Error: ") + e.what() + " occured in ToPrintAllForms");
    return std::nullopt;
  }
}

// The page measure is kept in single precision. The value goes through a volatile float because
// GCC 12's vectoriser drops a pair of double-to-float-to-double conversions.
double SinglePrecision(double value) {
  volatile float single = static_cast<float>(value);
  return single;
}

std::string FormatLines(double lines) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", lines);
  return buffer;
}

// Lays out every page of the selected data set once, invisibly.
void CountSelectedBook(Store& store, Messages& messages, const std::string& book_name) {
  std::optional<DataSet> set = SelectDataSet(store);
  if (!set) return;
  int32_t last = 0;
  for (int32_t page = 0;; ++page) {
    store.CurrentPage = page;
    const std::optional<PageStart> next = LayOutCurrentPage(store, messages, nullptr, true);
    last = page;
    if (!next || next->station > store.StationCount) break;
    if (*next == ParsePageStart(set->starts[static_cast<size_t>(page)])) {
      // Only a page without any band above the station line makes no progress.
      messages.Show("No station fits on a page of " + FormatLines(store.PageLines) +
                    " lines: the first band must begin above line 50");
      last = 0;
      break;
    }
    if (page == kLastPageIndex) {
      messages.Show(book_name + " needs more than 501 pages and is cut after page 501");
      break;
    }
  }
  set->last_page = last;
  store.CurrentPage = 0;
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

std::string HeadingDateText(const Store& store) {
  if (!store.HeadingDate.empty()) return store.HeadingDate;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[16];
  std::strftime(buffer, sizeof buffer, "%m %d %Y", &local);
  return buffer;
}

void PutText(Messages& messages, Surface& target, int x, int y, const std::string& text) {
  try {
    target.SetCurrentX(x);
    target.SetCurrentY(y);
    target.PrintText(text);
  } catch (const std::exception& e) {
    messages.Show(std::string("Program Error: ") + e.what() + "(PutText(korPrint))");
  }
}

void WriteHeader(Store& store, Messages& messages, Surface& target) {
  // A failing step falls back to Courier New and the heading goes on; only a failing fallback
  // leaves this procedure.
  const auto step = [&](auto&& action) {
    try {
      action();
    } catch (const std::exception&) {
      target.SetFontName("Courier New");
    }
  };
  const bool window = target.IsWindow();
  const double size = window ? 10 * store.ViewScale : 10;
  const auto put = [&](double columns_from_right, double lines_from_bottom,
                       const std::string& text) {
    step([&] {
      const double x = store.PageColumns - columns_from_right;
      const double y = store.PageLines - lines_from_bottom;
      if (window) {
        PutText(messages, target, RoundCoordinate(x * kCellTwipsWide * store.ViewScale),
                RoundCoordinate(y * kCellTwipsHigh * store.ViewScale), text);
      } else {
        PutText(messages, target, RoundCoordinate(x), RoundCoordinate(y), text);
      }
    });
  };

  step([&] {
    if (!store.Printer) return;
    if (const std::optional<CellMeasure> measure = store.Printer->MeasureCells()) {
      store.PageColumns = SinglePrecision(measure->columns);
      store.PageLines = SinglePrecision(measure->lines);
    }
  });
  step([&] { target.SetFontName(store.ReportFontName); });
  step([&] { target.SetFontTransparent(true); });
  step([&] { target.SetFontSize(size); });
  step([&] { target.SetFontBold(true); });

  put(89, 61, "Project No: " + store.ProjectNumber);
  put(70, 62, window ? " GEOPAK  " : "  GEOPAK  ");
  step([&] { target.SetFontUnderline(true); });
  put(window ? 57 : 59, 62, window ? "V A N T - R E L S" : " V A N T - R E L S ");
  step([&] { target.SetFontUnderline(false); });
  put(41, 62, window ? "  BOOK " : "  BOOK  ");
  put(25, 61, "Date: " + HeadingDateText(store));

  step([&] { target.SetFontSize(size); });
  step([&] { target.SetFontBold(false); });
}

void PrintQMTForm(Store& store, Messages& messages, Surface& target) {
  try {
    WriteHeader(store, messages, target);
  } catch (const std::exception& e) {
    messages.Show(std::string("Program Error: ") + e.what() + " PrintQMTForm(KorPrint)");
  }
}

void ToPrintAllForms(Store& store, Messages& messages, Surface& target) {
  LayOutCurrentPage(store, messages, &target, false);
}

void ToCountAllForms(Store& store, Messages& messages, Surface& /*target*/) {
  // Counting shows nothing: it takes the drawing's decisions without drawing.
  LayOutCurrentPage(store, messages, nullptr, true);
}

void PageCount(Store& store, Messages& messages) {
  try {
    const std::string type = Upper(store.RoadwayType);
    if (type == "DIVIDED") {
      store.CurrentSide = "LeftSide";
      CountSelectedBook(store, messages, "The left side");
    } else if (type == "UNDIVIDED") {
      CountSelectedBook(store, messages, "The book");
    }
  } catch (const std::exception& e) {
    messages.Show(std::string("Error : ") + e.what() + " occured in PageCount");
  }
}

void PageCountRight(Store& store, Messages& messages) {
  try {
    if (Upper(store.RoadwayType) != "DIVIDED") return;
    store.CurrentSide = "RightSide";
    CountSelectedBook(store, messages, "The right side");
  } catch (const std::exception& e) {
    messages.Show(std::string("Error : ") + e.what() + " occured in PageCount");
  }
}

}  // namespace vantrels
