#include "model/user_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace vantrels {
namespace {

TEST(EscapedText, EscapesWhatWouldBreakTheMessageLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain text", "plain text"},
      {"M\xC3\xBCller \xE2\x84\x96", "M\xC3\xBCller \xE2\x84\x96"},
      {"a\nb\rc\td", "a\\nb\\rc\\td"},
      {std::string("\0\x1B\x7F", 3), "\\x00\\x1b\\x7f"},
      {"q\"b\\", "q\\\"b\\\\"},
      {"\xC2\x85\xE2\x80\xA9", "\\u0085\\u2029"},
      {"\xFF\xC3", "\\xff\\xc3"},
      {"\xE2\x82", "\\xe2\\x82"},
      {"\xF4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},
  };
  for (const auto& [bytes, shown] : cases) EXPECT_EQ(EscapedText(bytes), shown) << shown;
}

TEST(UserText, ConvertsUtf8ToWindows1252) {
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
