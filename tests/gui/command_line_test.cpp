#include "gui/command_line.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>
#include <vector>

#include "gui/about_dialog.h"
#include "gui/object_names.h"
#include "model/messages.h"
#include "model/version.h"

namespace vantrels {
namespace {

using Action = DesktopCommandLine::Action;

struct CommandLineCase {
  std::string name;
  QStringList arguments;
  Action action;
  QString file;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
  *os << c.arguments.join(' ').toStdString();
}

class DesktopCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(DesktopCommandLineTest, ReadsTheActionAndTheFile) {
  const CommandLineCase& c = GetParam();
  const DesktopCommandLine parsed = ParseDesktopCommandLine(QStringList{"vantrels"} + c.arguments);
  EXPECT_EQ(parsed.action, c.action) << parsed.error.toStdString();
  EXPECT_EQ(parsed.file, c.file);
  EXPECT_EQ(parsed.error.isEmpty(), c.action != Action::kUsageError);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesktopCommandLineTest,
    ::testing::Values(
        CommandLineCase{"NoArguments", {}, Action::kStart, ""},
        CommandLineCase{
            "CriteriaFile", {"roads/undivided.csv"}, Action::kStart, "roads/undivided.csv"},
        CommandLineCase{"FileWithBlanks", {"my roads/a b.CSV"}, Action::kStart, "my roads/a b.CSV"},
        CommandLineCase{"Help", {"--help"}, Action::kHelp, ""},
        CommandLineCase{"ShortHelp", {"-h"}, Action::kHelp, ""},
        CommandLineCase{"HelpAfterFile", {"a.csv", "--help"}, Action::kHelp, ""},
        CommandLineCase{"Version", {"--version"}, Action::kVersion, ""},
        CommandLineCase{"ShortVersion", {"-v"}, Action::kVersion, ""},
        CommandLineCase{
            "VersionDespiteUnknownOption", {"--bogus", "--version"}, Action::kVersion, ""},
        // Qt's own options are Qt's, never bundles of ours: "-reverse" holds a 'v'.
        CommandLineCase{"QtWordOptionIsNoVersion", {"-reverse"}, Action::kStart, ""},
        CommandLineCase{"QtWordOptionIsNoHelp", {"-nograb", "a.csv"}, Action::kStart, "a.csv"},
        CommandLineCase{
            "QtOptionValuesAreNoFiles",
            {"-platform", "offscreen", "--style", "fusion", "-stylesheet=x.qss", "a.csv"},
            Action::kStart,
            "a.csv"},
        CommandLineCase{"UnknownWordOption", {"-reversed"}, Action::kUsageError, ""},
        CommandLineCase{"FlagWithAValueIsNotQts", {"-reverse=1"}, Action::kUsageError, ""},
        CommandLineCase{"FileAfterTheEndOfOptions", {"--", "-style"}, Action::kStart, "-style"},
        CommandLineCase{"FileNamedLikeAnOption", {"--", "--help"}, Action::kStart, "--help"},
        CommandLineCase{"UnknownOption", {"--bogus", "a.csv"}, Action::kUsageError, ""},
        CommandLineCase{"TwoFiles", {"a.csv", "b.csv"}, Action::kUsageError, ""}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return info.param.name; });

TEST(DesktopCommandLine, RefusalsSayWhatIsWrong) {
  EXPECT_TRUE(ParseDesktopCommandLine({"vantrels", "--bogus"}).error.contains("bogus"));
  EXPECT_EQ(ParseDesktopCommandLine({"vantrels", "a.csv", "b.csv"}).error,
            "only one criteria file can be given");
}

TEST(DesktopCommandLine, HelpNamesTheProgramEveryOptionAndTheFile) {
  const QString help = DesktopHelpText();
  EXPECT_TRUE(help.startsWith("Usage: vantrels [options] [FILE.csv]\n")) << help.toStdString();
  for (const char* word : {"-h, --help", "-v, --version", "FILE.csv", "File Browse"}) {
    EXPECT_TRUE(help.contains(word)) << word;
  }
  // Qt's placeholder for a program name must not reach the user.
  EXPECT_FALSE(help.contains("executable")) << help.toStdString();
  EXPECT_TRUE(help.endsWith('\n'));
}

TEST(DesktopCommandLine, VersionIsTheProjectVersionAndTheAboutWindowShowsIt) {
  const QString version = QString::fromUtf8(kVersion);
  EXPECT_TRUE(QRegularExpression(R"(^\d+\.\d+\.\d+$)").match(version).hasMatch())
      << "an unconfigured version: " << kVersion;
  EXPECT_EQ(DesktopVersionText(), "vantrels " + version);

  RecordingMessages messages;
  AboutDialog about(messages);
  namespace names = object_names::about;
  const auto* program_version = about.findChild<QLabel*>(names::kProgramVersion);
  const auto* version_date = about.findChild<QLabel*>(names::kVersionDate);
  ASSERT_NE(program_version, nullptr);
  ASSERT_NE(version_date, nullptr);
  EXPECT_EQ(program_version->text().trimmed(), "Version " + version);
  EXPECT_EQ(version_date->text(), "  May 7th 2003");
}

}  // namespace
}  // namespace vantrels
