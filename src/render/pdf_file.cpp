#include "render/pdf_file.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string>

namespace vantrels {

namespace {

// The tail holds "startxref", its offset and "%%EOF".
constexpr size_t kTail = 1024;
// Deeper nesting than any document has: a guard against a damaged file, not a limit of PDF.
constexpr int kMaxDepth = 64;

bool IsBlank(char c) {
  return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\f' || c == '\0';
}

bool IsDelimiter(char c) {
  return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
         c == '}' || c == '/' || c == '%';
}

enum class Token {
  kEnd,
  kBad,
  kName,
  kNumber,
  kString,
  kDictOpen,
  kDictClose,
  kArrayOpen,
  kArrayClose,
  kKeyword
};

// The tokens of PDF's object syntax, one after the other; comments and blanks are skipped.
class Lexer {
 public:
  Lexer(std::string_view text, size_t at) : text_(text), at_(at) {}

  Token Next() {
    SkipBlanks();
    start_ = at_;
    if (at_ >= text_.size()) return Token::kEnd;
    const char c = text_[at_++];
    switch (c) {
      case '(':
        return LiteralString();
      case '<':
        if (Take('<')) return Token::kDictOpen;
        while (at_ < text_.size() && text_[at_] != '>') ++at_;
        return Take('>') ? Token::kString : Token::kBad;
      case '>':
        return Take('>') ? Token::kDictClose : Token::kBad;
      case '[':
        return Token::kArrayOpen;
      case ']':
        return Token::kArrayClose;
      case ')':
      case '{':
      case '}':
        return Token::kBad;
      default:
        break;
    }
    const bool name = c == '/';
    const bool number = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    while (at_ < text_.size() && !IsBlank(text_[at_]) && !IsDelimiter(text_[at_])) ++at_;
    if (name) return Token::kName;
    return number ? Token::kNumber : Token::kKeyword;
  }

  std::string_view text() const { return text_.substr(start_, at_ - start_); }
  size_t start() const { return start_; }
  size_t at() const { return at_; }

 private:
  bool Take(char c) {
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

  void SkipBlanks() {
    while (at_ < text_.size()) {
      if (IsBlank(text_[at_])) {
        ++at_;
      } else if (text_[at_] == '%') {
        while (at_ < text_.size() && text_[at_] != '\n' && text_[at_] != '\r') ++at_;
      } else {
        return;
      }
    }
  }

  Token LiteralString() {
    int depth = 1;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '\\') {
        ++at_;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')' && --depth == 0) {
        return Token::kString;
      }
    }
    return Token::kBad;
  }

