#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/book_render.h"

class QGuiApplication;

namespace vantrels {

// The Qt printers for vantrels-book. The Qt application is started on first use only, so the
// text outputs never need a display or a platform plugin.
class QtBookPlatform : public PrintPlatform {
 public:
  QtBookPlatform();
  ~QtBookPlatform() override;
  QtBookPlatform(const QtBookPlatform&) = delete;
  QtBookPlatform& operator=(const QtBookPlatform&) = delete;

  std::vector<std::string> PrinterNames() override;
  Result<std::unique_ptr<Surface>> OpenPrinter(const BookOptions& options) override;
  Status WritePdf(const BookRenderer& printer, const PageSelection& selection,
                  const BookOptions& options, OutputFile& output) override;

 private:
  void EnsureApplication();

  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace vantrels
