#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <cstdio>

#include "gui/app_context.h"
#include "gui/command_line.h"
#include "gui/main_window.h"
#include "gui/message_box.h"
#include "render/print_service.h"
#include "render/report_fonts.h"

namespace {

QString AskPdfFile() {
  QString file =
      QFileDialog::getSaveFileName(QApplication::activeWindow(), "Print to PDF file",
                                   QDir::home().filePath("vantrels-book.pdf"), "PDF files (*.pdf)");
  if (!file.isEmpty() && !file.endsWith(".pdf", Qt::CaseInsensitive)) file += ".pdf";
  return file;
}

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
  // --help and --version are answered before the application object exists: they need no
  // display.
  QStringList raw_arguments;
  for (int i = 0; i < argc; ++i) raw_arguments << QString::fromLocal8Bit(argv[i]);
  const vantrels::DesktopCommandLine early = vantrels::ParseDesktopCommandLine(raw_arguments);
  if (early.action == vantrels::DesktopCommandLine::Action::kHelp) {
    Print(stdout, vantrels::DesktopHelpText());
    return 0;
  }
  if (early.action == vantrels::DesktopCommandLine::Action::kVersion) {
    Print(stdout, vantrels::DesktopVersionText() + "\n");
    return 0;
  }

  QApplication app(argc, argv);
  // The application has taken out its own options (-platform, -style, ...) by now.
  const vantrels::DesktopCommandLine command =
      vantrels::ParseDesktopCommandLine(QApplication::arguments());
  if (command.action == vantrels::DesktopCommandLine::Action::kUsageError) {
    Print(stderr, "vantrels: " + command.error + "\n" + vantrels::DesktopHelpText());
    return vantrels::kDesktopUsageError;
  }
  QApplication::setApplicationName("vantrels");
  QGuiApplication::setDesktopFileName("vantrels");
  QApplication::setWindowIcon(QIcon(":/vantrels/vantrels.png"));

  vantrels::MessageBoxMessages messages;
  vantrels::QtPrintService printers;
  vantrels::SystemFontCatalog fonts;
  vantrels::AppContext ctx(messages, printers, fonts);
  ctx.ask_pdf_file = AskPdfFile;

  ctx.remembered.Open(vantrels::RememberedChoices::UserSettings());

  vantrels::MainWindow form(ctx);
  // A criteria file given by a file manager is taken as if chosen with File Browse.
  if (!command.file.isEmpty()) form.chooseFile(QFileInfo(command.file).absoluteFilePath());
  form.show();
  return app.exec();
}
