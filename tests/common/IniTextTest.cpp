#include "common/IniText.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(IniText, ReadsKeysOfTheFirstMatchingSectionIgnoringCase) {
  const IniText ini(
      "top=outside\r\n"
      "; comment=no\r"
      "[ system ]\n"
      "  Key =  spaced value  \r\n"
      "\r\n"
      ";Key2=commented\n"
      "Empty=\n"
      "novalue\n"
      "[Other]\n"
      "Key=other\n"
      "[SYSTEM]\n"
      "Key=second section\n"
      "Late=only here");

  EXPECT_EQ(ini.Read("System", "KEY"), "spaced value");
  EXPECT_EQ(ini.Read("system", "Empty"), "") << "present, even though empty";
  EXPECT_FALSE(ini.Read("System", "Key2")) << "comment lines hold no keys";
  EXPECT_FALSE(ini.Read("System", "novalue"));
  EXPECT_FALSE(ini.Read("System", "top")) << "keys before any section belong to none";
  EXPECT_FALSE(ini.Read("System", "Late")) << "only the first matching section is read";
  EXPECT_EQ(ini.Read("other", "key"), "other");
  EXPECT_FALSE(ini.Read("Missing", "Key"));
}

TEST(IniText, WritingReplacesInPlaceAndKeepsEverythingElse) {
  IniText ini(
      "; settings\r\n"
      "[A]\r\n"
      "x=1\r\n"
      "\r\n"
      "[System]\r\n"
      "first=1\r\n"
      "ssid=old\r\n"
      "last=2\r\n"
      "\r\n"
      "[B]\n"
      "y=2");
  ini.Write("System", "SSID", "new");
  ini.Write("System", "Added", "3");
  ini.Write("New", "z", "4");
  EXPECT_EQ(ini.ToText(),
            "; settings\r\n"
            "[A]\r\n"
            "x=1\r\n"
            "\r\n"
            "[System]\r\n"
            "first=1\r\n"
            "SSID=new\r\n"
            "last=2\r\n"
            "Added=3\r\n"
            "\r\n"
            "[B]\r\n"
            "y=2\r\n"
            "\r\n"
            "[New]\r\n"
            "z=4\r\n");
}

TEST(IniText, LineBreaksInAValueCannotStartNewLines) {
  IniText ini;
  ini.Write("System", "SSID", "a\r\n[Evil]\nb");
  EXPECT_EQ(ini.ToText(), "[System]\r\nSSID=a  [Evil] b\r\n");
  EXPECT_EQ(IniText(ini.ToText()).Read("System", "SSID"), "a  [Evil] b");
}

}  // namespace
}  // namespace orvane
