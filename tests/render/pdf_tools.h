#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vantrels::testing {

// Runs a poppler tool; nullopt when the tool is not installed or fails.
inline std::optional<QString> RunTool(const QString& program, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(program).isEmpty()) return std::nullopt;
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    return std::nullopt;
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

inline bool HaveTool(const QString& program) {
  return !QStandardPaths::findExecutable(program).isEmpty();
}

// The page count pdfinfo reports; -1 when it cannot be read.
inline int PdfPageCount(const QString& file) {
  const std::optional<QString> info = RunTool("pdfinfo", {file});
  if (!info) return -1;
  const QRegularExpressionMatch match =
      QRegularExpression(R"(^Pages:\s+(\d+)\s*$)", QRegularExpression::MultilineOption)
          .match(*info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

struct PdfWord {
  int page = 0;
  double x_min = 0, y_min = 0, x_max = 0, y_max = 0;
  QString text;
};

// The words of `file` with their boxes in points from the page's top-left corner.
inline std::vector<PdfWord> PdfWords(const QString& file) {
  std::vector<PdfWord> words;
  const std::optional<QString> html = RunTool("pdftotext", {"-bbox", file, "-"});
  if (!html) return words;
  const QString number = R"re("([\d.]+)")re";
  const QRegularExpression token("<page |<word xMin=" + number + " yMin=" + number +
                                 " xMax=" + number + " yMax=" + number + ">([^<]*)</word>");
  int page = 0;
  for (auto it = token.globalMatch(*html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (m.captured(0) == "<page ") {
      ++page;
      continue;
    }
    words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(),
                     m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5)});
  }
  return words;
}

}  // namespace vantrels::testing
