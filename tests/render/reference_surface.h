#pragma once

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <vector>

#include "layout/surface.h"
#include "render/text_run.h"
#include "render/window_surface.h"

namespace vantrels::testing {

// The drawing the surfaces did before glyph runs, kept as the reference that pages are compared
// with: one drawText per character, each shaped by Qt with the full report font (and therefore
// Qt's own fallback faces) at the character's cell.
void DrawTextRunPerCharacter(QPainter& painter, const TextRun& run, double scale_x, double scale_y);

// The viewer picture of `surface` drawn the reference way, as RenderPicture lays it out.
QImage RenderReferencePicture(const WindowSurface& surface, QSize size, double dpi = 96);

// A printer surface that draws the reference way; otherwise as PrinterSurface (pages kept until
// EndDoc, a page with nothing on it never becomes a sheet).
class ReferencePrinterSurface : public TextRunSurface {
 public:
  explicit ReferencePrinterSurface(std::unique_ptr<QPrinter> printer)
      : printer_(std::move(printer)) {}

  bool IsWindow() const override { return false; }
  void PrintText(std::string_view text) override;
  std::optional<CellMeasure> MeasureCells() override;
  void NewPage() override { new_page_pending_ = !pages_.empty(); }
  Status EndDoc() override;
  void KillDoc() override { pages_.clear(); }

 private:
  std::unique_ptr<QPrinter> printer_;
  std::vector<std::vector<TextRun>> pages_;
  bool new_page_pending_ = false;
};

}  // namespace vantrels::testing
