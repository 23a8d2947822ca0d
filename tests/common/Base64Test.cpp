#include "common/Base64.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(Base64Decode, DecodesStandardVectors) {
  const std::pair<const char*, const char*> vectors[] = {
      {"", ""},
      {"Zg==", "f"},
      {"Zm8=", "fo"},
      {"Zm9v", "foo"},
      {"Zm9vYg==", "foob"},
      {"Zm9vYmE=", "fooba"},
      {"Zm9vYmFy", "foobar"},
  };
  for (const auto& [encoded, decoded] : vectors) EXPECT_EQ(Base64Decode(encoded), decoded);
  // The last two alphabet characters and the high bits of each byte.
  EXPECT_EQ(Base64Decode("+/8A/w=="), std::string("\xFB\xFF\x00\xFF", 4));
}

TEST(Base64Decode, SkipsLineBreaksAndOtherCharacters) {
  EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy\r\n"), "foobar");
  EXPECT_EQ(Base64Decode("Z\nm 9\tv*Y-m_F.y"), "foobar");
}

TEST(Base64Decode, DecodesAFinalGroupWithoutFill) {
  EXPECT_EQ(Base64Decode("Zg"), "f");
  EXPECT_EQ(Base64Decode("Zm9vYmE"), "fooba");
}

TEST(Base64Decode, RejectsTextThatCannotBeBase64) {
  EXPECT_FALSE(Base64Decode("Z"));
  EXPECT_FALSE(Base64Decode("Zm9vY"));
  EXPECT_FALSE(Base64Decode("Zg==Zg=="));
  EXPECT_FALSE(Base64Decode("[System]\r\nAPPLICATION_NAME=Test\r\n"));
}

}  // namespace
}  // namespace orvane
