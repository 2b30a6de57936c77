#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <cstdio>

#include "book/book_document.h"
#include "gui/command_line.h"
#include "gui/main_window.h"
#include "gui/message_box.h"
#include "gui/output_files.h"
#include "gui/print_controller.h"
#include "gui/remembered_choices.h"
#include "gui/termination.h"
#include "render/print_service.h"
#include "render/report_fonts.h"

namespace {

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
  // First of all: a kill or Ctrl-C from now on ends the program in order.
  vantrels::TerminationSignals termination;

  // The command line is judged before the application object exists: help, version and a
  // usage error need no display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const vantrels::DesktopCommandLine command = vantrels::ParseDesktopCommandLine(arguments);
  switch (command.action) {
    case vantrels::DesktopCommandLine::Action::kHelp:
      Print(stdout, vantrels::DesktopHelpText());
      return 0;
    case vantrels::DesktopCommandLine::Action::kVersion:
      Print(stdout, vantrels::DesktopVersionText() + "\n");
      return 0;
    case vantrels::DesktopCommandLine::Action::kUsageError:
      Print(stderr, vantrels::DesktopUsageErrorText(command.error));
      return vantrels::kDesktopUsageError;
    case vantrels::DesktopCommandLine::Action::kStart:
      break;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("vantrels");
  QGuiApplication::setDesktopFileName("vantrels");
  QApplication::setWindowIcon(QIcon(":/vantrels/vantrels.png"));

  vantrels::MessageBoxMessages messages;
  vantrels::QtPrintService printers;
  vantrels::SystemFontCatalog fonts;
  vantrels::RememberedChoices remembered;
  remembered.Open(vantrels::RememberedChoices::UserSettings());
  vantrels::BookDocument document;
  vantrels::PrintController printing(printers, messages);
  // Every file the viewer writes is asked for where the last one went, named after the book.
  vantrels::OutputFileDialog output_dialog(remembered);
  printing.ask_pdf_file = [&] {
    return output_dialog.Ask(vantrels::OutputKind::kPdf, std::nullopt, document.file());
  };
  printing.ask_export_file = [&](vantrels::OutputKind kind, std::optional<vantrels::Side> side) {
    return output_dialog.Ask(kind, side, document.file());
  };

  vantrels::MainWindow form(document, printing, fonts, remembered, messages);
  termination.EndProgramWith([&form] { form.endProgram(); });
  // A criteria file given by a file manager is taken as if chosen with File Browse.
  if (!command.file.isEmpty()) form.chooseFile(QFileInfo(command.file).absoluteFilePath());
  form.show();
  const int status = QApplication::exec();
  // A viewer closed by its own command waits to be deleted: before the document it shows goes.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return status;
}