  std::string_view text_;
  size_t at_;
  size_t start_ = 0;
};

// Reads one value (a reference "N G R" is one) and sets `value` to its text; false when the
// text there is not a value.
bool ReadValue(Lexer& lexer, std::string_view text, std::string_view& value, int depth = 0) {
  if (depth > kMaxDepth) return false;
  const Token token = lexer.Next();
  const size_t start = lexer.start();
  if (token == Token::kDictOpen || token == Token::kArrayOpen) {
    const Token close = token == Token::kDictOpen ? Token::kDictClose : Token::kArrayClose;
    while (true) {
      Lexer ahead = lexer;
      const Token next = ahead.Next();
      if (next == close) {
        lexer = ahead;
        break;
      }
      if (token == Token::kDictOpen) {
        if (next != Token::kName) return false;
        lexer = ahead;
      }
      std::string_view item;
      if (!ReadValue(lexer, text, item, depth + 1)) return false;
    }
  } else if (token == Token::kNumber) {
    Lexer ahead = lexer;
    if (ahead.Next() == Token::kNumber && ahead.Next() == Token::kKeyword && ahead.text() == "R") {
      lexer = ahead;
    }
  } else if (token != Token::kName && token != Token::kString && token != Token::kKeyword) {
    return false;
  }
  value = text.substr(start, lexer.at() - start);
  return true;
}

template <typename Number>
std::optional<Number> ReadNumber(std::string_view text) {
  Number number{};
  const std::from_chars_result read =
      std::from_chars(text.data(), text.data() + text.size(), number);
  if (read.ec != std::errc() || read.ptr != text.data() + text.size()) return std::nullopt;
  return number;
}

// The object number of the reference "N G R"; nullopt for any other value.
std::optional<uint32_t> ReadReference(std::string_view value) {
  Lexer lexer(value, 0);
  if (lexer.Next() != Token::kNumber) return std::nullopt;
  const std::optional<uint32_t> number = ReadNumber<uint32_t>(lexer.text());
  if (lexer.Next() != Token::kNumber || lexer.Next() != Token::kKeyword || lexer.text() != "R") {
    return std::nullopt;
  }
  return number;
}

std::string_view Lookup(const PdfEntries& entries, std::string_view key) {
  for (const auto& [name, value] : entries) {
    if (name == key) return value;
  }
  return {};
}

// The tokens of an array value, each a whole value; nullopt when `value` is not an array.
std::optional<std::vector<std::string_view>> ArrayItems(std::string_view value) {
  Lexer lexer(value, 0);
  if (lexer.Next() != Token::kArrayOpen) return std::nullopt;
  std::vector<std::string_view> items;
  while (true) {
    Lexer ahead = lexer;
    if (ahead.Next() == Token::kArrayClose) return items;
    std::string_view item;
    if (!ReadValue(lexer, value, item)) return std::nullopt;
    items.push_back(item);
  }
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  Status Read(PdfDocument& document) {
    size_t table = 0;
    if (Status found = FindTable(table); !found) return found;
    std::vector<std::pair<uint32_t, size_t>> offsets;
    Lexer lexer(bytes_, table + 4);
    if (Status read = ReadTable(lexer, offsets); !read) return read;
    if (Status read = ReadTrailer(lexer, document); !read) return read;
    if (Status read = ReadObjects(offsets, table, document); !read) return read;
    return ReadPages(document);
  }

 private:
  Status Damaged(const std::string& what) const { return Rejected("the PDF " + what); }

  Status FindTable(size_t& table) const {
    if (bytes_.empty()) return Rejected("the PDF file is empty");
    if (!bytes_.starts_with("%PDF-")) return Rejected("the file does not start as a PDF");
    size_t end = bytes_.size();
    while (end > 0 && IsBlank(bytes_[end - 1])) --end;
    if (!bytes_.substr(0, end).ends_with("%%EOF")) {
      return Damaged("ends before its end-of-file mark");
    }
    const size_t keyword = bytes_.rfind("startxref", end);
    if (keyword == std::string_view::npos || end - keyword > kTail) {
      return Damaged("has no cross-reference offset");
    }
    Lexer lexer(bytes_, keyword + 9);
    const size_t offset =
        lexer.Next() == Token::kNumber ? ReadNumber<size_t>(lexer.text()).value_or(0) : 0;
    if (offset == 0 || offset >= keyword) {
      return Damaged("has its cross-reference offset outside the file");
    }
    Lexer at(bytes_, offset);
    if (at.Next() == Token::kKeyword && at.text() == "xref") {
      table = offset;
      return {};
    }
    Lexer object(bytes_, offset);
    if (object.Next() == Token::kNumber && object.Next() == Token::kNumber &&
        object.Next() == Token::kKeyword && object.text() == "obj") {
      return Damaged("has a cross-reference stream, which is not read here");
    }
    return Damaged("has a cross-reference offset that does not lead to its table");
  }

  Status ReadTable(Lexer& lexer, std::vector<std::pair<uint32_t, size_t>>& offsets) const {
    while (true) {
      Token token = lexer.Next();
      if (token == Token::kKeyword && lexer.text() == "trailer") return {};
      const std::optional<uint32_t> first =
          token == Token::kNumber ? ReadNumber<uint32_t>(lexer.text()) : std::nullopt;
      const std::optional<uint32_t> count =
          lexer.Next() == Token::kNumber ? ReadNumber<uint32_t>(lexer.text()) : std::nullopt;
      if (!first || !count || *count > bytes_.size() / 20) {
        return Damaged("has a damaged cross-reference table");
      }
      for (uint32_t n = 0; n < *count; ++n) {
        const bool number = lexer.Next() == Token::kNumber;
        const size_t offset = number ? ReadNumber<size_t>(lexer.text()).value_or(0) : 0;
        const bool generation = lexer.Next() == Token::kNumber;
        token = lexer.Next();
        if (!number || !generation || token != Token::kKeyword ||
            (lexer.text() != "n" && lexer.text() != "f")) {
          return Damaged("has a damaged cross-reference table");
        }
        // An offset that is no number is 0, where no object can be: ReadObjects refuses it.
        if (lexer.text() == "n") offsets.emplace_back(*first + n, offset);
      }
    }
  }

  Status ReadTrailer(Lexer& lexer, PdfDocument& document) const {
    std::string_view trailer;
    std::optional<PdfEntries> entries;
    if (ReadValue(lexer, bytes_, trailer)) entries = DictionaryEntries(trailer);
    if (!entries) return Damaged("has a damaged trailer");
    if (!Lookup(*entries, "/Encrypt").empty()) return Damaged("is encrypted");
    if (!Lookup(*entries, "/Prev").empty()) return Damaged("has been updated incrementally");
    const std::optional<uint32_t> size = ReadNumber<uint32_t>(Lookup(*entries, "/Size"));
    const std::optional<uint32_t> root = ReadReference(Lookup(*entries, "/Root"));
    if (!size || !root) return Damaged("has no /Size or /Root in its trailer");
    document.size = *size;
    document.root = *root;
    document.info = ReadReference(Lookup(*entries, "/Info")).value_or(0);
    return {};
  }

  Status ReadObjects(std::vector<std::pair<uint32_t, size_t>>& offsets, size_t table,
                     PdfDocument& document) const {
    std::vector<size_t> starts;
    for (const auto& entry : offsets) starts.push_back(entry.second);
    starts.push_back(table);
    std::sort(starts.begin(), starts.end());
    std::sort(offsets.begin(), offsets.end());
    for (const auto& [number, offset] : offsets) {
      const bool repeated = !document.objects.empty() && document.objects.back().number == number;
      if (number >= document.size || offset >= table || repeated) return Misplaced(number);
      const size_t end = *std::upper_bound(starts.begin(), starts.end(), offset);
      PdfObject object;
      object.number = number;
      if (!ReadObject(bytes_.substr(offset, end - offset), object)) return Misplaced(number);
      document.objects.push_back(object);
    }
    return {};
  }

  Status Misplaced(uint32_t number) const {
    return Damaged("has no object " + std::to_string(number) + " where its table says");
  }

  // Reads the object that begins `span` ("N G obj ... endobj").
  static bool ReadObject(std::string_view span, PdfObject& object) {
    Lexer lexer(span, 0);
    if (lexer.Next() != Token::kNumber || ReadNumber<uint32_t>(lexer.text()) != object.number) {
      return false;
    }
    const std::optional<uint32_t> generation =
        lexer.Next() == Token::kNumber ? ReadNumber<uint32_t>(lexer.text()) : std::nullopt;
    if (!generation || lexer.Next() != Token::kKeyword || lexer.text() != "obj" ||
        !ReadValue(lexer, span, object.value)) {
      return false;
    }
    object.generation = *generation;
    size_t end = std::string_view::npos;
    if (lexer.Next() == Token::kKeyword && lexer.text() == "stream") {
      // The data is not read: it ends where the next object begins.
      object.stream = true;
      end = span.rfind("endobj");
      const size_t data_end = span.rfind("endstream", end);
      if (end == std::string_view::npos || data_end == std::string_view::npos ||
          data_end < lexer.at()) {
        return false;
      }
    } else if (lexer.text() == "endobj") {
      end = lexer.start();
    } else {
      return false;
    }
    object.whole = span.substr(0, end + 6);
    return true;
  }

  Status ReadPages(PdfDocument& document) const {
    const PdfObject* root = document.Find(document.root);
    const std::optional<PdfEntries> catalog = root ? DictionaryEntries(root->value) : std::nullopt;
    const std::optional<uint32_t> tree =
        catalog ? ReadReference(Lookup(*catalog, "/Pages")) : std::nullopt;
    std::set<uint32_t> visited;
    if (!tree || !AddPages(document, *tree, 0, 0, visited) || document.pages.empty()) {
      return Damaged("has no pages");
    }
    return {};
  }

  // Adds the pages below the page tree node `number` in order; `top` is the media box's top
  // edge that the node inherits.
  bool AddPages(PdfDocument& document, uint32_t number, double top, int depth,
                std::set<uint32_t>& visited) const {
    const PdfObject* node = document.Find(number);
    if (!node || depth > kMaxDepth || !visited.insert(number).second) return false;
    const std::optional<PdfEntries> entries = DictionaryEntries(node->value);
    if (!entries) return false;
    top = MediaBoxTop(document, Lookup(*entries, "/MediaBox")).value_or(top);
    const std::string_view type = Lookup(*entries, "/Type");
    if (type == "/Page") {
      document.pages.push_back({number, top});
      return true;
    }
    const std::optional<std::vector<std::string_view>> kids = ArrayItems(Lookup(*entries, "/Kids"));
    if (type != "/Pages" || !kids) return false;
    for (const std::string_view kid : *kids) {
      const std::optional<uint32_t> child = ReadReference(kid);
      if (!child || !AddPages(document, *child, top, depth + 1, visited)) return false;
    }
    return true;
  }

  static std::optional<double> MediaBoxTop(const PdfDocument& document, std::string_view value) {
    if (const std::optional<uint32_t> number = ReadReference(value)) {
      const PdfObject* box = document.Find(*number);
      value = box ? box->value : std::string_view();
    }
    const std::optional<std::vector<std::string_view>> corners = ArrayItems(value);
    if (!corners || corners->size() != 4) return std::nullopt;
    return ReadNumber<double>((*corners)[3]);
  }

  std::string_view bytes_;
};

}  // namespace

const PdfObject* PdfDocument::Find(uint32_t number) const {
  const auto found =
      std::lower_bound(objects.begin(), objects.end(), number,
                       [](const PdfObject& object, uint32_t n) { return object.number < n; });
  return found != objects.end() && found->number == number ? &*found : nullptr;
}

Result<PdfDocument> ReadPdf(std::string_view bytes) {
  PdfDocument document;
  if (Status read = Reader(bytes).Read(document); !read) return read.failure();
  return document;
}

std::optional<PdfEntries> DictionaryEntries(std::string_view text) {
  Lexer lexer(text, 0);
  if (lexer.Next() != Token::kDictOpen) return std::nullopt;
  PdfEntries entries;
  while (true) {
    const Token token = lexer.Next();
    if (token == Token::kDictClose) return entries;
    if (token != Token::kName) return std::nullopt;
    const std::string_view key = lexer.text();
    std::string_view value;
    if (!ReadValue(lexer, text, value)) return std::nullopt;
    entries.emplace_back(key, value);
  }
}

}  // namespace vantrels
