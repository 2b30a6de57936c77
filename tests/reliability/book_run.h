#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/text_surface.h"
#include "model/store.h"

namespace vantrels::reliability {

struct PageSize {
  double columns;
  double lines;
};

// Letter with quarter-inch margins, a fractional measure, a short page, and a page so tall
// that no band fits above line 50.
inline constexpr PageSize kPageSizes[] = {{96, 63}, {93.5, 66.2}, {80, 50}, {120, 110}};

// A text printer that also keeps, page by page, the texts the page body draws in one column:
// set to the station heading column, they are the three heading lines of every station drawn.
class HeadingTrackingSurface : public TextSurface {
 public:
  using TextSurface::TextSurface;

  void SetCurrentX(int x) override;
  void SetCurrentY(int y) override;
  void PrintText(std::string_view text) override;
  void NewPage() override;

  // Starts watching `column` for the body of the current page; StopWatching ends it.
  void WatchColumn(int column);
  void StopWatching() { watching_ = false; }

  // Per page of the document, the watched texts in drawing order.
  const std::vector<std::vector<std::string>>& Watched() const { return watched_; }

 private:
  int x_ = 0;
  bool watching_ = false;
  int column_ = 0;
  size_t page_ = 0;
  std::vector<std::vector<std::string>> watched_;
};

// One book of a run: the undivided roadway or one side of a divided one.
struct SideBook {
  std::string side;  // "LeftSide", "RightSide", or empty for an undivided roadway
  int32_t last_page = 0;
  PageTable counted_starts;
  PageTable drawn_starts;
  std::vector<std::string> station_list;
  // Per page, the RegionStation of every station heading drawn on it.
  std::vector<std::vector<std::string>> drawn_stations;
};

struct BookRun {
  bool counted = false;
  bool ended = false;
  bool input_unchanged = false;
  size_t input_lines = 0;
  std::vector<std::string> messages;
  std::vector<SideBook> sides;
  int pages = 0;
  std::string text;  // the whole book, as the command line prints it
};

// A fuzz input: the first byte chooses the page size (bits 0-1) and whether a valid header
// goes in front of the rest (bits 2-3: none, undivided, divided, none); the other bytes follow.
struct FuzzInput {
  std::string file;
  PageSize size;
};
FuzzInput DecodeFuzzInput(std::string_view data);

// Runs the headless road on the file at `path` with a text printer of `size`, the way a
// Preview does on `store` (call InitialiseStore before a first run), then draws every page of
// every side: heading, body and a new page each, left pages before right pages. Messages are
// recorded and the wrong-side stop is noted, never acted on.
BookRun RunBook(Store& store, const std::string& path, PageSize size);

// The invariants every run keeps whatever its file held; one text per broken invariant.
std::vector<std::string> Violations(const Store& store, const BookRun& run);

}  // namespace vantrels::reliability
