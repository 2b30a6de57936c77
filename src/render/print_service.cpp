#include "render/print_service.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vantrels {

namespace {

QPageSize::PageSizeId PageSizeOf(PaperSize paper) {
  switch (paper) {
    case PaperSize::A4:
      return QPageSize::A4;
    case PaperSize::Legal:
      return QPageSize::Legal;
    case PaperSize::Letter:
      break;
  }
  return QPageSize::Letter;
}

std::string ToUtf8(const QString& text) {
  return text.toStdString();
}

}  // namespace

std::unique_ptr<QPrinter> MakePdfPrinter(const QString& output_file, PaperSize paper) {
  if (output_file.isEmpty()) throw std::invalid_argument("a PDF printer needs an output file");
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(output_file);
  printer->setPageLayout(
      QPageLayout(QPageSize(PageSizeOf(paper)), QPageLayout::Portrait,
                  QMarginsF(kPdfMarginInches, kPdfMarginInches, kPdfMarginInches, kPdfMarginInches),
                  QPageLayout::Inch));
  return printer;
}

std::unique_ptr<QPrinter> MakePdfPagePrinter(PaperSize paper) {
  return MakePdfPrinter(QStringLiteral("/dev/null"), paper);
}

std::unique_ptr<QPrinter> MakeInstalledPrinter(const std::string& name) {
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    if (ToUtf8(info.printerName()) == name) {
      return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
  }
  return nullptr;
}

InstalledPrinters ReadInstalledPrinters() {
  InstalledPrinters printers;
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    printers.infos.push_back(info);
    printers.names.push_back(ToUtf8(info.printerName()));
  }
  printers.default_name = ToUtf8(QPrinterInfo::defaultPrinterName());
  return printers;
}

QtPrintService::QtPrintService() : QtPrintService(ReadInstalledPrinters) {}

QtPrintService::QtPrintService(std::function<InstalledPrinters()> read) : read_(std::move(read)) {}

QtPrintService::QtPrintService(std::vector<std::string> installed, std::string default_name) {
  loaded_ = true;
  SetInstalled(std::move(installed), std::move(default_name));
}

void QtPrintService::Refresh() {
  if (!read_) return;
  if (!loaded_) {
    Load();
    return;
  }
  const std::string previous = CurrentPrinterName();
  Load();
  MakeCurrent(previous);
}

void QtPrintService::Load() const {
  loaded_ = true;
  if (!read_) return;
  InstalledPrinters printers = read_();
  infos_ = std::move(printers.infos);
  SetInstalled(std::move(printers.names), std::move(printers.default_name));
}

void QtPrintService::SetInstalled(std::vector<std::string> installed,
                                  std::string default_name) const {
  installed_ = std::move(installed);
  default_name_ = std::move(default_name);
  const std::vector<std::string> names = PrinterNames();
  const auto found = std::find(names.begin(), names.end(), DefaultPrinterName());
  current_ = static_cast<int>(found - names.begin());
}

std::vector<std::string> QtPrintService::PrinterNames() const {
  EnsureLoaded();
  std::vector<std::string> names = installed_;
  names.emplace_back(kPdfPrinterName);
  return names;
}

std::string QtPrintService::DefaultPrinterName() const {
  EnsureLoaded();
  const bool installed =
      std::find(installed_.begin(), installed_.end(), default_name_) != installed_.end();
  return installed ? default_name_ : std::string(kPdfPrinterName);
}

std::string QtPrintService::CurrentPrinterName() const {
  EnsureLoaded();
  return PrinterNames()[static_cast<size_t>(current_)];
}

bool QtPrintService::MakeCurrent(const std::string& name) {
  EnsureLoaded();
  const std::vector<std::string> names = PrinterNames();
  const auto found = std::find(names.begin(), names.end(), name);
  if (found == names.end()) return false;
  current_ = static_cast<int>(found - names.begin());
  return true;
}

bool QtPrintService::CurrentIsPdfFile() const {
  EnsureLoaded();
  // The entry after the installed printers: a printer installed under the same name is not it.
  return current_ == static_cast<int>(installed_.size());
}

std::unique_ptr<QPrinter> QtPrintService::CreateCurrentPrinter(
    const PrinterOptions& options) const {
  EnsureLoaded();
  if (CurrentIsPdfFile()) {
    if (options.pdf_output_file.isEmpty()) {
      throw std::runtime_error("No output file given for the PDF printer");
    }
    return MakePdfPrinter(options.pdf_output_file, options.pdf_paper);
  }
  const auto index = static_cast<size_t>(current_);
  if (index < infos_.size())
    return std::make_unique<QPrinter>(infos_[index], QPrinter::HighResolution);
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setPrinterName(QString::fromStdString(installed_[index]));
  return printer;
}

}  // namespace vantrels
