#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "book/road.h"
#include "layout/text_surface.h"
#include "model/book.h"

namespace vantrels::reliability {

struct PageSize {
  double columns;
  double lines;
};

// Letter with quarter-inch margins, a fractional measure, the smallest page that holds a book,
// and a page so tall that no band fits above line 50.
inline constexpr PageSize kPageSizes[] = {{96, 63}, {93.5, 66.2}, {88.5, 61.5}, {120, 110}};

// A text printer that also keeps, page by page, the texts the page body draws in one column:
// set to the station heading column, they are the three heading lines of every station drawn.
// The page heading is drawn in bold and is not kept.
class HeadingTrackingSurface : public TextSurface {
 public:
  using TextSurface::TextSurface;

  // Starts keeping the body texts drawn at `column`.
  void WatchColumn(int column) {
    column_ = column;
    watching_ = true;
  }

  void SetCurrentX(int x) override;
  void PrintText(std::string_view text) override;
  void SetFontBold(bool on) override { bold_ = on; }
  void NewPage() override;

  // The kept texts of page `page` of the document, in drawing order.
  std::vector<std::string> Watched(size_t page) const;

 private:
  int x_ = 0;
  bool bold_ = false;
  bool watching_ = false;
  int column_ = 0;
  size_t page_ = 0;
  std::vector<std::vector<std::string>> watched_;
};

// One book of a run: the undivided roadway or one side of a divided one.
struct SideRun {
  std::string side;  // "LeftSide", "RightSide", or empty for an undivided roadway
  int32_t last_page = 0;
  std::vector<PageStart> counted_starts;
  // Per page drawn, where the drawing found the next page to begin.
  std::vector<std::optional<PageStart>> drawn_next;
  // The station list as the find window shows it.
  std::vector<std::string> station_list;
  // Per page, the region station of every station heading drawn on it.
  std::vector<std::vector<std::string>> drawn_stations;
};

struct BookRun {
  bool counted = false;
  // The road failed with the wrong-side stop.
  bool ended = false;
  bool input_unchanged = false;
  size_t input_lines = 0;
  std::vector<std::string> messages;
  std::vector<SideRun> sides;
  int pages = 0;
  std::string text;  // the whole book, as the command line prints it
  std::optional<Book> book;
};

// A fuzz input: the first byte chooses the page size (bits 0-1) and whether a valid header
// goes in front of the rest (bits 2-3: none, undivided, divided, none); the other bytes follow.
struct FuzzInput {
  std::string file;
  PageSize size;
};
FuzzInput DecodeFuzzInput(std::string_view data);

// Runs the headless road on the file at `path` with a text printer of `size`, the way a Preview
// does with `memory` (what earlier previews left), then prints every page of the book through
// the book printer, left pages before right pages. Messages are recorded and the wrong-side
// stop is noted, never acted on.
BookRun RunBook(RoadMemory& memory, const std::string& path, PageSize size);

// The same road over a file's bytes, as the fuzz target runs it: no file is read, the input
// counts as unchanged, and the book's text is not kept.
BookRun RunBookOnBytes(RoadMemory& memory, std::string_view bytes, PageSize size);

// The invariants every run keeps whatever its file held; one text per broken invariant.
std::vector<std::string> Violations(const BookRun& run);

}  // namespace vantrels::reliability
