#include "render/book_pdf.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <cerrno>
#include <cstring>

#include "book/station_range.h"
#include "model/cp1252.h"
#include "render/pdf_file.h"
#include "render/print_service.h"
#include "render/printer_surface.h"

namespace vantrels {

namespace {

// A file that exists only in memory and vanishes with its last descriptor, even when the
// process is killed. Qt opens it through its /proc name, which is plain ASCII.
class MemoryFile {
 public:
  MemoryFile() : fd_(::memfd_create("vantrels-book-pdf", MFD_CLOEXEC)), error_(errno) {}
  ~MemoryFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  Status Opened() const {
    if (fd_ >= 0) return {};
    return Rejected(std::string("no memory for the PDF: ") + std::strerror(error_));
  }
  std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

  // What the writer left in the file.
  Result<std::string> Bytes() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return Rejected(std::strerror(errno));
    std::string bytes(static_cast<size_t>(info.st_size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n =
          ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Rejected(std::string("cannot read the PDF back: ") + std::strerror(errno));
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return bytes;
  }

 private:
  int fd_;
  int error_;
};

std::vector<OutlineEntry> StationEntries(const Book& book, const PageSelection& selection,
                                         Side side) {
  std::vector<OutlineEntry> entries;
  for (const StationEntry& mark : BookmarkEntries(book, selection, side)) {
    entries.push_back(OutlineEntry{mark.station, mark.page, {}});
  }
  return entries;
}

// Prints the pages into the file at `path`. The surface is gone when this returns, so its file
// is closed.
Status PrintPages(const BookRenderer& book_renderer, const PageSelection& selection, Paper paper,
                  const std::string& path, const PdfSurfaceMaker& make_surface) {
  const QString name = QString::fromLatin1(path.data(), static_cast<qsizetype>(path.size()));
  std::unique_ptr<Surface> surface;
  if (make_surface) {
    surface = make_surface(name, paper);
  } else {
    surface = std::make_unique<PrinterSurface>(MakePdfPrinter(name, paper));
  }
  const auto printed = book_renderer.Print(*surface, selection);
  if (!printed) return printed.failure();
  return {};
}

// Draws the pages into memory and writes them with their bookmarks and title to `output`.
Status DrawPdf(const BookRenderer& book_renderer, const PageSelection& selection, Paper paper,
               const std::string& title, OutputFile& output, const PdfSurfaceMaker& make_surface) {
  const MemoryFile pages;
  if (Status opened = pages.Opened(); !opened) return opened;
  Status printed = PrintPages(book_renderer, selection, paper, pages.Path(), make_surface);
  if (!printed) return printed;
  // Qt's PDF writer does not report a failed write: the file's structure, read back, shows it.
  const Result<std::string> bytes = pages.Bytes();
  if (!bytes) return bytes.failure();
  const PdfBookInfo info{title, BookOutline(book_renderer.RenderedBook(), selection)};
  return WritePdfWithOutline(*bytes, info, output);
}

}  // namespace

std::string BookPdfTitle(const std::string& criteria_file, const std::string& project) {
  const std::string name = criteria_file.substr(criteria_file.rfind('/') + 1);
  std::string title =
      QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toUtf8().toStdString();
  if (!project.empty()) title += ", Project No: " + Cp1252ToUtf8(project);
  return title;
}

std::vector<OutlineEntry> BookOutline(const Book& book, const PageSelection& selection) {
  if (!book.Divided()) return StationEntries(book, selection, Side::Left);
  return SideOutline(StationEntries(book, selection, Side::Left),
                     StationEntries(book, selection, Side::Right));
}

Status WriteBookPdf(const BookRenderer& book_renderer, const PageSelection& selection, Paper paper,
                    const std::string& title, OutputFile& output,
                    const PdfSurfaceMaker& make_surface) {
  const Status written = DrawPdf(book_renderer, selection, paper, title, output, make_surface);
  if (!written) {
    output.Discard();
    return written;
  }
  return output.Commit();
}

}  // namespace vantrels
