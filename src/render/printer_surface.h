#pragma once

#include <QPrinter>
#include <memory>
#include <vector>

#include "layout/surface.h"
#include "render/text_run.h"

namespace vantrels {

// The printer target: positions are character cells of 120 x 240 twips from the top-left corner
// of the printable area. Pages are kept until EndDoc and only then sent to the printer, so that
// KillDoc discards the whole document (no print engine can take back pages already spooled) and a
// failing printer reports one failure at EndDoc instead of one per text.
class PrinterSurface : public TextRunSurface {
 public:
  explicit PrinterSurface(std::unique_ptr<QPrinter> printer = nullptr);
  ~PrinterSurface() override;
  PrinterSurface(const PrinterSurface&) = delete;
  PrinterSurface& operator=(const PrinterSurface&) = delete;

  // Makes `printer` the one measured and printed on; a document in progress is discarded.
  void SetPrinter(std::unique_ptr<QPrinter> printer);
  QPrinter* printer() const { return printer_.get(); }

  // Pages of the document in progress that have something drawn on them.
  int PagesInDocument() const;

  bool IsWindow() const override { return false; }
  void PrintText(std::string_view text) override;

  // The printable area of the printer's page layout; nullopt without a usable printer.
  std::optional<CellMeasure> MeasureCells() override;
  // Later texts go on a new sheet; a page on which nothing is drawn never becomes a sheet.
  void NewPage() override;
  // Sends the document to the printer; fails with the reason when the printer fails.
  Status EndDoc() override;
  void KillDoc() override;

 private:
  std::unique_ptr<QPrinter> printer_;
  std::vector<std::vector<TextRun>> pages_;
  bool new_page_pending_ = false;
};

}  // namespace vantrels
