#pragma once

// Kept to C++17, as the one file that includes libqpdf is built as C++17 under clang.
#include <optional>

namespace vantrels {

// A side of a divided roadway. Where a book or a choice may also be the undivided roadway's one
// book, or both sides, it is a std::optional<Side> (nullopt: undivided, or both).
enum class Side { Left, Right };

// How each use names the book of a side (nullopt: the undivided roadway's one book).
struct SideNames {
  // Before the page label: "(Left)Page No.:1 of 7".
  const char* page_tag;
  // Before the viewer caption's page: "(Left) Page 1 of 7".
  const char* caption_tag;
  // In messages: "The left side".
  const char* message;
  // The spreadsheet's Side column: "Undivided", "Left", "Right".
  const char* csv;
  // The PDF bookmark above the side's stations: "Left side".
  const char* outline;
  // The print range window's side list: "LeftSide".
  const char* list_item;
};
const SideNames& NamesOf(std::optional<Side> side);

}  // namespace vantrels
