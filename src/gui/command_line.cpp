#include "gui/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "model/version.h"

namespace vantrels {

namespace {

const QCommandLineOption kHelpOption({"h", "help"}, "Show this help and exit.");
const QCommandLineOption kVersionOption({"v", "version"}, "Show the program's version and exit.");

// One parser for both the help text and the parsing, so the two cannot drift apart.
void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      "Turns the criteria report of a roadway into a grade-stake book to preview and print.");
  // "-reverse" and the other Qt options are words, not bundles of one-letter options.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOption(kHelpOption);
  parser.addOption(kVersionOption);
  parser.addPositionalArgument(
      "FILE.csv", "Criteria file to fill in, as if chosen with File Browse (optional).",
      "[FILE.csv]");
}

}  // namespace

DesktopCommandLine ParseDesktopCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  Describe(parser);
  DesktopCommandLine result;
  const bool parsed = parser.parse(arguments);
  // --help and --version win over any other fault, as they do for most programs.
  if (parser.isSet(kHelpOption)) {
    result.action = DesktopCommandLine::Action::kHelp;
  } else if (parser.isSet(kVersionOption)) {
    result.action = DesktopCommandLine::Action::kVersion;
  } else if (!parsed) {
    result.action = DesktopCommandLine::Action::kUsageError;
    result.error = parser.errorText();
  } else if (parser.positionalArguments().size() > 1) {
    result.action = DesktopCommandLine::Action::kUsageError;
    result.error = "only one criteria file can be given";
  } else if (!parser.positionalArguments().isEmpty()) {
    result.file = parser.positionalArguments().constFirst();
  }
  return result;
}

QString DesktopHelpText() {
  QCommandLineParser parser;
  Describe(parser);
  QString text = parser.helpText();
  // Without an application object Qt names the program by a placeholder.
  const qsizetype usage_end = text.indexOf('\n');
  return "Usage: vantrels [options] [FILE.csv]" + text.mid(usage_end);
}

QString DesktopVersionText() {
  return QString("vantrels ") + kVersion;
}

}  // namespace vantrels
