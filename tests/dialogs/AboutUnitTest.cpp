#include "dialogs/AboutUnit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvane {
namespace {

TEST(AboutBox, VersionLineIsEmptyWithoutVersionData) {
  EXPECT_EQ(AboutVersionLine(""), "");
  EXPECT_EQ(AboutVersionLine("1.0.3.12"), "Version 1.0.3.12");
}

TEST(FeedbackMail, LinkIsPercentEncoded) {
  EXPECT_EQ(FeedbackMailLink("support@orvane.org", "Orvane"),
            "mailto:support@orvane.org?subject=Orvane%20Comments"
            "&body=Hello%20Support%20Team%2C%0D%0AProduct%20Name%3A%20Orvane%0D%0A"
            "My%20Windows%20Version%3A%20%0D%0AMy%20Laptop%2FDesktop%20Model%3A%20%0D%0A"
            "Input%20your%20comments%20here...");
}

TEST(FeedbackMail, NamesWithDelimitersCannotBreakTheLink) {
  const std::string link = FeedbackMailLink("a&b?c@example.org", "Fish & Chips?=#");
  EXPECT_EQ(link.substr(0, link.find("&body=")),
            "mailto:a%26b%3Fc@example.org?subject=Fish%20%26%20Chips%3F%3D%23%20Comments");
  // Exactly one "?" and one "&" remain: the ones that separate the parts.
  EXPECT_EQ(std::count(link.begin(), link.end(), '?'), 1);
  EXPECT_EQ(std::count(link.begin(), link.end(), '&'), 1);
  EXPECT_EQ(PercentEncode("\xC3\xA4 x"), "%C3%A4%20x");
}

}  // namespace
}  // namespace orvane
