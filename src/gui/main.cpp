#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>

#include "gui/app_context.h"
#include "gui/form2.h"
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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("vantrels");
  QGuiApplication::setDesktopFileName("vantrels");
  QApplication::setWindowIcon(QIcon(":/vantrels/vantrels.png"));

  vantrels::MessageBoxMessages messages;
  vantrels::QtPrintService printers;
  vantrels::SystemFontCatalog fonts;
  vantrels::AppContext ctx(messages, printers, fonts);
  ctx.ask_pdf_file = AskPdfFile;

  vantrels::Form2 form(ctx);
  // A criteria file given by a file manager is taken as if chosen with File Browse.
  if (argc > 1) form.ChooseFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
  form.show();
  return app.exec();
}
