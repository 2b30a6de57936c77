#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "model/result.h"

namespace vantrels {

// One object of a PDF as it is stored.
struct PdfObject {
  uint32_t number = 0;
  uint32_t generation = 0;
  // From "N G obj" to the end of "endobj"; a stream's dictionary, data and "endstream" included.
  std::string_view whole;
  // Between "obj" and "endobj" without the blanks around it: the object's value.
  std::string_view value;
  bool stream = false;
};

// A page of a PDF: its object and the top edge of its media box, in points.
struct PdfPage {
  uint32_t object = 0;
  double top = 0;
};

// A whole PDF in memory that has one classic cross-reference table, as Qt's PDF engine writes
// it. Its views point into the bytes it was read from.
struct PdfDocument {
  // Every object in use, by number.
  std::vector<PdfObject> objects;
  // The trailer's /Size, its /Root and its /Info (0 when it has none).
  uint32_t size = 0;
  uint32_t root = 0;
  uint32_t info = 0;
  std::vector<PdfPage> pages;

  const PdfObject* Find(uint32_t number) const;
};

// Reads the structure of the PDF `bytes`, which must outlive the result. Fails with why the
// bytes are not a whole document of that kind: cut short by a full disk or a stopped writer, an
// object not where the table says, no page tree; an encrypted document, one updated
// incrementally or one with a cross-reference stream is not read either.
Result<PdfDocument> ReadPdf(std::string_view bytes);

// The entries of the dictionary `text` ("<< /Type /Catalog /Pages 3 0 R >>") as the texts of
// their keys and values, in order; nullopt when `text` is not a dictionary.
using PdfEntries = std::vector<std::pair<std::string_view, std::string_view>>;
std::optional<PdfEntries> DictionaryEntries(std::string_view text);

}  // namespace vantrels
