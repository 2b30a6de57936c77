#include "render/pdf_file.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <string_view>

namespace vantrels {

namespace {

// The trailer, "startxref", its offset and "%%EOF" fit in the last kilobyte.
constexpr std::streamoff kTail = 1024;

std::string ReadAt(std::ifstream& in, std::streamoff offset, std::streamoff length) {
  std::string bytes(static_cast<size_t>(length), '\0');
  in.seekg(offset);
  in.read(bytes.data(), length);
  bytes.resize(static_cast<size_t>(in.gcount()));
  in.clear();
  return bytes;
}

bool IsPdfSpace(char c) {
  return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\f' || c == '\0';
}

}  // namespace

std::string IncompletePdf(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::string("the PDF cannot be read back: ") + std::strerror(errno);
  const std::streamoff size = in.tellg();
  if (size <= 0) return "the PDF file is empty";
  if (ReadAt(in, 0, 5) != "%PDF-") return "the file does not start as a PDF";

  const std::streamoff tail_start = size > kTail ? size - kTail : 0;
  std::string tail = ReadAt(in, tail_start, size - tail_start);
  while (!tail.empty() && IsPdfSpace(tail.back())) tail.pop_back();
  const std::string_view end(tail);
  if (!end.ends_with("%%EOF")) return "the PDF ends before its end-of-file mark";
  const size_t keyword = end.rfind("startxref");
  if (keyword == std::string_view::npos) return "the PDF has no cross-reference offset";
  size_t at = keyword + 9;
  while (at < end.size() && IsPdfSpace(end[at])) ++at;
  long long offset = -1;
  const std::from_chars_result parsed =
      std::from_chars(end.data() + at, end.data() + end.size(), offset);
  if (parsed.ec != std::errc() || offset <= 0 ||
      offset >= tail_start + static_cast<long long>(keyword)) {
    return "the PDF's cross-reference offset lies outside the file";
  }
  // A classic table starts with "xref"; a cross-reference stream is an object "N G obj".
  const std::string section = ReadAt(in, offset, 32);
  const bool table = section.starts_with("xref");
  const bool stream = !section.empty() && section[0] >= '1' && section[0] <= '9' &&
                      section.find(" obj") != std::string::npos;
  if (!table && !stream) return "the PDF's cross-reference offset does not lead to its table";
  return {};
}

}  // namespace vantrels
