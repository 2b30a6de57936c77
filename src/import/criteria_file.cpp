#include "import/criteria_file.h"

#include "model/cp1252.h"
#include "model/inherited_messages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <limits>
#include <stdexcept>
#include <string>

namespace vantrels {

namespace {

constexpr std::string_view kHeaderText = "VANTREL REPORT";

std::string DescribeErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return "File not found";
    case EACCES:
    case EPERM:
      return "Permission denied";
    case EISDIR:
      return "Path is a directory";
    default:
      return std::strerror(error);
  }
}

// Closes the descriptor on every path out of ReadFileBytes.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// "256 MB" for whole megabytes (2^20 bytes), else a count of bytes.
std::string DescribeSize(uint64_t bytes) {
  constexpr uint64_t kMegabyte = uint64_t{1} << 20;
  if (bytes >= kMegabyte && bytes % kMegabyte == 0)
    return std::to_string(bytes / kMegabyte) + " MB";
  return std::to_string(bytes) + " bytes";
}

std::string ClassificationError(std::string_view description) {
  return inherited::kClassifyFailure.Around(description);
}

// Checks the header lines: true for a divided roadway, false for an undivided one.
Result<bool> IsDividedFile(std::string_view bytes) {
  LineReader reader(bytes);
  std::string_view lines[3];
  for (std::string_view& line : lines) {
    if (!reader.Next(line)) {
      return Rejected(ClassificationError("the file has fewer than three lines"));
    }
  }
  const std::string_view line1 = lines[0];
  const size_t comma1 = line1.find(',');
  if (comma1 == std::string_view::npos) return Rejected(ClassificationError("No comma in line 1"));
  // The first character (an opening quotation mark in practice) is skipped whatever it is.
  const std::string_view header = comma1 > 1 ? line1.substr(1, comma1 - 1) : std::string_view{};
  if (UpperCase(TrimBlanks(header)) != kHeaderText) {
    return Rejected(inherited::kInvalidFileType);
  }
  const std::string_view line3 = lines[2];
  const size_t comma3 = line3.find(',');
  if (comma3 == std::string_view::npos) return Rejected(ClassificationError("No comma in line 3"));
  return UpperCase(TrimBlanks(line3.substr(0, comma3))) == "DIVIDED";
}

}  // namespace

LineReader::LineReader(std::string_view bytes) : bytes_(bytes) {
  cr_ = Find('\r');
  lf_ = Find('\n');
}

size_t LineReader::Find(char c) const {
  const void* found = std::memchr(bytes_.data() + next_, c, bytes_.size() - next_);
  return found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - bytes_.data())
                          : bytes_.size();
}

bool LineReader::Next(std::string_view& line) {
  if (AtEnd()) return false;
  if (cr_ < next_) cr_ = Find('\r');
  if (lf_ < next_) lf_ = Find('\n');
  const size_t stop = std::min(cr_, lf_);
  line = bytes_.substr(next_, stop - next_);
  if (stop == bytes_.size()) {
    next_ = stop;
  } else {
    const bool crlf = bytes_[stop] == '\r' && stop + 1 < bytes_.size() && bytes_[stop + 1] == '\n';
    next_ = stop + (crlf ? 2 : 1);
  }
  return true;
}

size_t StationsToReserve(std::string_view bytes) {
  // A station's rows take a hundred bytes and more in practice.
  constexpr size_t kBytesPerStation = 100;
  return std::min(static_cast<size_t>(kMaxStations), bytes.size() / kBytesPerStation + 1);
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  LineReader reader(bytes);
  for (std::string_view line; reader.Next(line);) lines.push_back(line);
  return lines;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  return SplitFields(line, std::numeric_limits<size_t>::max());
}

std::vector<std::string_view> SplitFields(std::string_view line, size_t limit) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t comma =
        fields.size() + 1 >= limit ? std::string_view::npos : line.find(',', start);
    if (comma == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
}

size_t SplitFieldsInto(std::string_view line, std::span<std::string_view> fields) {
  if (fields.empty()) return 0;
  // Fields are short: a plain scan beats a library search per field.
  const size_t last = fields.size() - 1;
  size_t count = 0;
  size_t start = 0;
  for (size_t pos = 0; pos < line.size() && count < last; ++pos) {
    if (line[pos] != ',') continue;
    fields[count++] = line.substr(start, pos - start);
    start = pos + 1;
  }
  fields[count++] = line.substr(start);
  return count;
}

bool IsMessageKeyword(std::string_view field) {
  return field == "ERROR" || field == "MESSAGE";
}

bool ContainsCommaRun(std::string_view line, size_t length) {
  // Each window is checked from its end: a run that ends in the window cannot start before the
  // last character that is not a comma, so the next window starts right after that character.
  size_t start = 0;
  while (start + length <= line.size()) {
    size_t k = start + length;
    while (k > start && line[k - 1] == ',') --k;
    if (k == start) return true;
    start = k;
  }
  return false;
}

Result<std::string> ReadFileBytes(const std::string& path, uint64_t max_bytes) {
  // Non-blocking open so that a FIFO cannot hang the read; only regular files are accepted.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return Rejected(DescribeErrno(errno));
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Rejected(DescribeErrno(errno));
  if (S_ISDIR(info.st_mode)) return Rejected(DescribeErrno(EISDIR));
  if (!S_ISREG(info.st_mode)) return Rejected("Not a regular file");
  const uint64_t size = info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
  if (size > max_bytes) {
    return Rejected("File is larger than the " + DescribeSize(max_bytes) + " limit");
  }

  // Only the bytes the file had when it was opened: a file that another program keeps
  // appending to is read up to that size, not chased.
  std::string bytes(static_cast<size_t>(size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Rejected(DescribeErrno(errno));
    }
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

Result<RoadwayStations> ImportCriteriaFile(const std::string& path, ImportMemory& memory,
                                           Messages& messages) {
  const Result<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return Rejected(ClassificationError(bytes.failure().message));
  return ImportCriteriaBytes(*bytes, memory, messages);
}

Result<RoadwayStations> ImportCriteriaBytes(std::string_view bytes, ImportMemory& memory,
                                            Messages& messages) {
  // Spreadsheets save "CSV UTF-8" with a byte-order mark; such a file's text is read as the
  // book's Windows-1252.
  constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    const std::string text = Cp1252FromUtf8(bytes.substr(kUtf8ByteOrderMark.size()));
    return ImportCriteriaText(text, memory, messages);
  }
  return ImportCriteriaText(bytes, memory, messages);
}

Result<RoadwayStations> ImportCriteriaText(std::string_view bytes, ImportMemory& memory,
                                           Messages& messages) {
  Result<bool> divided = false;
  try {
    divided = IsDividedFile(bytes);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    divided = Rejected(ClassificationError(e.what()));
  } catch (...) {
    divided = Rejected(ClassificationError(inherited::kUnknownError));
  }
  if (!divided) return divided.failure();
  return *divided ? ImportDivided(bytes, memory, messages)
                  : ImportUndivided(bytes, memory);
}

}  // namespace vantrels
