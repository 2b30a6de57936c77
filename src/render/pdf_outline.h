#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/output_file.h"
#include "model/result.h"

namespace vantrels {

// One bookmark: the text shown and the page it opens, with nested bookmarks below it.
struct OutlineEntry {
  // Windows-1252 bytes, as the book shows them (a region station, "Left side").
  std::string title;
  // Zero-based index of the page in the PDF.
  int page = 0;
  std::vector<OutlineEntry> children;
};

struct PdfBookInfo {
  // The document's title, UTF-8 (a file name and a project number).
  std::string title;
  std::vector<OutlineEntry> outline;
};

// The bookmarks of a divided roadway: "Left side" and "Right side", each opening the first page
// of its stations and holding them; a side without stations (not chosen) has no entry. An
// undivided roadway's bookmarks are its stations alone.
std::vector<OutlineEntry> SideOutline(std::vector<OutlineEntry> left,
                                      std::vector<OutlineEntry> right);

// Writes the finished PDF `source` (as Qt's PDF engine writes it: one classic cross-reference
// table) to `output` (opened; the caller commits) with `info`'s outline and title and
// "vantrels" as the creator; the outline panel opens with the document. The source's streams
// are copied as they are and its other objects, with the outline, packed into compressed object
// streams, so the file is written in one pass without taking the document apart. Fails with the
// reason: a damaged source, a page index outside the document, a failed write.
Status WritePdfWithOutline(std::string_view source, const PdfBookInfo& info, OutputFile& output);

}  // namespace vantrels
