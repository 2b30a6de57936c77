// The desktop program as a process: a command line judged without a display, and a kill that
// ends it as its Close button does.
#include <gtest/gtest.h>
#include <signal.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The environment of a session without any display.
QProcessEnvironment WithoutDisplay() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(name);
  }
  return environment;
}

// Whether process `pid` has its own handler for `signal` (bit signal - 1 of SigCgt).
bool Catches(qint64 pid, int signal) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("SigCgt:")) {
      return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
  }
  return false;
}

TEST(DesktopProcess, TheCommandLineIsJudgedWithoutADisplay) {
  const struct {
    QStringList arguments;
    int status;
    const char* output_start;
  } cases[] = {
      // A usage error is its reason and where to read more, as vantrels-book reports one.
      {{"a.csv", "b.csv"},
       2,
       "vantrels: only one criteria file can be given\n"
       "Try 'vantrels --help' for more information.\n"},
      {{"-platform", "xcb", "--bogus"},
       2,
       "vantrels: Unknown option 'bogus'.\nTry 'vantrels --help' for more information.\n"},
      {{"--help"}, 0, "Usage: vantrels [options] [FILE.csv]"},
      {{"-style", "fusion", "--version"}, 0, "vantrels "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    QProcess program;
    program.setProcessEnvironment(WithoutDisplay());
    program.start(VANTRELS_DESKTOP_PROGRAM, c.arguments);
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), c.status);
    const QByteArray output =
        c.status == 0 ? program.readAllStandardOutput() : program.readAllStandardError();
    if (c.status == 0) {
      EXPECT_TRUE(output.startsWith(c.output_start)) << output.toStdString();
    } else {
      EXPECT_EQ(output.toStdString(), c.output_start);
    }
  }
}

TEST(DesktopProcess, TerminationSignalsEndTheProgramAsItsCloseButtonDoes) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    // The user's settings stay untouched.
    environment.insert("XDG_CONFIG_HOME", home.path());
    program.setProcessEnvironment(environment);
    program.start(VANTRELS_DESKTOP_PROGRAM, {});
    ASSERT_TRUE(program.waitForStarted(60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Catches(program.processId(), signal); }, 60000));
    ::kill(static_cast<pid_t>(program.processId()), signal);
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
  }
}

}  // namespace
