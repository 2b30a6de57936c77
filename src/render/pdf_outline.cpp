#include "render/pdf_outline.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <deque>
#include <new>
#include <stdexcept>

#include "model/cp1252.h"
#include "model/user_text.h"
#include "model/side.h"
#include "render/pdf_file.h"

namespace vantrels {

namespace {

constexpr char kCreator[] = "vantrels";
// Objects in one compressed object stream: a reader inflates the whole stream to reach one.
constexpr size_t kObjectsPerStream = 100;
// Cross-reference stream entries: type, offset or object stream, generation or index.
constexpr int kOffsetBytes = 4;
constexpr int kEntryBytes = 1 + kOffsetBytes + 2;

std::string Reference(uint32_t number, uint32_t generation = 0) {
  return std::to_string(number) + " " + std::to_string(generation) + " R";
}

// `utf8` as a PDF text string: UTF-16BE after its byte-order mark, in hex, so that every
// character reaches the reader as itself (bytes that are not UTF-8 as U+FFFD).
std::string TextString(std::string_view utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string hex = "<FEFF";
  const auto unit = [&](unsigned value) {
    for (int shift = 12; shift >= 0; shift -= 4) hex += kHex[(value >> shift) & 0xF];
  };
  for (size_t at = 0; at < utf8.size();) {
    const Utf8Char c = DecodeUtf8At(utf8, at);
    const char32_t code = c.length == 0 ? U'\uFFFD' : c.code_point;
    at += c.length == 0 ? 1 : c.length;
    if (code < 0x10000) {
      unit(code);
    } else {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return hex + ">";
}

// Two decimals, whatever the locale.
std::string Decimal(double value) {
  char text[32];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
  return std::string(text, written.ptr);
}

std::string Deflate(std::string_view bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string packed(size, '\0');
  const int result = compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                               reinterpret_cast<const Bytef*>(bytes.data()),
                               static_cast<uLong>(bytes.size()), Z_DEFAULT_COMPRESSION);
  if (result == Z_MEM_ERROR) throw std::bad_alloc();
  if (result != Z_OK) throw std::runtime_error("zlib cannot compress the PDF's objects");
  packed.resize(size);
  return packed;
}

// A dictionary's entries without `dropped` keys, followed by `added` (" /Key value" pairs).
std::string EditedDictionary(std::string_view dictionary,
                             std::initializer_list<std::string_view> dropped,
                             const std::string& added) {
  std::string edited = "<<";
  for (const auto& [key, value] : DictionaryEntries(dictionary).value_or(PdfEntries{})) {
    if (std::find(dropped.begin(), dropped.end(), key) != dropped.end()) continue;
    edited.append(" ").append(key).append(" ").append(value);
  }
  return edited + added + " >>";
}

// One entry of the cross-reference stream.
struct CrossReference {
  uint8_t type = 0;
  uint64_t field = 0;
  uint32_t index = 0;
};

// Writes a document of Qt's that has one cross-reference table as the same document with its
// objects outside streams packed into object streams, a new catalog and information
// dictionary, the outline, and a cross-reference stream. Object numbers stay as they were.
class Repacker {
 public:
  explicit Repacker(const PdfDocument& source) : source_(source), next_(source.size) {}

  Status AddOutline(const PdfBookInfo& info) {
    const uint32_t outlines = next_++;
    uint32_t first = 0;
    uint32_t last = 0;
    const Result<int> shown = AddItems(info.outline, outlines, first, last);
    if (!shown) return shown.failure();
    std::string value = "<< /Type /Outlines /Count " + std::to_string(*shown);
    if (*shown > 0) value += " /First " + Reference(first) + " /Last " + Reference(last);
    Add(outlines, value + " >>");

    root_ = next_++;
    std::string added = " /Outlines " + Reference(outlines) +
                        // Readers show the title, not the file name, in their title bar.
                        " /ViewerPreferences << /DisplayDocTitle true >>";
    if (*shown > 0) added += " /PageMode /UseOutlines";
    Add(root_, EditedDictionary(source_.Find(source_.root)->value,
                                {"/Outlines", "/ViewerPreferences", "/PageMode"}, added));
    info_ = next_++;
    const PdfObject* old_info = source_.info ? source_.Find(source_.info) : nullptr;
    Add(info_,
        EditedDictionary(old_info ? old_info->value : "<< >>", {"/Title", "/Creator"},
                         " /Title " + TextString(info.title) + " /Creator (" + kCreator + ")"));
    return {};
  }

  std::string Write() {
    std::string pdf = "%PDF-1.5\n%\xbf\xf7\xa2\xfe\n";
    for (const PdfObject& object : source_.objects) {
      if (object.number == source_.root || object.number == source_.info) continue;
      if (object.stream || object.generation != 0) {
        // Streams (the pages, the fonts) and the rare older objects stay as they are.
        Mark(object.number, {1, pdf.size(), object.generation});
        pdf.append(object.whole).append("\n");
      } else {
        packed_.push_back({object.number, object.value});
      }
    }
    for (size_t first = 0; first < packed_.size(); first += kObjectsPerStream) {
      WriteObjectStream(pdf, first, std::min(packed_.size(), first + kObjectsPerStream));
    }
    WriteCrossReferences(pdf);
    return pdf;
  }

 private:
  struct Packed {
    uint32_t number;
    std::string_view value;
  };

  void Add(uint32_t number, std::string value) {
    made_.push_back(std::move(value));
    packed_.push_back({number, made_.back()});
  }

  void Mark(uint32_t number, CrossReference entry) {
    if (entries_.size() <= number) entries_.resize(number + 1);
    entries_[number] = entry;
  }

  // Adds `entries` as the children of `parent`; how many items they show when opened: every
  // entry, not its closed children.
  Result<int> AddItems(const std::vector<OutlineEntry>& entries, uint32_t parent, uint32_t& first,
                       uint32_t& last) {
    if (entries.empty()) return 0;
    first = next_;
    next_ += static_cast<uint32_t>(entries.size());
    last = next_ - 1;
    for (size_t n = 0; n < entries.size(); ++n) {
      const OutlineEntry& entry = entries[n];
      const uint32_t number = first + static_cast<uint32_t>(n);
      if (entry.page < 0 || static_cast<size_t>(entry.page) >= source_.pages.size()) {
        return Rejected("the bookmark \"" + Cp1252ToUtf8(entry.title) + "\" opens page " +
                        std::to_string(entry.page + 1) + " of a document of " +
                        std::to_string(source_.pages.size()) + " pages");
      }
      const PdfPage& page = source_.pages[static_cast<size_t>(entry.page)];
      // The top of the entry's page, at the reader's zoom.
      std::string value = "<< /Title " + TextString(Cp1252ToUtf8(entry.title)) + " /Parent " +
                          Reference(parent) + " /Dest [" +
                          Reference(page.object, source_.Find(page.object)->generation) +
                          " /XYZ null " + Decimal(page.top) + " null]";
      if (n > 0) value += " /Prev " + Reference(number - 1);
      if (n + 1 < entries.size()) value += " /Next " + Reference(number + 1);
      if (!entry.children.empty()) {
        uint32_t child_first = 0;
        uint32_t child_last = 0;
        const Result<int> shown = AddItems(entry.children, number, child_first, child_last);
        if (!shown) return shown;
        // Closed: a divided book's two sides show first, each with its stations inside.
        value += " /First " + Reference(child_first) + " /Last " + Reference(child_last) +
                 " /Count " + std::to_string(-*shown);
      }
      Add(number, value + " >>");
    }
    return static_cast<int>(entries.size());
  }

  void WriteObjectStream(std::string& pdf, size_t first, size_t end) {
    const uint32_t number = next_++;
    std::string offsets;
    std::string values;
    for (size_t n = first; n < end; ++n) {
      offsets += std::to_string(packed_[n].number) + " " + std::to_string(values.size()) + " ";
      values.append(packed_[n].value).append("\n");
      Mark(packed_[n].number, {2, number, static_cast<uint32_t>(n - first)});
    }
    const std::string data = Deflate(offsets + values);
    Mark(number, {1, pdf.size(), 0});
    pdf += std::to_string(number) + " 0 obj\n<< /Type /ObjStm /N " + std::to_string(end - first) +
           " /First " + std::to_string(offsets.size()) + " /Filter /FlateDecode /Length " +
           std::to_string(data.size()) + " >>\nstream\n";
    pdf.append(data).append("\nendstream\nendobj\n");
  }

  void WriteCrossReferences(std::string& pdf) {
    const uint32_t number = next_++;
    const size_t offset = pdf.size();
    if (offset >> (8 * kOffsetBytes) != 0) throw std::runtime_error("the PDF is too large");
    Mark(number, {1, offset, 0});
    entries_.resize(next_);
    entries_[0] = {0, 0, 0xFFFF};
    std::string table;
    table.reserve(entries_.size() * kEntryBytes);
    for (const CrossReference& entry : entries_) {
      table += static_cast<char>(entry.type);
      for (int shift = 8 * (kOffsetBytes - 1); shift >= 0; shift -= 8) {
        table += static_cast<char>((entry.field >> shift) & 0xFF);
      }
      table += static_cast<char>((entry.index >> 8) & 0xFF);
      table += static_cast<char>(entry.index & 0xFF);
    }
    const std::string data = Deflate(table);
    pdf += std::to_string(number) + " 0 obj\n<< /Type /XRef /Size " + std::to_string(next_) +
           " /W [1 " + std::to_string(kOffsetBytes) + " 2] /Root " + Reference(root_) + " /Info " +
           Reference(info_) + " /Filter /FlateDecode /Length " + std::to_string(data.size()) +
           " >>\nstream\n";
    pdf.append(data).append("\nendstream\nendobj\nstartxref\n");
    pdf += std::to_string(offset) + "\n%%EOF\n";
  }

  const PdfDocument& source_;
  uint32_t next_;
  uint32_t root_ = 0;
  uint32_t info_ = 0;
  std::deque<std::string> made_;
  std::vector<Packed> packed_;
  std::vector<CrossReference> entries_;
};

}  // namespace

std::vector<OutlineEntry> SideOutline(std::vector<OutlineEntry> left,
                                      std::vector<OutlineEntry> right) {
  std::vector<OutlineEntry> sides;
  if (!left.empty()) sides.push_back({NamesOf(Side::Left).outline, left.front().page, std::move(left)});
  if (!right.empty()) sides.push_back({NamesOf(Side::Right).outline, right.front().page, std::move(right)});
  return sides;
}

Status WritePdfWithOutline(std::string_view source, const PdfBookInfo& info, OutputFile& output) {
  const Result<PdfDocument> document = ReadPdf(source);
  if (!document) return document.failure();
  Repacker repacker(*document);
  if (Status added = repacker.AddOutline(info); !added) return added;
  std::string pdf;
  try {
    pdf = repacker.Write();
  } catch (const std::runtime_error& e) {
    return Rejected(e.what());
  }
  return output.Write(pdf);
}

}  // namespace vantrels
