#include "gui/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "render/qt_text.h"

namespace vantrels {

void MessageBoxMessages::Show(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vantrels"), FromReportBytes(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace vantrels
