#include "gui/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/window_support.h"
#include "render/qt_text.h"

namespace vantrels {

void MessageBoxMessages::Show(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vantrels"), FromReportBytes(text),
                  QMessageBox::Ok, FrontWindow());
  // Centred on the window it belongs to, and never behind it.
  PlaceOver(box, box.parentWidget());
  box.exec();
}

}  // namespace vantrels
