#include "render/report_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>

#include "render/qt_text.h"

namespace vantrels {

namespace {

// QFontDatabase lists a family offered by several foundries as "Family [Foundry]".
QString FamilyWithoutFoundry(const QString& family) {
  const qsizetype bracket = family.indexOf(QLatin1String(" ["));
  return bracket < 0 ? family : family.left(bracket);
}

}  // namespace

bool IsReportFace(const std::string& name) {
  return std::any_of(kReportFaces.begin(), kReportFaces.end(),
                     [&](const char* face) { return name == face; });
}

std::optional<QString> ResolveFontFamily(const QString& face) {
  const QString wanted = face.trimmed();
  if (wanted.isEmpty()) return std::nullopt;
  for (const QString& family : QFontDatabase::families()) {
    if (FamilyWithoutFoundry(family).compare(wanted, Qt::CaseInsensitive) == 0) return family;
  }
  QFont font(wanted);
  const QFontInfo info(font);
  if (info.fixedPitch()) return info.family();
  return std::nullopt;
}

QFont MakeReportFont(const QString& family, double points, bool bold) {
  QFont font;
  QStringList families{family};
  if (family.compare(QLatin1String(kLastFallbackFamily), Qt::CaseInsensitive) != 0) {
    families.append(QLatin1String(kLastFallbackFamily));
  }
  font.setFamilies(families);
  font.setStyleHint(QFont::TypeWriter);
  if (points > 0) font.setPointSizeF(points);
  font.setBold(bold);
  font.setKerning(false);
  return font;
}

std::vector<std::string> MergeScreenFontNames(
    const QStringList& families, const std::function<bool(const QString&)>& available) {
  QStringList names = families;
  for (const char* face : kReportFaces) {
    const QString name = QLatin1String(face);
    if (names.contains(name) || !available(name)) continue;
    const auto place = std::find_if(names.begin(), names.end(), [&](const QString& existing) {
      return existing.compare(name, Qt::CaseInsensitive) > 0;
    });
    names.insert(place, name);
  }
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(names.size()));
  for (const QString& name : names) out.push_back(ToReportBytes(name));
  return out;
}

std::vector<std::string> SystemFontCatalog::ScreenFontNames() const {
  return MergeScreenFontNames(QFontDatabase::families(), IsFontAvailable);
}

std::vector<std::string> ScreenFontNames() {
  return SystemFontCatalog().ScreenFontNames();
}

}  // namespace vantrels
