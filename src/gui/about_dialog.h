#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "model/messages.h"

class QLabel;
class QPushButton;

namespace vantrels {

// A system information program and its arguments.
struct SystemInfoProgram {
  QString program;
  QStringList arguments;
};

// The system information programs of the common Linux desktops, in the order tried.
std::vector<SystemInfoProgram> KnownSystemInfoPrograms();

// "About Quorvel Program": title, description, version date and number, and a button that
// starts the desktop's system information program.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(Messages& messages, QWidget* parent = nullptr);
  ~AboutDialog() override;

  // The programs startSystemInfo tries; preset to KnownSystemInfoPrograms().
  std::vector<SystemInfoProgram> system_info_programs;
  // Starts an installed program, detached; false when it could not be started. Preset to
  // QProcess::startDetached.
  std::function<bool(const QString& path, const QStringList& arguments)> start_program;

  // "&System Info...": starts the first installed system information program, without waiting
  // for it, or says that none is available.
  void startSystemInfo();

 private:
  Messages& messages_;
  QLabel* icon_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* version_date_ = nullptr;
  // The program's version number, the one that --version prints.
  QLabel* program_version_ = nullptr;
  QLabel* disclaimer_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* system_info_ = nullptr;
};

}  // namespace vantrels
