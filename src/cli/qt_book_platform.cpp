#include "cli/qt_book_platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "model/user_text.h"
#include "render/book_pdf.h"
#include "render/print_service.h"
#include "render/printer_surface.h"

namespace vantrels {

namespace {

// Batch runs on servers have no display: draw offscreen unless a platform is chosen. Printing
// needs no window, so an unreachable display falls back to offscreen instead of ending the run.
void ChooseHeadlessPlatform() {
  if (std::getenv("QT_QPA_PLATFORM") != nullptr) return;
  const char* platforms = "offscreen";
  if (std::getenv("WAYLAND_DISPLAY") != nullptr) {
    platforms = "wayland;xcb;offscreen";
  } else if (std::getenv("DISPLAY") != nullptr) {
    platforms = "xcb;offscreen";
  }
  setenv("QT_QPA_PLATFORM", platforms, 1);
}

// stderr carries the book's messages, one per line: Qt's own notes (a missing XDG_RUNTIME_DIR
// and the like) would read as messages of the book. Only its failures are passed on.
void QtFailuresOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  }
}

}  // namespace

QtBookPlatform::QtBookPlatform() = default;

QtBookPlatform::~QtBookPlatform() = default;

void QtBookPlatform::EnsureApplication() {
  if (QCoreApplication::instance()) return;
  ChooseHeadlessPlatform();
  qInstallMessageHandler(QtFailuresOnly);
  // Qt keeps argc and argv for the application's lifetime; the book's own options stay out of
  // Qt's reach.
  static int argc = 1;
  static char name[] = "vantrels-book";
  static char* argv[] = {name, nullptr};
  app_ = std::make_unique<QGuiApplication>(argc, argv);
}

std::vector<std::string> QtBookPlatform::PrinterNames() {
  EnsureApplication();
  return QtPrintService().PrinterNames();
}

Result<std::unique_ptr<Surface>> QtBookPlatform::OpenPrinter(const BookOptions& options) {
  EnsureApplication();
  std::unique_ptr<QPrinter> printer;
  if (options.output == BookOutput::kPdf) {
    // Only measured: WritePdf draws the pages into a printer of its own.
    printer = MakePdfPrinter(QStringLiteral("/dev/null"), options.paper);
  } else {
    printer = MakeInstalledPrinter(options.printer);
    if (!printer) {
      return UsageError(options.printer == kPdfPrinterName
                            ? "\"" + EscapedText(options.printer) +
                                  "\" writes a file: use --pdf OUT.pdf"
                            : "no installed printer is named \"" + EscapedText(options.printer) +
                                  "\" (--list-printers shows them)");
    }
  }
  // The job's title in the printer queue and in the PDF.
  printer->setDocName(QFileInfo(QString::fromStdString(options.file)).completeBaseName());
  return std::unique_ptr<Surface>(std::make_unique<PrinterSurface>(std::move(printer)));
}

Status QtBookPlatform::WritePdf(const BookRenderer& printer, const PageSelection& selection,
                                const BookOptions& options, OutputFile& output) {
  EnsureApplication();
  return WriteBookPdf(printer, selection, options.paper,
                      BookPdfTitle(options.file, options.project), output);
}

}  // namespace vantrels
