#pragma once

#include <string>
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

// Writes a copy of the finished PDF at `source` to `output` (opened; the caller commits) with
// `info`'s outline and title and "vantrels" as the creator. The outline panel opens with the
// document. Fails with the reason: a damaged source, a page index outside the document, a
// failed write.
Status WritePdfWithOutline(const std::string& source, const PdfBookInfo& info,
                           OutputFile& output);

}  // namespace vantrels
