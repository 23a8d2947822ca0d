#include <gtest/gtest.h>

#include "wireless/WifiJoinCode.h"

namespace orvane::testing {
namespace {

TEST(WifiJoinCode, EscapesEveryReservedCharacterInNameAndKey) {
  constexpr auto kWpa2 = NetworkSecurity::Wpa2;
  EXPECT_EQ(WifiJoinText("Orvane", "73915", NetworkSecurity::Wep), "WIFI:T:WEP;S:Orvane;P:73915;;");
  EXPECT_EQ(WifiJoinText("Orvane", "k7Pq2mZx9aBc", kWpa2), "WIFI:T:WPA;S:Orvane;P:k7Pq2mZx9aBc;;");
  EXPECT_EQ(WifiJoinText(R"(a;b,c:d\e"f)", R"(;,:\")", kWpa2),
            R"(WIFI:T:WPA;S:a\;b\,c\:d\\e\"f;P:\;\,\:\\\";;)");
  EXPECT_EQ(WifiJoinText("Caf\xC3\xA9 net", "k e y 1234", kWpa2),
            "WIFI:T:WPA;S:Caf\xC3\xA9 net;P:k e y 1234;;")
      << "other characters, blanks included, pass as they are";
}

}  // namespace
}  // namespace orvane::testing
