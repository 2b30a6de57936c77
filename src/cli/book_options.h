#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrels {

enum class BookOutput { kNone, kText, kStations };
enum class BookSide { kBoth, kLeft, kRight };

// 1-based pages, both included.
struct PageRange {
  int from = 0;
  int to = 0;
};

struct BookOptions {
  std::string project;
  // "mm dd yyyy"; empty means today.
  std::string heading_date;
  double columns = 96;
  double lines = 63;
  BookSide side = BookSide::kBoth;
  std::optional<PageRange> pages;
  BookOutput output = BookOutput::kNone;
  std::string file;
};

struct ParsedOptions {
  BookOptions options;
  bool help = false;
  // Empty when the command line is valid.
  std::string error;
};

ParsedOptions ParseBookOptions(const std::vector<std::string>& args);

std::string BookUsage();

}  // namespace vantrels
