#pragma once

#include <QString>
#include <QStringList>

namespace vantrels {

// What the desktop program's command line asks for.
struct DesktopCommandLine {
  enum class Action { kStart, kHelp, kVersion, kUsageError };
  Action action = Action::kStart;
  // The criteria file to fill in, as given; empty when none.
  QString file;
  // Why the command line was refused (kUsageError only).
  QString error;
};

// Reads the program's arguments, the program name first. Qt's own options (-platform, -style,
// -reverse, ...) are passed over, as the application object takes them. Needs no application
// object, so help, version and usage errors are told without a display.
DesktopCommandLine ParseDesktopCommandLine(const QStringList& arguments);

// The --help text: usage line, description, options and arguments.
QString DesktopHelpText();

// A refused command line as the command-line tools report it: "vantrels: " and the reason, then
// "Try 'vantrels --help' for more information.", each on its line.
QString DesktopUsageErrorText(const QString& error);

// "vantrels <version>".
QString DesktopVersionText();

// Exit status of a refused command line, as for vantrels-book.
inline constexpr int kDesktopUsageError = 2;

}  // namespace vantrels
