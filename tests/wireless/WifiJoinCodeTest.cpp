#include <gtest/gtest.h>

#include "wireless/WifiJoinCode.h"

namespace orvane::testing {
namespace {

TEST(WifiJoinCode, EscapesEveryReservedCharacterInNameAndKey) {
  EXPECT_EQ(WifiJoinText("Orvane", "73915"), "WIFI:T:WEP;S:Orvane;P:73915;;");
  EXPECT_EQ(WifiJoinText(R"(a;b,c:d\e"f)", R"(;,:\")"),
            R"(WIFI:T:WEP;S:a\;b\,c\:d\\e\"f;P:\;\,\:\\\";;)");
  EXPECT_EQ(WifiJoinText("Caf\xC3\xA9 net", "k e y"), "WIFI:T:WEP;S:Caf\xC3\xA9 net;P:k e y;;")
      << "other characters, blanks included, pass as they are";
}

}  // namespace
}  // namespace orvane::testing
