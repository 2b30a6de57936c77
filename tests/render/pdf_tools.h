#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <vector>

namespace vantrels::testing {

// The standard output of a tool as bytes; nullopt when the tool is not installed or fails.
inline std::optional<QByteArray> RunToolBytes(const QString& program,
                                              const QStringList& arguments) {
  if (QStandardPaths::findExecutable(program).isEmpty()) return std::nullopt;
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    return std::nullopt;
  }
  return process.readAllStandardOutput();
}

// Runs a poppler tool and reads its output as UTF-8; nullopt when the tool is not installed or
// fails.
inline std::optional<QString> RunTool(const QString& program, const QStringList& arguments) {
  const std::optional<QByteArray> bytes = RunToolBytes(program, arguments);
  if (!bytes) return std::nullopt;
  return QString::fromUtf8(*bytes);
}

// Page `page` (from 1) of `file` rasterised in grey by pdftoppm at `dpi`; a null image when it
// cannot be read.
inline QImage PdfPageImage(const QString& file, int page, int dpi = 150) {
  const QString number = QString::number(page);
  const std::optional<QByteArray> pgm = RunToolBytes(
      "pdftoppm", {"-r", QString::number(dpi), "-gray", "-f", number, "-l", number, file});
  return pgm ? QImage::fromData(*pgm, "PGM") : QImage();
}

// How two pictures of the same size differ: pixels that differ, the largest difference of a
// grey level and the box around the differing pixels.
struct PictureDifference {
  int pixels = 0;
  int largest = 0;
  QRect where;
};

inline std::ostream& operator<<(std::ostream& out, const PictureDifference& d) {
  return out << d.pixels << " pixels differ, by up to " << d.largest << " grey levels, within ("
             << d.where.x() << "," << d.where.y() << " " << d.where.width() << "x"
             << d.where.height() << ")";
}

inline PictureDifference ComparePictures(const QImage& a, const QImage& b) {
  PictureDifference difference;
  const QImage left = a.convertToFormat(QImage::Format_Grayscale8);
  const QImage right = b.convertToFormat(QImage::Format_Grayscale8);
  for (int y = 0; y < left.height(); ++y) {
    const uchar* l = left.constScanLine(y);
    const uchar* r = right.constScanLine(y);
    for (int x = 0; x < left.width(); ++x) {
      const int d = std::abs(int(l[x]) - int(r[x]));
      if (d == 0) continue;
      ++difference.pixels;
      difference.where |= QRect(x, y, 1, 1);
      difference.largest = std::max(difference.largest, d);
    }
  }
  return difference;
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
