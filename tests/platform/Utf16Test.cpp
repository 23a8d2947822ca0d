#include "platform/Utf16.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvane::platform {
namespace {

TEST(Utf16, RoundTripsEveryPlane) {
  const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\xB6";  // é, €, an emoji
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, u"Caf\u00E9 \u20AC \U0001F4F6");
  EXPECT_EQ(Utf16ToUtf8(wide), text);
  EXPECT_EQ(Utf8ToUtf16(""), u"");
}

TEST(Utf16, MalformedTextBecomesReplacementCharacters) {
  const std::pair<std::string, std::u16string> malformed[] = {
      {"a\xFF"
       "b",
       u"a\uFFFDb"},
      {"a\xC3", u"a\uFFFD"},                              // cut short
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/"
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xE2\x82x", u"\uFFFDx"},                          // one character for the cut sequence
  };
  for (const auto& [in, out] : malformed) EXPECT_EQ(Utf8ToUtf16(in), out);

  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'x', char16_t(0xD800), u'y'}), "x\xEF\xBF\xBDy");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDC00)}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xD83D)}), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace orvane::platform
