// The desktop program's memory with a book open: what main() makes, then a preview of FILE as a
// user would do it (the font and printer window answered with its preselection), until the
// viewer is on screen. Prints the peak and current resident memory from /proc/self/status.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QWindow>
#include <cstdio>
#include <string>

#include "gui/book_viewer.h"
#include "gui/main_window.h"
#include "gui/unattended_preview.h"
#include "render/print_service.h"

namespace {

void PrintMemory() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM") || line.startsWith("VmRSS")) std::printf("%s\n", line.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrels-book-memory-probe CRITERIA_FILE\n");
    return 2;
  }
  QApplication::setWindowIcon(QIcon(":/vantrels/vantrels.png"));
  vantrels::QtPrintService printers;
  vantrels::UnattendedDesktop desktop(printers);
  vantrels::MainWindow& form = desktop.form;
  vantrels::FillExampleForm(form, QString::fromLocal8Bit(argv[1]));
  form.show();
  form.preview();
  if (form.viewer() == nullptr) {
    std::fprintf(stderr, "vantrels-book-memory-probe: the preview did not open the viewer\n");
    return 1;
  }
  // Until the viewer has been drawn on screen (or two seconds have passed).
  QElapsedTimer waited;
  waited.start();
  const QWindow* viewer = form.viewer()->windowHandle();
  while ((viewer == nullptr || !viewer->isExposed()) && waited.elapsed() < 2000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    viewer = form.viewer()->windowHandle();
  }
  QApplication::processEvents();
  PrintMemory();
  return 0;
}
