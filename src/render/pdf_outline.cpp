#include "render/pdf_outline.h"

#include "model/side.h"

#include <exception>
#include <fstream>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "model/cp1252.h"

namespace vantrels {

namespace {

constexpr char kCreator[] = "vantrels";

// Hands qpdf's output to the output file, whose every write is checked.
class OutputPipeline : public Pipeline {
 public:
  explicit OutputPipeline(OutputFile& file) : Pipeline("vantrels output", nullptr), file_(file) {}
  void write(unsigned char const* data, size_t length) override {
    if (!file_.Write(std::string_view(reinterpret_cast<const char*>(data), length))) {
      throw std::runtime_error(file_.reason());
    }
  }
  void finish() override {}

 private:
  OutputFile& file_;
};

class OutlineBuilder {
 public:
  explicit OutlineBuilder(QPDF& pdf)
      : pdf_(pdf), pages_(QPDFPageDocumentHelper(pdf).getAllPages()) {}

  // Links `entries` as the children of `parent` and returns how many items they show when
  // opened: every entry, not its closed children.
  int AddChildren(QPDFObjectHandle parent, const std::vector<OutlineEntry>& entries) {
    QPDFObjectHandle previous;
    for (const OutlineEntry& entry : entries) {
      QPDFObjectHandle item = pdf_.makeIndirectObject(QPDFObjectHandle::newDictionary());
      item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(Cp1252ToUtf8(entry.title)));
      item.replaceKey("/Parent", parent);
      item.replaceKey("/Dest", Destination(entry));
      if (!entry.children.empty()) {
        // Closed: a divided book's two sides show first, each with its stations inside.
        const int shown = AddChildren(item, entry.children);
        item.replaceKey("/Count", QPDFObjectHandle::newInteger(-shown));
      }
      if (previous.isInitialized()) {
        previous.replaceKey("/Next", item);
        item.replaceKey("/Prev", previous);
      } else {
        parent.replaceKey("/First", item);
      }
      parent.replaceKey("/Last", item);
      previous = item;
    }
    return static_cast<int>(entries.size());
  }

 private:
  // The top of the entry's page, at the reader's zoom.
  QPDFObjectHandle Destination(const OutlineEntry& entry) {
    if (entry.page < 0 || static_cast<size_t>(entry.page) >= pages_.size()) {
      throw std::runtime_error("the bookmark \"" + Cp1252ToUtf8(entry.title) + "\" opens page " +
                               std::to_string(entry.page + 1) + " of a document of " +
                               std::to_string(pages_.size()) + " pages");
    }
    QPDFPageObjectHelper& page = pages_[static_cast<size_t>(entry.page)];
    const QPDFObjectHandle::Rectangle box = page.getMediaBox().getArrayAsRectangle();
    return QPDFObjectHandle::newArray(
        {page.getObjectHandle(), QPDFObjectHandle::newName("/XYZ"), QPDFObjectHandle::newNull(),
         QPDFObjectHandle::newReal(box.ury, 2), QPDFObjectHandle::newNull()});
  }

  QPDF& pdf_;
  std::vector<QPDFPageObjectHelper> pages_;
};

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read the PDF " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) throw std::runtime_error("cannot read the PDF " + path);
  return std::move(bytes).str();
}

}  // namespace

std::vector<OutlineEntry> SideOutline(std::vector<OutlineEntry> left,
                                      std::vector<OutlineEntry> right) {
  std::vector<OutlineEntry> sides;
  if (!left.empty()) sides.push_back({NamesOf(Side::Left).outline, left.front().page, std::move(left)});
  if (!right.empty()) sides.push_back({NamesOf(Side::Right).outline, right.front().page, std::move(right)});
  return sides;
}

std::string WritePdfWithOutline(const std::string& source, const PdfBookInfo& info,
                                OutputFile& output) {
  try {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    // The whole source in memory: libqpdf reads it with many small seeks, slow through stdio.
    const std::string bytes = ReadWholeFile(source);
    pdf.processMemoryFile(source.c_str(), bytes.data(), bytes.size());
    QPDFObjectHandle root = pdf.getRoot();

    QPDFObjectHandle outlines = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
    const int shown = OutlineBuilder(pdf).AddChildren(outlines, info.outline);
    outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(shown));
    root.replaceKey("/Outlines", outlines);
    if (shown > 0) root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));

    QPDFObjectHandle trailer = pdf.getTrailer();
    QPDFObjectHandle document = trailer.getKey("/Info");
    if (!document.isDictionary()) {
      document = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
      trailer.replaceKey("/Info", document);
    }
    document.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(info.title));
    document.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(kCreator));
    QPDFObjectHandle preferences = root.getKey("/ViewerPreferences");
    if (!preferences.isDictionary()) {
      preferences = QPDFObjectHandle::newDictionary();
      root.replaceKey("/ViewerPreferences", preferences);
    }
    // Readers show the title, not the file name, in their title bar.
    preferences.replaceKey("/DisplayDocTitle", QPDFObjectHandle::newBool(true));

    OutputPipeline pipeline(output);
    QPDFWriter writer(pdf);
    writer.setOutputPipeline(&pipeline);
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    // A source that had to be repaired (cut short, damaged) must not pass for the book.
    if (pdf.anyWarnings()) return "the PDF " + source + " is damaged";
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

}  // namespace vantrels
