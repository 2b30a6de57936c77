// Where the desktop program's start-up goes, on a real display (Xvfb). Modes:
//   empty  an empty main window: the floor any Qt program pays;
//   main   what the program's main() does, in its order, ending when the main window is first
//          exposed; the time of each step goes to stderr;
//   eager  the same, but the current printer is selected (the platform's printers listed)
//          before the main window is made, as the program did before it deferred that;
//   steps  each service the start-up may use, timed on its own after the application exists.
// The process ends at the first exposure, so a whole-process timer measures start to window.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QIcon>
#include <QMainWindow>
#include <QPrinterInfo>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <functional>

#include "book/book_document.h"
#include "gui/main_window.h"
#include "gui/message_box.h"
#include "gui/print_controller.h"
#include "gui/remembered_choices.h"
#include "gui/termination.h"
#include "render/print_service.h"
#include "render/report_fonts.h"

namespace {

QElapsedTimer clock_since_main;

void Note(const char* step) {
  std::fprintf(stderr, "%8.2f ms  %s\n", clock_since_main.nsecsElapsed() / 1e6, step);
}

// Ends the process the moment `window` is first exposed.
class EndAtExposure : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
      Note("main window exposed");
      std::fflush(stderr);
      _exit(0);
    }
    return false;
  }
};

void ShowUntilExposed(QWidget& window) {
  static EndAtExposure end;
  window.winId();  // creates the native window, so its exposure can be watched
  window.windowHandle()->installEventFilter(&end);
  window.show();
}

void Time(const char* step, const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  std::fprintf(stderr, "%8.2f ms  %s\n", timer.nsecsElapsed() / 1e6, step);
}

int Steps() {
  Time("QPrinterInfo::availablePrinters", [] { QPrinterInfo::availablePrinters(); });
  Time("QPrinterInfo::defaultPrinterName", [] { QPrinterInfo::defaultPrinterName(); });
  Time("first QPrinter (PDF entry's page)", [] { vantrels::MakePdfPagePrinter(); });
  Time("second QPrinter", [] { vantrels::MakePdfPagePrinter(); });
  Time("QFontDatabase::families", [] { QFontDatabase::families(); });
  Time("screen font names (font window)", [] { vantrels::ScreenFontNames(); });
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  clock_since_main.start();
  vantrels::TerminationSignals termination;
  const char* mode = argc > 1 ? argv[1] : "main";
  QApplication app(argc, argv);
  Note("QApplication");
  if (std::strcmp(mode, "steps") == 0) return Steps();
  if (std::strcmp(mode, "empty") == 0) {
    QMainWindow window;
    ShowUntilExposed(window);
    return app.exec();
  }
  QApplication::setApplicationName("vantrels");
  QGuiApplication::setDesktopFileName("vantrels");
  QApplication::setWindowIcon(QIcon(":/vantrels/vantrels.png"));
  Note("icon");
  vantrels::MessageBoxMessages messages;
  vantrels::QtPrintService printers;
  vantrels::SystemFontCatalog fonts;
  // The user's settings stay closed, as in the earlier probes, so runs compare alike.
  vantrels::RememberedChoices remembered;
  Note("print service and font catalog");
  vantrels::BookDocument document;
  vantrels::PrintController printing(printers, messages);
  Note("document and print controller");
  if (std::strcmp(mode, "eager") == 0) {
    printing.LayoutTarget();
    Note("current printer selected");
  }
  vantrels::MainWindow form(document, printing, fonts, remembered, messages);
  termination.EndProgramWith([&form] { form.endProgram(); });
  Note("MainWindow (window)");
  ShowUntilExposed(form);
  Note("show");
  return app.exec();
}
