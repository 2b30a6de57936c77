#include "render/restricted_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>
#include <QtEndian>
#include <map>
#include <vector>

#include "render/qt_text.h"

namespace vantrels::testing {

namespace {

void Put16(QByteArray& out, quint16 value) {
  out.append(static_cast<char>(value >> 8));
  out.append(static_cast<char>(value & 0xFF));
}

void Put32(QByteArray& out, quint32 value) {
  Put16(out, static_cast<quint16>(value >> 16));
  Put16(out, static_cast<quint16>(value & 0xFFFF));
}

// Binary-search fields of a table header: the largest power of two not above `count`.
struct SearchFields {
  quint16 range, selector, shift;
};

SearchFields SearchFor(quint16 count, quint16 unit) {
  quint16 power = 1;
  quint16 selector = 0;
  while (power * 2 <= count) {
    power *= 2;
    ++selector;
  }
  return {static_cast<quint16>(power * unit), selector,
          static_cast<quint16>(count * unit - power * unit)};
}

// A format 4 character map with one segment per character.
QByteArray CharacterMap(const std::map<char16_t, quint32>& glyphs) {
  std::vector<std::pair<quint16, quint16>> segments;  // character, glyph
  for (const auto& [c, glyph] : glyphs) segments.emplace_back(c, static_cast<quint16>(glyph));
  segments.emplace_back(0xFFFF, 0);
  const auto count = static_cast<quint16>(segments.size());
  QByteArray sub;
  Put16(sub, 4);
  Put16(sub, static_cast<quint16>(16 + 8 * count));
  Put16(sub, 0);
  Put16(sub, static_cast<quint16>(count * 2));
  const SearchFields search = SearchFor(count, 2);
  Put16(sub, search.range);
  Put16(sub, search.selector);
  Put16(sub, search.shift);
  for (const auto& s : segments) Put16(sub, s.first);
  Put16(sub, 0);
  for (const auto& s : segments) Put16(sub, s.first);
  for (const auto& s : segments) {
    Put16(sub, s.first == 0xFFFF ? 1 : static_cast<quint16>(s.second - s.first));
  }
  for (size_t k = 0; k < segments.size(); ++k) Put16(sub, 0);
  QByteArray table;
  Put16(table, 0);
  Put16(table, 1);
  Put16(table, 3);  // Windows, Unicode BMP
  Put16(table, 1);
  Put32(table, 12);
  return table + sub;
}

QByteArray NameTable(const QString& family) {
  const std::vector<std::pair<quint16, QString>> names = {{1, family},
                                                          {2, "Regular"},
                                                          {3, family + " Regular"},
                                                          {4, family},
                                                          {6, QString(family).remove(' ')}};
  QByteArray strings;
  QByteArray table;
  Put16(table, 0);
  Put16(table, static_cast<quint16>(names.size()));
  Put16(table, static_cast<quint16>(6 + 12 * names.size()));
  for (const auto& [id, text] : names) {
    QByteArray utf16;
    for (QChar c : text) Put16(utf16, c.unicode());
    Put16(table, 3);
    Put16(table, 1);
    Put16(table, 0x409);
    Put16(table, id);
    Put16(table, static_cast<quint16>(utf16.size()));
    Put16(table, static_cast<quint16>(strings.size()));
    strings += utf16;
  }
  return table + strings;
}

quint32 CheckSum(const QByteArray& padded) {
  quint32 sum = 0;
  for (qsizetype k = 0; k + 3 < padded.size(); k += 4) {
    sum += qFromBigEndian<quint32>(padded.constData() + k);
  }
  return sum;
}

QByteArray Sfnt(const std::map<QByteArray, QByteArray>& tables) {
  const auto count = static_cast<quint16>(tables.size());
  QByteArray out;
  Put32(out, 0x00010000);
  Put16(out, count);
  const SearchFields search = SearchFor(count, 16);
  Put16(out, search.range);
  Put16(out, search.selector);
  Put16(out, search.shift);
  QByteArray body;
  const qsizetype first_offset = 12 + 16 * count;
  for (const auto& [tag, data] : tables) {
    QByteArray padded = data;
    while (padded.size() % 4 != 0) padded.append('\0');
    out.append(tag);
    Put32(out, CheckSum(padded));
    Put32(out, static_cast<quint32>(first_offset + body.size()));
    Put32(out, static_cast<quint32>(data.size()));
    body += padded;
  }
  return out + body;
}

}  // namespace

std::optional<QString> RegisterRestrictedMono(const QString& missing) {
  static const QString family = "Restricted Mono";
  if (QFontDatabase::families().contains(family)) return family;
  QFont liberation("Liberation Mono");
  liberation.setStyleStrategy(QFont::NoFontMerging);
  const QRawFont source = QRawFont::fromFont(liberation);
  if (!source.isValid() || source.familyName() != "Liberation Mono") return std::nullopt;

  std::map<char16_t, quint32> glyphs;
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    const QChar c = FromReportBytes(std::string(1, static_cast<char>(byte))).at(0);
    if (missing.contains(c)) continue;
    quint32 glyph = 0;
    int count = 1;
    if (source.glyphIndexesForChars(&c, 1, &glyph, &count) && glyph != 0) {
      glyphs[c.unicode()] = glyph;
    }
  }
  std::map<QByteArray, QByteArray> tables;
  for (const char* tag : {"head", "hhea", "hmtx", "maxp", "loca", "glyf", "post", "OS/2", "cvt ",
                          "fpgm", "prep", "gasp"}) {
    const QByteArray data = source.fontTable(tag);
    if (!data.isEmpty()) tables[tag] = data;
  }
  tables["cmap"] = CharacterMap(glyphs);
  tables["name"] = NameTable(family);
  if (QFontDatabase::addApplicationFontFromData(Sfnt(tables)) < 0) return std::nullopt;
  if (!QFontDatabase::families().contains(family)) return std::nullopt;
  return family;
}

}  // namespace vantrels::testing
