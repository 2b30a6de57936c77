#include "render/printer_surface.h"

#include <QPainter>
#include <memory>
#include <new>

#include "render/font_cache.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

constexpr double kColumnsPerInch = 12;
constexpr double kLinesPerInch = 6;

}  // namespace

PrinterSurface::PrinterSurface(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

PrinterSurface::~PrinterSurface() = default;

void PrinterSurface::SetPrinter(std::unique_ptr<QPrinter> printer) {
  KillDoc();
  printer_ = std::move(printer);
}

int PrinterSurface::PagesInDocument() const {
  return static_cast<int>(pages_.size());
}

void PrinterSurface::PrintText(std::string_view text) {
  // An empty text puts nothing on the sheet, so it must not start one.
  if (text.empty()) return;
  if (pages_.empty() || new_page_pending_) {
    pages_.emplace_back();
    new_page_pending_ = false;
  }
  pages_.back().push_back(RunAt(text, 1));
}

std::optional<CellMeasure> PrinterSurface::MeasureCells() {
  if (!printer_ || !printer_->isValid()) return std::nullopt;
  // The device's own rectangle: QPageLayout's inch figures are rounded to 1/100 inch, while
  // the page drawn on (a PDF page is whole points) can differ from the paper's nominal size.
  const QRectF area = printer_->pageRect(QPrinter::DevicePixel);
  const double dpi_x = printer_->logicalDpiX();
  const double dpi_y = printer_->logicalDpiY();
  if (area.isEmpty() || dpi_x <= 0 || dpi_y <= 0) return std::nullopt;
  return CellMeasure{area.width() / dpi_x * kColumnsPerInch, area.height() / dpi_y * kLinesPerInch};
}

void PrinterSurface::NewPage() {
  if (!pages_.empty()) new_page_pending_ = true;
}

Status PrinterSurface::EndDoc() {
  std::vector<std::vector<TextRun>> pages;
  pages.swap(pages_);
  new_page_pending_ = false;
  if (pages.empty()) return {};
  if (!printer_) return Rejected("No printer is available");
  auto owned_painter = std::make_unique<QPainter>();
  QPainter& painter = *owned_painter;
  if (!painter.begin(printer_.get())) return Rejected("The printer could not start the document");
  // The painter's origin is the printable area's top-left corner (QPrinter is not full-page).
  const double scale_x = printer_->logicalDpiX() / kColumnsPerInch;
  const double scale_y = printer_->logicalDpiY() / kLinesPerInch;
  try {
    // One cache for the document: each font is resolved once, not once per page.
    FontCache fonts;
    for (size_t p = 0; p < pages.size(); ++p) {
      if (p > 0 && !printer_->newPage()) {
        printer_->abort();
        painter.end();
        return Rejected("The printer could not start a new page");
      }
      PaintTexts(painter, fonts, pages[p], scale_x, scale_y);
    }
    if (!painter.end() || printer_->printerState() == QPrinter::Error) {
      return Rejected("The printer could not finish the document");
    }
  } catch (const std::bad_alloc&) {
    // A painter destroyed while active finishes the document, which needs memory too, and a
    // bad_alloc from a destructor ends the process: the painter is let go unfinished.
    if (painter.isActive()) (void)owned_painter.release();
    throw;
  }
  return {};
}

void PrinterSurface::KillDoc() {
  pages_.clear();
  new_page_pending_ = false;
}

}  // namespace vantrels
