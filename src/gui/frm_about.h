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
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(Messages& messages, QWidget* parent = nullptr);
  ~frmAbout() override;

  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblVersion = nullptr;
  // The program's version number, the one that --version prints.
  QLabel* lblProgramVersion = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;

  // The programs StartSysInfo tries; preset to KnownSystemInfoPrograms().
  std::vector<SystemInfoProgram> system_info_programs;
  // Starts an installed program, detached; false when it could not be started. Preset to
  // QProcess::startDetached.
  std::function<bool(const QString& path, const QStringList& arguments)> start_program;

  void cmdOK_Click();
  void cmdSysInfo_Click();
  // Starts the first installed system information program, without waiting for it.
  void StartSysInfo();

 private:
  Messages& messages_;
};

}  // namespace vantrels
