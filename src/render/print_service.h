#pragma once

#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/units.h"

namespace vantrels {

// The built-in entry that writes the book to a PDF file; always last in the printer list, so the
// list is never empty on a machine without printers.
inline constexpr char kPdfPrinterName[] = "PDF file";
inline constexpr double kPdfMarginInches = 0.25;

// The model's paper.
using PaperSize = Paper;

// A printer writing a PDF file of `paper` with quarter-inch margins. The file must be named:
// without a name QPrinter turns into the system's default printer (std::invalid_argument).
std::unique_ptr<QPrinter> MakePdfPrinter(const QString& output_file,
                                         PaperSize paper = PaperSize::Letter);
// The page of a PDF file of `paper`, to lay a book out on before its file is named: a PDF
// printer whose output goes nowhere, never a system printer.
std::unique_ptr<QPrinter> MakePdfPagePrinter(PaperSize paper = PaperSize::Letter);
// The first installed printer with this device name, with its own page layout; nullptr when
// none is installed under that name.
std::unique_ptr<QPrinter> MakeInstalledPrinter(const std::string& name);

struct PrinterOptions {
  // Used by the PDF entry only.
  QString pdf_output_file;
  PaperSize pdf_paper = PaperSize::Letter;
};

// The printers the book can go to and the one that is current.
class PrintService {
 public:
  virtual ~PrintService() = default;
  // Installed printers by device name in the platform's order, then kPdfPrinterName.
  virtual std::vector<std::string> PrinterNames() const = 0;
  // The platform's default printer; kPdfPrinterName when there is none.
  virtual std::string DefaultPrinterName() const = 0;
  virtual std::string CurrentPrinterName() const = 0;
  // Makes the first entry named exactly `name` current; false, and nothing changes, when none is.
  virtual bool MakeCurrent(const std::string& name) = 0;
  // True when the current entry is the PDF file, not an installed printer of that name.
  virtual bool CurrentIsPdfFile() const { return CurrentPrinterName() == kPdfPrinterName; }
  // Reads the platform's printers again; the current entry stays while it is still there.
  virtual void Refresh() {}
  // A printer set up for the current entry; throws std::runtime_error when none can be made
  // (the PDF entry without an output file: ask CurrentIsPdfFile first).
  virtual std::unique_ptr<QPrinter> CreateCurrentPrinter(const PrinterOptions& options) const = 0;
};

// The installed printers as the platform lists them. `infos` may be shorter than `names` (a
// printer without one is made by its device name).
struct InstalledPrinters {
  std::vector<QPrinterInfo> infos;
  std::vector<std::string> names;
  std::string default_name;
};

// QPrinterInfo's printers and default printer.
InstalledPrinters ReadInstalledPrinters();

// The platform's printers through QPrinterInfo, or a fixed list of device names for tests. The
// platform is asked on first use, not at construction: asking CUPS costs a program's start-up
// time that the main window does not need.
class QtPrintService : public PrintService {
 public:
  QtPrintService();
  // The printers `read` returns, read on first use and on every Refresh.
  explicit QtPrintService(std::function<InstalledPrinters()> read);
  QtPrintService(std::vector<std::string> installed, std::string default_name);

  // Reads the platform's printers again (no effect on a fixed list); the current entry stays
  // when a printer of that name is still there, else the default becomes current.
  void Refresh() override;

  std::vector<std::string> PrinterNames() const override;
  std::string DefaultPrinterName() const override;
  std::string CurrentPrinterName() const override;
  bool MakeCurrent(const std::string& name) override;
  bool CurrentIsPdfFile() const override;
  std::unique_ptr<QPrinter> CreateCurrentPrinter(const PrinterOptions& options) const override;

 private:
  void SetInstalled(std::vector<std::string> installed, std::string default_name) const;
  void Load() const;
  void EnsureLoaded() const {
    if (!loaded_) Load();
  }

  // Empty for a fixed list.
  std::function<InstalledPrinters()> read_;
  // Filled on first use, hence mutable: the getters are const.
  mutable bool loaded_ = false;
  mutable std::vector<QPrinterInfo> infos_;
  mutable std::vector<std::string> installed_;
  mutable std::string default_name_;
  // Index into PrinterNames(): equal names are told apart by their place.
  mutable int current_ = 0;
};

}  // namespace vantrels
