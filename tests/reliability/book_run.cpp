#include "reliability/book_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

#include "book/book_renderer.h"
#include "compute/grade.h"
#include "import/criteria_file.h"
#include "layout/page.h"
#include "model/messages.h"

namespace vantrels::reliability {

namespace {

constexpr std::string_view kStoreSideMessage = "Error in StoreSide";
constexpr std::string_view kLayoutFailure = " occured in ToPrintAllForms";
// Counting both sides and drawing the failing page of each may show one failure four times.
constexpr size_t kMaxRepeats = 4;

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

struct FileState {
  bool exists = false;
  std::string bytes;
  struct timespec modified {};
};

FileState ReadState(const std::string& path) {
  FileState state;
  Result<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return state;
  state.bytes = std::move(*bytes);
  state.exists = true;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) state.modified = info.st_mtim;
  return state;
}

bool SameState(const FileState& a, const FileState& b) {
  return a.exists == b.exists && a.bytes == b.bytes && a.modified.tv_sec == b.modified.tv_sec &&
         a.modified.tv_nsec == b.modified.tv_nsec;
}

struct Start {
  int64_t station = 0;
  int64_t row = 0;
  auto operator<=>(const Start&) const = default;
};

std::optional<int64_t> WholeNumber(std::string_view text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::string Show(const PageStart& start) {
  return std::to_string(start.station) + ":" + std::to_string(start.row);
}

std::string Show(const std::optional<PageStart>& start) {
  return start ? Show(*start) : "none";
}

void CheckMessages(const BookRun& run, std::vector<std::string>& out) {
  size_t store_side = 0;
  size_t others = 0;
  size_t repeats = 0;
  for (size_t i = 0; i < run.messages.size(); ++i) {
    const std::string& text = run.messages[i];
    if (text == kStoreSideMessage) {
      ++store_side;
      continue;
    }
    ++others;
    repeats = i > 0 && run.messages[i - 1] == text ? repeats + 1 : 1;
    // A page that cannot be laid out is reported each time it is drawn, once per page.
    const size_t allowed =
        EndsWith(text, kLayoutFailure) ? static_cast<size_t>(run.pages) + 2 : kMaxRepeats;
    if (repeats == allowed + 1) {
      out.push_back("message repeated more than " + std::to_string(allowed) +
                    " times in a row: " + text.substr(0, 200));
    }
  }
  if (store_side > run.input_lines) {
    out.push_back("\"Error in StoreSide\" shown " + std::to_string(store_side) + " times for " +
                  std::to_string(run.input_lines) + " lines");
  }
  if (others > 12 + 2 * static_cast<size_t>(run.pages)) {
    out.push_back(std::to_string(others) + " messages for " + std::to_string(run.pages) + " pages");
  }
  if (run.ended && (run.messages.empty() || !EndsWith(run.messages.back(), ") Program Exiting"))) {
    out.push_back("the program ended without the wrong-side message as its last message");
  }
}

void CheckSide(int64_t station_count, const BookRun& run, const SideRun& book,
               std::vector<std::string>& out) {
  const std::string name = book.side.empty() ? "book" : book.side;
  const auto fail = [&](const std::string& what) { out.push_back(name + ": " + what); };
  const auto shown = [&](auto&& predicate) {
    return std::any_of(run.messages.begin(), run.messages.end(), predicate);
  };
  const bool layout_failed =
      shown([](const std::string& m) { return EndsWith(m, kLayoutFailure); });

  if (book.last_page < 0 || book.last_page >= kMostPages) {
    fail("last page index " + std::to_string(book.last_page) + " outside 0.." +
         std::to_string(kMostPages - 1));
    return;
  }
  // A failed page leaves the next start unknown.
  const size_t top = static_cast<size_t>(book.last_page) + (layout_failed ? 0 : 1);
  if (book.counted_starts.size() < top + 1 ||
      book.counted_starts.size() > static_cast<size_t>(book.last_page) + 2) {
    fail(std::to_string(book.counted_starts.size()) + " page starts for last page " +
         std::to_string(book.last_page));
    return;
  }
  std::vector<Start> starts;
  for (size_t p = 0; p <= top; ++p) {
    const PageStart start = book.counted_starts[p];
    if (start.station < 0 || start.station > station_count + 1 || start.row < 0 ||
        start.row >= kGridRows) {
      fail("page start " + std::to_string(p) + " is " + Show(start));
      return;
    }
    if (p > 0 && (p > book.drawn_next.size() || book.drawn_next[p - 1] != start)) {
      fail("drawing page " + std::to_string(p) + " found the next page at " +
           (p > book.drawn_next.size() ? "no start" : Show(book.drawn_next[p - 1])) +
           ", counting at " + Show(start));
    }
    starts.push_back({start.station, start.row});
  }
  for (size_t p = 1; p < starts.size(); ++p) {
    if (!(starts[p - 1] < starts[p])) {
      fail("page " + std::to_string(p) + " starts no later than page " + std::to_string(p - 1));
    }
  }
  if (!layout_failed && starts.back().station <= station_count) {
    fail("counting stopped at page " + std::to_string(book.last_page) + " before the last station");
  }

  // The go-to-station list names each station with the page it is drawn on.
  std::vector<std::vector<std::string>> listed(static_cast<size_t>(book.last_page) + 1);
  for (const std::string& entry : book.station_list) {
    const size_t digits = entry.find_first_not_of("0123456789");
    const std::optional<int64_t> page =
        digits == std::string::npos ? std::nullopt : WholeNumber(entry.substr(0, digits));
    if (!page || entry.compare(digits, 12, std::string(12, ' ')) != 0 ||
        entry.size() <= digits + 12) {
      fail("station list entry \"" + entry.substr(0, 60) + "\"");
      return;
    }
    if (*page < 1 || *page > book.last_page + 1) {
      fail("station list entry \"" + entry.substr(0, 60) + "\" names a page beyond the book");
      return;
    }
    listed[static_cast<size_t>(*page - 1)].push_back(entry.substr(digits + 12));
  }
  for (size_t p = 0; p < listed.size(); ++p) {
    std::vector<std::string> drawn;
    if (p < book.drawn_stations.size()) {
      for (const std::string& station : book.drawn_stations[p]) {
        if (!station.empty()) drawn.push_back(station);
      }
    }
    if (drawn != listed[p]) {
      fail("page " + std::to_string(p + 1) + " draws " + std::to_string(drawn.size()) +
           " named stations, the list has " + std::to_string(listed[p].size()));
    }
  }
}

// The slope text by the literal rule: the 15-digit decimal text of the value, then "##.00".
std::string LiteralSlope(const Cell& from, const Cell& to, bool divided) {
  const std::optional<double> o0 = ParseNumber(from.offset);
  const std::optional<double> o1 = ParseNumber(to.offset);
  const std::optional<double> e0 = ParseNumber(from.elevation);
  const std::optional<double> e1 = ParseNumber(to.elevation);
  if (!o0 || !o1 || !e0 || !e1) return {};
  const double span = std::fabs(*o1 - *o0);
  if (divided ? !(span >= kMinSlopeSpan) : !(span > kMinSlopeSpan)) return {};
  return FormatHashDot00(FormatDecimal15(((*e1 - *e0) * 100) / span));
}

void CheckSlopes(const std::vector<ReportRecord>& report, bool divided,
                 std::vector<std::string>& out) {
  for (size_t i = 0; i < report.size(); ++i) {
    const ReportRecord& r = report[i];
    if (r.IsMessage()) continue;
    for (size_t j = 0; j < r.cells.size(); ++j) {
      const std::string expected =
          j + 1 < r.cells.size() ? LiteralSlope(r.cells[j], r.cells[j + 1], divided) : "";
      if (r.cells[j].slope != expected) {
        out.push_back("station " + std::to_string(i) + " point " + std::to_string(j) +
                      " has slope \"" + r.cells[j].slope + "\", the rule gives \"" + expected +
                      "\"");
        return;
      }
    }
  }
}

// Every side holds every station of the file, none with more points than a station holds, and
// every slope follows the rule.
void CheckReport(const Book& book, std::vector<std::string>& out) {
  const size_t stations = book.sides.empty() ? 0 : book.sides[0].report.size();
  if (stations < 1 || stations > static_cast<size_t>(kMaxStations)) {
    out.push_back(std::to_string(stations) + " stations");
    return;
  }
  for (const SideBook& side : book.sides) {
    if (side.report.size() != stations) out.push_back("the sides hold different stations");
    for (size_t i = 0; i < side.report.size(); ++i) {
      if (side.report[i].cells.size() > static_cast<size_t>(kMaxPoints)) {
        out.push_back("station " + std::to_string(i) + " has more than 31 points");
      }
    }
    CheckSlopes(side.report, book.Divided(), out);
  }
}

}  // namespace

void HeadingTrackingSurface::SetCurrentX(int x) {
  x_ = x;
  TextSurface::SetCurrentX(x);
}

void HeadingTrackingSurface::PrintText(std::string_view text) {
  if (watching_ && !bold_ && x_ == column_) {
    if (watched_.size() <= page_) watched_.resize(page_ + 1);
    watched_[page_].emplace_back(text);
  }
  TextSurface::PrintText(text);
}

void HeadingTrackingSurface::NewPage() {
  TextSurface::NewPage();
  ++page_;
}

std::vector<std::string> HeadingTrackingSurface::Watched(size_t page) const {
  return page < watched_.size() ? watched_[page] : std::vector<std::string>{};
}

FuzzInput DecodeFuzzInput(std::string_view data) {
  static constexpr std::string_view kUndividedHeader =
      "\"VANTREL REPORT,Fuzz\r\nJob,Fuzz\r\nUNDIVIDED,Roadway 1\r\n";
  static constexpr std::string_view kDividedHeader =
      "\"VANTREL REPORT,Fuzz\r\nJob,Fuzz\r\nDIVIDED,Roadway 1\r\n"
      "Station,Region,,Type,Extra,Section,,,Side,Code,Offset,Elevation\r\n";
  FuzzInput input{{}, kPageSizes[0]};
  if (data.empty()) return input;
  const auto choice = static_cast<unsigned char>(data[0]);
  input.size = kPageSizes[choice & 3];
  if (((choice >> 2) & 3) == 1) input.file = kUndividedHeader;
  if (((choice >> 2) & 3) == 2) input.file = kDividedHeader;
  input.file.append(data.substr(1));
  return input;
}

namespace {

// Prints every page of the road's book through the book printer and records what counting and
// drawing decided.
void PrintBook(Result<ImportedBook> road, HeadingTrackingSurface& printer, RecordingMessages& messages,
               bool keep_text, BookRun& run) {
  if (!road) {
    // Shown last, as the command that ends shows it.
    messages.Show(road.failure().message);
    run.ended = road.failure().kind == FailureKind::kProgramEnded;
    return;
  }
  run.counted = true;
  const Book& book = road->book;
  PageContext context;
  context.project_number = "RELIABILITY";
  context.heading_date = "01 02 2026";
  printer.WatchColumn(static_cast<int>(std::nearbyint(book.page.columns - 89)));
  const auto printed = BookRenderer(book, context, messages).Print(printer, WholeBook(book));
  if (!printed) messages.Show("the text printer failed: " + printed.failure().message);
  const std::vector<PrintedPage> no_pages;
  const std::vector<PrintedPage>& pages = printed ? *printed : no_pages;

  for (const Side side : {Side::Left, Side::Right}) {
    if (side == Side::Right && !book.Divided()) break;
    const SideBook& part = book.Of(side);
    SideRun& run_side = run.sides.emplace_back();
    run_side.side = !book.Divided() ? "" : side == Side::Left ? "LeftSide" : "RightSide";
    run_side.last_page = part.last_page;
    run_side.counted_starts = part.page_starts;
    for (const StationEntry& entry : part.station_entries) {
      run_side.station_list.push_back(FormatStationEntry(entry));
    }
    for (size_t p = 0; p < pages.size(); ++p) {
      if (pages[p].position.side != side) continue;
      run_side.drawn_next.push_back(pages[p].next);
      std::vector<std::string> names;
      const std::vector<std::string> texts = printer.Watched(p);
      // Each station heading is the section label, the region station and the station text.
      for (size_t t = 1; t < texts.size(); t += 3) names.push_back(texts[t]);
      run_side.drawn_stations.push_back(std::move(names));
    }
  }
  run.pages = printer.Pages();
  if (keep_text) run.text = printer.Render();
  run.book = std::move(road->book);
}

}  // namespace

BookRun RunBook(RoadMemory& memory, const std::string& path, PageSize size) {
  BookRun run;
  const FileState before = ReadState(path);
  run.input_lines = SplitLines(before.bytes).size();
  HeadingTrackingSurface printer(size.columns, size.lines);
  RecordingMessages messages;
  PrintBook(BuildBook(path, {}, &printer, memory, messages), printer, messages, true, run);
  run.messages = std::move(messages.shown);
  run.input_unchanged = SameState(before, ReadState(path));
  return run;
}

BookRun RunBookOnBytes(RoadMemory& memory, std::string_view bytes, PageSize size) {
  BookRun run;
  run.input_lines = SplitLines(bytes).size();
  HeadingTrackingSurface printer(size.columns, size.lines);
  RecordingMessages messages;
  PrintBook(BuildBookFromBytes(bytes, {}, &printer, memory, messages), printer, messages, false, run);
  run.messages = std::move(messages.shown);
  run.input_unchanged = true;
  return run;
}

std::vector<std::string> Violations(const BookRun& run) {
  std::vector<std::string> out;
  if (!run.input_unchanged) out.push_back("the input file was changed");
  if (run.ended && run.counted) out.push_back("a book was counted after the program ended");
  CheckMessages(run, out);
  if (!run.counted) return out;
  if (!run.book) {
    out.push_back("a run counted without a book");
    return out;
  }

  CheckReport(*run.book, out);
  const auto station_count = static_cast<int64_t>(run.book->sides[0].report.size()) - 1;
  int64_t pages = 0;
  for (const SideRun& book : run.sides) {
    CheckSide(station_count, run, book, out);
    pages += int64_t{book.last_page} + 1;
  }
  if (pages != run.pages) {
    out.push_back("the book counts " + std::to_string(pages) + " pages, " +
                  std::to_string(run.pages) + " were drawn");
  }
  return out;
}

}  // namespace vantrels::reliability
