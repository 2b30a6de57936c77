#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantrels {

// The faces the font window offers for report text.
inline constexpr std::array<const char*, 3> kReportFaces = {"Courier New", "Lucida Console",
                                                            "MS LineDraw"};

// Named last on every report font: fontconfig's own fallback for a missing face is proportional.
inline constexpr char kLastFallbackFamily[] = "Liberation Mono";

// True for the three report faces, compared exactly.
bool IsReportFace(const std::string& name);

// The installed family that draws `face`: the face itself when the font service lists it, or the
// family the font service substitutes for it when that one is fixed-pitch (fontconfig maps
// "Courier New" to Liberation Mono). nullopt when the face cannot be selected.
std::optional<QString> ResolveFontFamily(const QString& face);
inline bool IsFontAvailable(const QString& face) {
  return ResolveFontFamily(face).has_value();
}

// A report font for any paint device: `family` first, Liberation Mono last.
QFont MakeReportFont(const QString& family, double points, bool bold);

// The screen font list as the font window walks it: `families` (the platform's order) with each
// available report face added under its own name, in case-insensitive alphabetical place, unless
// the list already holds it.
std::vector<std::string> MergeScreenFontNames(const QStringList& families,
                                              const std::function<bool(const QString&)>& available);

// Where the font window gets the screen font names; tests hand it a fixed list.
class FontCatalog {
 public:
  virtual ~FontCatalog() = default;
  virtual std::vector<std::string> ScreenFontNames() const = 0;
};

// The platform's font service (QFontDatabase and fontconfig's substitutes).
class SystemFontCatalog : public FontCatalog {
 public:
  std::vector<std::string> ScreenFontNames() const override;
};

class FixedFontCatalog : public FontCatalog {
 public:
  explicit FixedFontCatalog(std::vector<std::string> names) : names_(std::move(names)) {}
  std::vector<std::string> ScreenFontNames() const override { return names_; }

 private:
  std::vector<std::string> names_;
};

// SystemFontCatalog().ScreenFontNames().
std::vector<std::string> ScreenFontNames();

}  // namespace vantrels
