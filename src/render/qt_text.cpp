#include "render/qt_text.h"

#include "model/cp1252.h"

namespace vantrels {

QString FromReportBytes(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (unsigned char b : bytes) out.append(QChar(static_cast<char16_t>(Cp1252ToCodePoint(b))));
  return out;
}

std::string ToReportBytes(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) {
    out.push_back(static_cast<char>(CodePointToCp1252(c.unicode()).value_or('?')));
  }
  return out;
}

}  // namespace vantrels
