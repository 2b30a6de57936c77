// PDFs read back with libqpdf for the tests: the outline, the document information and the page
// count, in plain types, so the tests that check them do not include libqpdf's headers.
#pragma once

#include <cstddef>
#include <ostream>
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

// A bookmark as the tests compare it with the book: title, zero-based page and entries.
struct PdfBookmark {
  std::string title;
  int page = -1;
  std::vector<PdfBookmark> children;
};

inline bool operator==(const PdfBookmark& a, const PdfBookmark& b) {
  return a.title == b.title && a.page == b.page && a.children == b.children;
}

inline void PrintTo(const PdfBookmark& m, std::ostream* out) {
  *out << "\"" << m.title << "\" page " << m.page;
  if (!m.children.empty()) *out << " with " << m.children.size() << " entries";
}

inline std::vector<PdfBookmark> Bookmarks(const std::vector<PdfOutlineEntry>& entries) {
  std::vector<PdfBookmark> marks;
  for (const PdfOutlineEntry& e : entries)
    marks.push_back({e.title, e.page, Bookmarks(e.children)});
  return marks;
}

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
  // libqpdf had to repair something to read it.
  bool damaged = false;
};

// Throws when libqpdf cannot read `path`.
PdfReadBack ReadPdfBack(const std::string& path);

// What the book tests compare of a PDF: its bookmarks, page count, title and creator.
struct PdfBook {
  std::vector<PdfBookmark> outline;
  size_t pages = 0;
  std::string title;
  std::string creator;
};

inline PdfBook ReadPdfBook(const std::string& path) {
  const PdfReadBack pdf = ReadPdfBack(path);
  return {Bookmarks(pdf.outline), pdf.pages, pdf.title, pdf.creator};
}

// Writes a PDF of `pages` empty Letter pages to `path`, with a classic cross-reference table or
// with object streams (a cross-reference stream).
void WriteBlankPdf(const std::string& path, int pages, bool object_streams);

}  // namespace vantrels
