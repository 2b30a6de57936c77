#include "gui/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <algorithm>

#include "model/version.h"

namespace vantrels {

namespace {

// Qt's own options, which the application object takes out of the arguments: a word after one
// dash or two, its value in the next argument or after '='. Known here so that a command line
// is judged before the display is opened (without one the application object cannot be made).
struct QtOption {
  const char* name;
  bool takes_value;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"geometry", true},
    {"qwindowtitle", true},
    {"title", true},
    {"qwindowicon", true},
    {"icon", true},
    {"session", true},
    {"display", true},
    {"name", true},
    {"visual", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"testability", false},
    {"sync", false},
};

// How many arguments from `argument` on are one of Qt's options: 0, 1, or 2 with its value.
int QtOptionLength(const QString& argument, bool value_follows) {
  QString word = argument;
  if (word.startsWith("--")) word.remove(0, 1);
  if (!word.startsWith('-')) return 0;
  word.remove(0, 1);
  const qsizetype equals = word.indexOf('=');
  for (const QtOption& option : kQtOptions) {
    if (equals >= 0) {
      if (option.takes_value && word.left(equals) == QLatin1String(option.name)) return 1;
    } else if (word == QLatin1String(option.name)) {
      return option.takes_value && value_follows ? 2 : 1;
    }
  }
  return 0;
}

// The arguments without Qt's options; after "--" every argument is a file name.
QStringList WithoutQtOptions(const QStringList& arguments) {
  QStringList kept;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const int length = i == 0 ? 0 : QtOptionLength(arguments[i], i + 1 < arguments.size());
    if (arguments[i] == "--") {
      kept += arguments.mid(i);
      break;
    }
    if (length == 0) kept << arguments[i];
    i += std::max(length - 1, 0);
  }
  return kept;
}

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
  const bool parsed = parser.parse(WithoutQtOptions(arguments));
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

QString DesktopUsageErrorText(const QString& error) {
  return "vantrels: " + error + "\nTry 'vantrels --help' for more information.\n";
}

QString DesktopVersionText() {
  return QString("vantrels ") + kVersion;
}

}  // namespace vantrels
