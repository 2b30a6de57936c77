#include "model/escaped_text.h"

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

}  // namespace
}  // namespace vantrels
