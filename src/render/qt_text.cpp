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
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    char found = '?';
    for (int b = 0x80; b < 0xA0; ++b) {
      if (Cp1252ToCodePoint(static_cast<unsigned char>(b)) == u) {
        found = static_cast<char>(b);
        break;
      }
    }
    out.push_back(found);
  }
  return out;
}

}  // namespace vantrels
