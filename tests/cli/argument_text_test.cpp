#include "cli/argument_text.h"

#include <gtest/gtest.h>

namespace vantrels {
namespace {

TEST(ArgumentText, ConvertsUtf8ToWindows1252) {
  const Cp1252Text text = Utf8ToCp1252("\xE2\x82\xAC \xC5\xA0 \xC3\xBF ~");
  EXPECT_EQ(text.problem, Cp1252Text::Problem::kNone);
  EXPECT_EQ(text.bytes, "\x80 \x8A \xFF ~");
  const Cp1252Text missing = Utf8ToCp1252("ok \xC4\x80");
  EXPECT_EQ(missing.problem, Cp1252Text::Problem::kMissing);
  EXPECT_EQ(missing.missing, U'\u0100');
  EXPECT_EQ(CodePointName(missing.missing), "U+0100");
  // The five bytes Windows-1252 leaves undefined stand for C1 controls, which a heading refuses.
  EXPECT_EQ(Utf8ToCp1252("\xC2\x81").problem, Cp1252Text::Problem::kControl);
}

}  // namespace
}  // namespace vantrels
