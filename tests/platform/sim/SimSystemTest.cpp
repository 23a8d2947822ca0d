#include "platform/sim/SimSystem.h"

#include <gtest/gtest.h>

namespace orvane::sim {
namespace {

TEST(SimSystem, OsVersionIsSettableAndItsQueryCanFail) {
  SimCallLog log;
  SimSystem system(log);
  system.SetOsVersion(5, 1, 2600);
  platform::OsVersion version;
  ASSERT_TRUE(system.GetOsVersion(version));
  EXPECT_EQ(version.major, 5u);
  EXPECT_EQ(version.minor, 1u);
  EXPECT_EQ(version.build, 2600u);

  log.FailCall("GetOsVersion", 1, 1);
  EXPECT_FALSE(system.GetOsVersion(version));
  EXPECT_EQ(log.Count("GetOsVersion"), 2u);
}

TEST(SimSystem, VersionDataByPath) {
  SimCallLog log;
  SimSystem system(log);
  system.SetFileVersion("/a", {0x00020001, 0x00000005});
  system.SetFileVersionUnreadable("/b");
  system.SetFileVersionWithoutFixedPart("/c");

  std::vector<uint8_t> data(system.GetFileVersionInfoSize("/a"));
  ASSERT_FALSE(data.empty());
  ASSERT_TRUE(system.GetFileVersionInfo("/a", data));
  platform::FixedFileVersion version;
  ASSERT_TRUE(system.QueryFixedFileVersion(data, version));
  EXPECT_EQ(version.fileVersionMs, 0x00020001u);
  EXPECT_EQ(version.fileVersionLs, 0x00000005u);

  EXPECT_EQ(system.GetFileVersionInfoSize("/missing"), 0u);
  EXPECT_NE(system.GetFileVersionInfoSize("/b"), 0u);
  EXPECT_FALSE(system.GetFileVersionInfo("/b", data));
  ASSERT_TRUE(system.GetFileVersionInfo("/c", data));
  EXPECT_FALSE(system.QueryFixedFileVersion(data, version));
  EXPECT_FALSE(system.QueryFixedFileVersion({}, version)) << "too short for the fixed part";

  system.RemoveFileVersion("/a");
  EXPECT_EQ(system.GetFileVersionInfoSize("/a"), 0u);
  log.FailCall("GetFileVersionInfoSize /c", 1);
  EXPECT_EQ(system.GetFileVersionInfoSize("/c"), 0u);
  EXPECT_EQ(log.CallsNamed("GetFileVersionInfo").front(), "GetFileVersionInfo /a");
}

TEST(SimSystem, ErrorMessagesWithADefault) {
  SimCallLog log;
  SimSystem system(log);
  EXPECT_EQ(system.SystemErrorMessage(5), "Access is denied.");
  EXPECT_EQ(system.SystemErrorMessage(4242), "Unknown error 4242.");
  system.SetErrorMessage(4242, "Scripted.");
  EXPECT_EQ(system.SystemErrorMessage(4242), "Scripted.");
  log.FailCall("SystemErrorMessage 5", 1);
  EXPECT_EQ(system.SystemErrorMessage(5), "");
}

TEST(SimSystem, ConvertsBetweenUtf8AndUtf16) {
  SimCallLog log;
  SimSystem system(log);
  const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9D\x84\x9E";  // é, €, U+1D11E
  const std::u16string utf16 = u"Caf\u00E9 \u20AC \U0001D11E";
  EXPECT_EQ(system.ToUtf16(utf8), utf16);
  EXPECT_EQ(system.FromUtf16(utf16), utf8);
  EXPECT_EQ(system.ToUtf16(""), u"");
}

TEST(SimSystem, PathsAreSettableAndEveryCallCanFail) {
  SimCallLog log;
  SimSystem system(log);
  system.SetExecutablePath("C:\\Orvane\\Orvane.exe");
  system.SetSettingsFolder("C:\\Orvane\\");
  EXPECT_EQ(system.ExecutablePath(), "C:\\Orvane\\Orvane.exe");
  EXPECT_EQ(system.SettingsFolder(), "C:\\Orvane\\");

  for (const char* call : {"ExecutablePath", "SettingsFolder", "ToUtf16", "FromUtf16"}) {
    log.FailCall(call, 1, 1);
  }
  EXPECT_EQ(system.ExecutablePath(), "");
  EXPECT_EQ(system.SettingsFolder(), "");
  EXPECT_EQ(system.ToUtf16("x"), u"");
  EXPECT_EQ(system.FromUtf16(u"x"), "");
}

}  // namespace
}  // namespace orvane::sim
