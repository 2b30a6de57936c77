// PDFs read back with libqpdf for the tests: the outline, the document information and the page
// count, in plain types, so the tests that check them do not include libqpdf's headers.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantrels {

// An outline entry as a reader finds it: UTF-8 title, zero-based page (-1 when it opens none),
// its /Count and its entries.
struct PdfOutlineEntry {
  std::string title;
  int page = -1;
  int count = 0;
  std::vector<PdfOutlineEntry> children;
};

struct PdfReadBack {
  std::vector<PdfOutlineEntry> outline;
  // The outline dictionary's /Count; 0 without an outline.
  int outline_count = 0;
  // The information dictionary's title in UTF-8, and its bytes as stored.
  std::string title;
  std::string title_bytes;
  std::string creator;
  std::string page_mode;
  size_t pages = 0;
};

// Throws when libqpdf cannot read `path`.
PdfReadBack ReadPdfBack(const std::string& path);

// Writes a PDF of `pages` empty Letter pages to `path`, with a classic cross-reference table or
// with object streams (a cross-reference stream).
void WriteBlankPdf(const std::string& path, int pages, bool object_streams);

}  // namespace vantrels
