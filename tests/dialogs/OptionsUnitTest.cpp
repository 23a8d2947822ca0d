#include "dialogs/OptionsUnit.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr auto kWep = NetworkSecurity::Wep;
constexpr auto kWpa2 = NetworkSecurity::Wpa2;

TEST(OptionsInput, NetworkNameIsTestedFirstAndMustNotBeBlank) {
  EXPECT_EQ(OptionsInputError("", "12345", kWep), kNoNetworkName);
  EXPECT_EQ(OptionsInputError(" \t ", "12345678", kWpa2), kNoNetworkName);
  // Both fields wrong: only the name is reported.
  EXPECT_EQ(OptionsInputError("  ", "1", kWep), kNoNetworkName);
  EXPECT_EQ(OptionsInputError("  ", "1", kWpa2), kNoNetworkName);
}

TEST(OptionsInput, TheNetworkNameFitsInThirtyTwoBytesOnceTrimmed) {
  const std::string ascii32(32, 'a');
  EXPECT_EQ(OptionsInputError("  " + ascii32 + " ", "12345678", kWpa2), std::nullopt);
  EXPECT_EQ(OptionsInputError(ascii32 + "b", "12345678", kWpa2), kNetworkNameTooLong);
  // Sixteen letters of two bytes fit, a seventeenth does not: bytes count, not letters.
  std::string umlauts;
  for (int i = 0; i < 16; ++i) umlauts += "\xC3\xBC";  // u with diaeresis
  EXPECT_EQ(OptionsInputError(umlauts, "12345678", kWpa2), std::nullopt);
  EXPECT_EQ(OptionsInputError(umlauts + "\xC3\xBC", "1", kWep), kNetworkNameTooLong)
      << "the name is tested before the key";
}

TEST(OptionsInput, TheKeyRuleFollowsTheSecurity) {
  struct Case {
    NetworkSecurity security;
    const char* key;
    const char* error;  // null: accepted
  };
  const Case cases[] = {
      // WEP: only the trimmed length counts, never the characters.
      {kWep, "1234", kBadKeyLength},
      {kWep, "123456", kBadKeyLength},
      {kWep, "123456789012", kBadKeyLength},
      {kWep, "12345678901234", kBadKeyLength},
      {kWep, " 1234 ", kBadKeyLength},
      {kWep, "12345", nullptr},
      {kWep, "  12345\t", nullptr},
      {kWep, "1234567890123", nullptr},
      {kWep, " &?=%;,.<>'\"ab ", nullptr},
      {kWep, "caf\xC3\xA9", nullptr},
      // WPA2: 8 to 63 printable ASCII characters once trimmed; length is reported first.
      {kWpa2, "1234567", kBadWpa2KeyLength},
      {kWpa2, "  1234567  ", kBadWpa2KeyLength},
      {kWpa2, "12345", kBadWpa2KeyLength},
      {kWpa2, "1234567890123456789012345678901234567890123456789012345678901234",
       kBadWpa2KeyLength},
      {kWpa2, "12345678", nullptr},
      {kWpa2, "123456789012345678901234567890123456789012345678901234567890123", nullptr},
      {kWpa2, "1234567890123", nullptr},
      {kWpa2, " a b~!{}\"' ", nullptr},
      {kWpa2, "caf\xC3\xA9 1234", kBadWpa2KeyCharacters},
      {kWpa2,
       "abc\x01"
       "defgh",
       kBadWpa2KeyCharacters},
      {kWpa2, "abcd\tefgh", kBadWpa2KeyCharacters},
  };
  for (const Case& c : cases) {
    const auto error = OptionsInputError("Cafe", c.key, c.security);
    if (c.error == nullptr) {
      EXPECT_EQ(error, std::nullopt) << c.key;
    } else {
      EXPECT_EQ(error, c.error) << c.key;
    }
  }
  EXPECT_STREQ(KeyRuleText(kWep), kBadKeyLength);
  EXPECT_STREQ(KeyRuleText(kWpa2), kWpa2KeyRule);
}

TEST(OptionsInput, StoredValuesAreTrimmedInsideKept) {
  OptionsValues typed{true, false, true, "  My net  ", "\tab cd  ", NetworkSecurity::Wep};
  const OptionsValues stored = StoredOptions(typed);
  EXPECT_EQ(stored.SSID, "My net");
  EXPECT_EQ(stored.Password, "ab cd");
  EXPECT_TRUE(stored.AutoRun);
  EXPECT_TRUE(stored.CheckForUpdates);
  EXPECT_EQ(stored.Security, NetworkSecurity::Wep);
  EXPECT_EQ(TrimBlanks(" \t "), "");
}

}  // namespace
}  // namespace orvane
