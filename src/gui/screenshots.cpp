// Saves the pictures of the main window and the viewer that the README shows: the program's own
// windows on an example book, previewed as a user would, without the message boxes.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "gui/book_viewer.h"
#include "gui/find_station_dialog.h"
#include "gui/main_window.h"
#include "gui/print_range_dialog.h"
#include "gui/unattended_preview.h"
#include "render/print_service.h"

namespace {

bool Save(QWidget& window, const QString& file) {
  const QPixmap picture = window.grab();
  if (picture.save(file)) return true;
  std::fprintf(stderr, "vantrels-screenshots: cannot write %s\n", qPrintable(file));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr,
                 "usage: vantrels-screenshots CRITERIA_FILE OUTPUT_DIRECTORY [VIEWER_PICTURE]\n");
    return 2;
  }
  QApplication::setWindowIcon(QIcon(":/vantrels/vantrels.png"));
  const QString criteria = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  const QDir output(QString::fromLocal8Bit(argv[2]));

  vantrels::QtPrintService printers({}, "");
  vantrels::UnattendedDesktop desktop(printers);
  vantrels::MainWindow& form = desktop.form;
  // A fixed date keeps the pictures the same from one run to the next.
  form.heading_date = "05 07 2003";
  vantrels::FillExampleForm(form, criteria);
  form.move(20, 20);
  form.show();
  form.preview();
  if (form.viewer() == nullptr) {
    std::fprintf(stderr, "vantrels-screenshots: the preview did not open the viewer\n");
    return 1;
  }
  vantrels::BookViewer& viewer = *form.viewer();
  viewer.move(form.frameGeometry().right() + 20, 20);
  QApplication::processEvents();

  // Only the viewer, as it opens (the run at another scale factor).
  if (argc == 4) return Save(viewer, output.filePath(QString::fromLocal8Bit(argv[3]))) ? 0 : 1;

  if (!Save(form, output.filePath("main-window.png")) ||
      !Save(viewer, output.filePath("viewer.png"))) {
    return 1;
  }
  // The find window and Print Selected Pages as the viewer's commands open them.
  viewer.openStationFinder(vantrels::StationFinder::kStation);
  QApplication::processEvents();
  if (!Save(viewer.stationWindow(), output.filePath("find-station.png"))) return 1;
  viewer.stationWindow().hide();
  vantrels::PrintRangeDialog& range = viewer.printRangeWindow();
  range.show();
  QApplication::processEvents();
  if (!Save(range, output.filePath("print-range.png"))) return 1;
  range.hide();
  // A window wider than the page: the page centred on grey, as in a print preview.
  viewer.resize(1200, 760);
  viewer.showNextPage();
  QApplication::processEvents();
  return Save(viewer, output.filePath("viewer-wide.png")) ? 0 : 1;
}
