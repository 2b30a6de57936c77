#include "render/report_fonts.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <set>

#include "pdf_tools.h"

namespace vantrels {
namespace {

using Names = std::vector<std::string>;

TEST(ReportFaces, OnlyTheThreeNamesExactly) {
  EXPECT_TRUE(IsReportFace("Courier New"));
  EXPECT_TRUE(IsReportFace("Lucida Console"));
  EXPECT_TRUE(IsReportFace("MS LineDraw"));
  EXPECT_FALSE(IsReportFace("courier new"));
  EXPECT_FALSE(IsReportFace("Courier New "));
  EXPECT_FALSE(IsReportFace("Liberation Mono"));
}

TEST(MergeScreenFontNames, AvailableFacesJoinUnderTheirOwnNames) {
  struct Case {
    const char* what;
    QStringList families;
    std::set<QString> available;
    Names expected;
  };
  const Case cases[] = {
      {"substituted face in alphabetical place",
       {"DejaVu Sans", "Liberation Mono", "Zapf"},
       {"Courier New"},
       {"Courier New", "DejaVu Sans", "Liberation Mono", "Zapf"}},
      {"all three faces",
       {"Arial", "Tahoma"},
       {"Courier New", "Lucida Console", "MS LineDraw"},
       {"Arial", "Courier New", "Lucida Console", "MS LineDraw", "Tahoma"}},
      {"a face the platform lists is not repeated",
       {"Arial", "Courier New", "Zapf"},
       {"Courier New", "Lucida Console"},
       {"Arial", "Courier New", "Lucida Console", "Zapf"}},
      {"none available", {"B", "A"}, {}, {"B", "A"}},
      {"empty platform list", {}, {"MS LineDraw"}, {"MS LineDraw"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(MergeScreenFontNames(
                  c.families, [&](const QString& face) { return c.available.count(face) > 0; }),
              c.expected);
  }
}

// fontconfig is the oracle: a face is available when it is installed under that name or
// fontconfig's best match for it is monospaced (spacing 100).
TEST(ResolveFontFamily, AgreesWithFontconfig) {
  if (!testing::HaveTool("fc-match") || !testing::HaveTool("fc-list")) {
    GTEST_SKIP() << "fc-match / fc-list (fontconfig) are not installed";
  }
  for (const char* face : {"Courier New", "Lucida Console", "MS LineDraw", "Liberation Mono",
                           "DejaVu Sans", "No Such Face 4711"}) {
    SCOPED_TRACE(face);
    const QString listed = testing::RunTool("fc-list", {QString(face), "family"}).value_or("");
    const QString spacing =
        testing::RunTool("fc-match", {"-f", "%{spacing}", QString(face)}).value_or("");
    const bool expected = !listed.trimmed().isEmpty() || spacing == "100";
    const std::optional<QString> family = ResolveFontFamily(face);
    EXPECT_EQ(family.has_value(), expected);
    if (family && listed.trimmed().isEmpty()) {
      EXPECT_TRUE(QFontDatabase::isFixedPitch(*family)) << family->toStdString();
    }
  }
}

TEST(ResolveFontFamily, CourierNewIsDrawnByLiberationMono) {
  if (!QFontDatabase::families().contains(kLastFallbackFamily)) {
    GTEST_SKIP() << "Liberation Mono is not installed (fonts-liberation)";
  }
  if (QFontDatabase::families().contains("Courier New")) {
    GTEST_SKIP() << "a real Courier New is installed";
  }
  EXPECT_EQ(ResolveFontFamily("Courier New"), QString(kLastFallbackFamily));
  EXPECT_EQ(ResolveFontFamily("  courier new "), QString(kLastFallbackFamily));
  EXPECT_FALSE(ResolveFontFamily("").has_value());
}

TEST(MakeReportFont, NamesLiberationMonoLast) {
  EXPECT_EQ(MakeReportFont("DejaVu Sans Mono", 7.5, true).families(),
            (QStringList{"DejaVu Sans Mono", kLastFallbackFamily}));
  EXPECT_EQ(MakeReportFont(kLastFallbackFamily, 10, false).families(),
            QStringList{kLastFallbackFamily});
  const QFont font = MakeReportFont("X", 7.5, true);
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 7.5);
  EXPECT_TRUE(font.bold());
}

TEST(ScreenFontNames, ListsEveryAvailableReportFaceOnceAndOnlyThen) {
  const Names names = ScreenFontNames();
  for (const char* face : kReportFaces) {
    SCOPED_TRACE(face);
    EXPECT_EQ(std::count(names.begin(), names.end(), face), IsFontAvailable(face) ? 1 : 0);
  }
  EXPECT_GE(names.size(), static_cast<size_t>(QFontDatabase::families().size()));
}

}  // namespace
}  // namespace vantrels
