#include "reliability/book_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

#include "book/road.h"
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

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

struct FileState {
  bool exists = false;
  std::string bytes;
  struct timespec modified {};
};

FileState ReadState(const std::string& path) {
  FileState state;
  try {
    state.bytes = ReadFileBytes(path);
    state.exists = true;
  } catch (const std::exception&) {
    return state;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) state.modified = info.st_mtim;
  return state;
}

bool SameState(const FileState& a, const FileState& b) {
  return a.exists == b.exists && a.bytes == b.bytes && a.modified.tv_sec == b.modified.tv_sec &&
         a.modified.tv_nsec == b.modified.tv_nsec;
}

PageTable& TableOf(Store& store, const std::string& side) {
  if (side.empty()) return store.UndividedPageStarts;
  return side == "LeftSide" ? store.LeftPageStarts : store.RightPageStarts;
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

// "s:r" with two plain decimal numbers, nothing else.
std::optional<Start> ParseStart(std::string_view entry) {
  const size_t colon = entry.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<int64_t> s = WholeNumber(entry.substr(0, colon));
  const std::optional<int64_t> r = WholeNumber(entry.substr(colon + 1));
  if (!s || !r || entry[0] == '-' || entry[colon + 1] == '-') return std::nullopt;
  return Start{*s, *r};
}

const ReportArray& ReportOf(const Store& store, const std::string& side) {
  if (side.empty()) return store.UndividedReport;
  return side == "LeftSide" ? store.LeftReport : store.RightReport;
}

const StationArray& StationsOf(const Store& store, const std::string& side) {
  if (side.empty()) return store.UndividedStations;
  return side == "LeftSide" ? store.LeftStations : store.RightStations;
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

void CheckSide(const Store& store, const BookRun& run, const SideBook& book,
               std::vector<std::string>& out) {
  const std::string name = book.side.empty() ? "book" : book.side;
  const auto fail = [&](const std::string& what) { out.push_back(name + ": " + what); };
  const auto shown = [&](auto&& predicate) {
    return std::any_of(run.messages.begin(), run.messages.end(), predicate);
  };
  const bool cut = shown([](const std::string& m) { return Contains(m, "needs more than 501"); });
  const bool no_band = shown([](const std::string& m) { return m.starts_with("No station fits"); });
  const bool layout_failed =
      shown([](const std::string& m) { return EndsWith(m, kLayoutFailure); });

  if (book.last_page < 0 || book.last_page >= kPageTableSize) {
    fail("last page index " + std::to_string(book.last_page) + " outside 0..500");
    return;
  }
  // A failed page leaves the next entry unwritten; the 501st page has no next entry.
  const int32_t top = book.last_page + (layout_failed || book.last_page == 500 ? 0 : 1);
  std::vector<Start> starts;
  for (int32_t p = 0; p <= top; ++p) {
    const std::string& entry = book.counted_starts[static_cast<size_t>(p)];
    const std::optional<Start> start = ParseStart(entry);
    if (!start || start->station > int64_t{store.StationCount} + 1 || start->row < 0 ||
        start->row >= kGridRows) {
      fail("page table entry " + std::to_string(p) + " is \"" + entry.substr(0, 40) + "\"");
      return;
    }
    if (book.drawn_starts[static_cast<size_t>(p)] != entry) {
      fail("drawing wrote page table entry " + std::to_string(p) + " \"" +
           book.drawn_starts[static_cast<size_t>(p)].substr(0, 40) + "\", counting \"" + entry +
           "\"");
    }
    starts.push_back(*start);
  }
  for (size_t p = 1; p < starts.size(); ++p) {
    if (!(starts[p - 1] < starts[p]) && !no_band) {
      fail("page " + std::to_string(p) + " starts no later than page " + std::to_string(p - 1));
    }
  }
  if (!cut && !no_band && !layout_failed && starts.back().station <= store.StationCount) {
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
std::string LiteralSlope(const StationRecord& s, int j, bool divided) {
  const std::optional<double> o0 = ParseNumber(s.PointOffsets[j]);
  const std::optional<double> o1 = ParseNumber(s.PointOffsets[j + 1]);
  const std::optional<double> e0 = ParseNumber(s.PointElevations[j]);
  const std::optional<double> e1 = ParseNumber(s.PointElevations[j + 1]);
  if (!o0 || !o1 || !e0 || !e1) return {};
  const double span = std::fabs(*o1 - *o0);
  if (divided ? !(span >= kMinSlopeSpan) : !(span > kMinSlopeSpan)) return {};
  return FormatHashDot00(FormatDecimal15(((*e1 - *e0) * 100) / span));
}

void CheckSlopes(const StationArray& stations, int32_t station_count, bool divided,
                 std::vector<std::string>& out) {
  for (int32_t i = 0; i <= station_count && static_cast<size_t>(i) < stations.size(); ++i) {
    const StationRecord& s = stations[static_cast<size_t>(i)];
    if (!s.MessageKeyword.empty() || s.LastPointIndex < 0 || s.LastPointIndex >= kPointSlots) {
      continue;
    }
    for (int j = 0; j <= s.LastPointIndex; ++j) {
      const std::string expected = j < s.LastPointIndex ? LiteralSlope(s, j, divided) : "";
      if (s.PointSlopes[j] != expected) {
        out.push_back("station " + std::to_string(i) + " slot " + std::to_string(j) +
                      " has slope \"" + s.PointSlopes[j] + "\", the rule gives \"" + expected +
                      "\"");
        return;
      }
    }
  }
}

void CheckStore(const Store& store, const BookRun& run, std::vector<std::string>& out) {
  if (store.StationCount < 0 || store.StationCount > kMaxStationIndex) {
    out.push_back("StationCount " + std::to_string(store.StationCount));
    return;
  }
  for (const SideBook& book : run.sides) {
    if (ReportOf(store, book.side).size() != static_cast<size_t>(store.StationCount) + 1) {
      out.push_back("report array size does not match StationCount");
    }
    const StationArray& stations = StationsOf(store, book.side);
    for (int32_t i = 0; i <= store.StationCount && static_cast<size_t>(i) < stations.size(); ++i) {
      if (stations[static_cast<size_t>(i)].LastPointIndex >= kPointSlots) {
        out.push_back("station " + std::to_string(i) + " has more than 31 points");
      }
    }
    CheckSlopes(stations, store.StationCount, !book.side.empty(), out);
  }
}

}  // namespace

void HeadingTrackingSurface::SetCurrentX(int x) {
  x_ = x;
  TextSurface::SetCurrentX(x);
}

void HeadingTrackingSurface::SetCurrentY(int y) {
  TextSurface::SetCurrentY(y);
}

void HeadingTrackingSurface::PrintText(std::string_view text) {
  if (watching_ && x_ == column_) {
    if (watched_.size() <= page_) watched_.resize(page_ + 1);
    watched_[page_].emplace_back(text);
  }
  TextSurface::PrintText(text);
}

void HeadingTrackingSurface::NewPage() {
  TextSurface::NewPage();
  ++page_;
}

void HeadingTrackingSurface::WatchColumn(int column) {
  watching_ = true;
  column_ = column;
  if (watched_.size() <= page_) watched_.resize(page_ + 1);
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

BookRun RunBook(Store& store, const std::string& path, PageSize size) {
  BookRun run;
  const FileState before = ReadState(path);
  run.input_lines = SplitLines(before.bytes).size();

  HeadingTrackingSurface printer(size.columns, size.lines);
  for (PageTable* table :
       {&store.UndividedPageStarts, &store.LeftPageStarts, &store.RightPageStarts}) {
    (*table)[0] = "0:0";
  }
  store.Printer = &printer;
  store.InputFilePath = path;
  store.ProjectNumber = "RELIABILITY";
  store.HeadingDate = "01 02 2026";
  store.ProgramEnded = false;

  RecordingMessages messages;
  run.counted = RunHeadlessRoad(store, messages);
  run.ended = messages.ended || store.ProgramEnded;

  if (run.counted) {
    const auto add_side = [&](const char* side, int32_t last_page,
                              const std::vector<std::string>& stations) {
      SideBook& book = run.sides.emplace_back();
      book.side = side;
      book.last_page = last_page;
      book.station_list = stations;
    };
    if (UpperCase(store.RoadwayType) == "DIVIDED") {
      add_side("LeftSide", store.LeftLastPage, store.StationList);
      add_side("RightSide", store.RightLastPage, store.StationListRight);
    } else {
      add_side("", store.UndividedLastPage, store.StationList);
    }
    for (SideBook& book : run.sides) book.counted_starts = TableOf(store, book.side);

    for (SideBook& book : run.sides) {
      const size_t first_page = printer.Watched().size();
      // A broken last page index is reported by Violations; drawing stays within the table.
      const int32_t last = std::clamp(book.last_page, -1, kPageTableSize - 1);
      for (int32_t page = 0; page <= last; ++page) {
        if (!book.side.empty()) store.CurrentSide = book.side;
        store.CurrentPage = page;
        PrintQMTForm(store, messages, printer);
        printer.WatchColumn(static_cast<int>(std::nearbyint(store.PageColumns - 89)));
        ToPrintAllForms(store, messages, printer);
        printer.StopWatching();
        printer.NewPage();
      }
      book.drawn_starts = TableOf(store, book.side);
      for (size_t p = first_page; p < printer.Watched().size(); ++p) {
        std::vector<std::string> names;
        const std::vector<std::string>& texts = printer.Watched()[p];
        // Each station heading is SectionLabel, RegionStation, StationText.
        for (size_t t = 1; t < texts.size(); t += 3) names.push_back(texts[t]);
        book.drawn_stations.push_back(std::move(names));
      }
    }
    printer.EndDoc();
    run.pages = printer.Pages();
    run.text = printer.Render();
  }
  store.Printer = nullptr;
  run.messages = std::move(messages.shown);
  run.input_unchanged = SameState(before, ReadState(path));
  return run;
}

std::vector<std::string> Violations(const Store& store, const BookRun& run) {
  std::vector<std::string> out;
  if (!run.input_unchanged) out.push_back("the input file was changed");
  if (run.ended && run.counted) out.push_back("a book was counted after the program ended");
  if (run.ended && !store.ProgramEnded) out.push_back("the program ended behind the store's back");
  CheckMessages(run, out);
  if (!run.counted) return out;

  CheckStore(store, run, out);
  int64_t pages = 0;
  for (const SideBook& book : run.sides) {
    CheckSide(store, run, book, out);
    pages += int64_t{book.last_page} + 1;
  }
  if (pages != run.pages) {
    out.push_back("the book counts " + std::to_string(pages) + " pages, " +
                  std::to_string(run.pages) + " were drawn");
  }
  return out;
}

}  // namespace vantrels::reliability
