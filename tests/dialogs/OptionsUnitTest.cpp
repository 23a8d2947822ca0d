#include "dialogs/OptionsUnit.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(OptionsInput, NetworkNameIsTestedFirstAndMustNotBeBlank) {
  EXPECT_EQ(OptionsInputError("", "12345"), kNoNetworkName);
  EXPECT_EQ(OptionsInputError(" \t ", "12345"), kNoNetworkName);
  // Both fields wrong: only the name is reported.
  EXPECT_EQ(OptionsInputError("  ", "1"), kNoNetworkName);
}

TEST(OptionsInput, OnlyTheTrimmedKeyLengthCounts) {
  for (const char* refused : {"1234", "123456", "123456789012", "12345678901234", " 1234 "}) {
    EXPECT_EQ(OptionsInputError("Cafe", refused), kBadKeyLength) << refused;
  }
  for (const char* accepted :
       {"12345", "a b!?", "  12345\t", "1234567890123", " &?=%;,.<>'\"ab "}) {
    EXPECT_EQ(OptionsInputError("Cafe", accepted), std::nullopt) << accepted;
  }
}

TEST(OptionsInput, StoredValuesAreTrimmedInsideKept) {
  OptionsValues typed{true, false, true, "  My net  ", "\tab cd  "};
  const OptionsValues stored = StoredOptions(typed);
  EXPECT_EQ(stored.SSID, "My net");
  EXPECT_EQ(stored.Password, "ab cd");
  EXPECT_TRUE(stored.AutoRun);
  EXPECT_TRUE(stored.CheckForUpdates);
  EXPECT_EQ(TrimBlanks(" \t "), "");
}

}  // namespace
}  // namespace orvane
