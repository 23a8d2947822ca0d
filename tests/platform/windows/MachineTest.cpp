// The Windows backend's answers about this machine, from the real system calls.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "common/SystemHelpers.h"
#include "platform/windows/WinAdapterQuery.h"
#include "platform/windows/WinSystemInfo.h"

namespace orvane::platform::windows_backend {
namespace {

// The address of the adapter the test script gives the machine; the adapter tests need it.
std::string TestAdapterAddress() {
  const char* address = std::getenv("ORVANE_TEST_ADAPTER_ADDRESS");
  return address == nullptr ? std::string() : address;
}

TEST(WindowsAdapters, ListsTheTestAdapterWithItsAddressAndStatus) {
  const std::string address = TestAdapterAddress();
  if (address.empty()) GTEST_SKIP() << "no test adapter (run through scripts/wine-tests.sh)";
  WinAdapterQuery query;

  const AdapterQueryResult tooSmall = query.GetAdaptersInfo(16);
  ASSERT_EQ(tooSmall.code, kErrorBufferOverflow);
  EXPECT_GE(tooSmall.requiredSize, kAdapterRecordSize);
  EXPECT_TRUE(tooSmall.adapters.empty());

  const AdapterQueryResult result = query.GetAdaptersInfo(5120);
  ASSERT_EQ(result.code, kErrorSuccess);
  const auto adapter = std::find_if(result.adapters.begin(), result.adapters.end(), [&](auto& a) {
    return !a.ipAddresses.empty() && a.ipAddresses.front().address == address;
  });
  ASSERT_NE(adapter, result.adapters.end());
  EXPECT_EQ(adapter->ipAddresses.front().mask, "255.255.255.0");
  EXPECT_EQ(adapter->name.front(), '{') << adapter->name;
  EXPECT_EQ(adapter->name.size(), 38u) << adapter->name;
  EXPECT_EQ(adapter->hardwareAddress.size(), 6u);

  const InterfaceTableResult sizeOnly = query.GetIfTable(0);
  ASSERT_EQ(sizeOnly.code, kErrorInsufficientBuffer);
  ASSERT_GT(sizeOnly.requiredSize, kInterfaceTableHeaderSize);
  const InterfaceTableResult table = query.GetIfTable(sizeOnly.requiredSize);
  ASSERT_EQ(table.code, kErrorSuccess);
  const auto row = std::find_if(table.rows.begin(), table.rows.end(),
                                [&](const InterfaceRow& r) { return r.index == adapter->index; });
  ASSERT_NE(row, table.rows.end()) << "the adapter's index is in the interface table";
  EXPECT_NE(row->operStatus, 0u);
}

TEST(WindowsSystem, ReadsTheVersionResourceOfThisProgram) {
  WinSystemInfo system;
  const std::string self = system.ExecutablePath();
  ASSERT_NE(self.find("windows_tests.exe"), std::string::npos) << self;
  EXPECT_EQ(GetFileVersionText(system, self), ORVANE_TEST_FILE_VERSION);
  EXPECT_EQ(system.SettingsFolder(), self.substr(0, self.find_last_of('\\') + 1));
  // A system file without version data, and no file at all, give no text.
  EXPECT_EQ(GetFileVersionText(system, self + ".missing"), "");
}

TEST(WindowsSystem, AnswersVersionMessagesAndCodePageText) {
  WinSystemInfo system;
  OsVersion version;
  ASSERT_TRUE(system.GetOsVersion(version));
  EXPECT_GE(version.major, 5u);

  const std::string message = system.SystemErrorMessage(1060);
  EXPECT_FALSE(message.empty());
  EXPECT_NE(message.back(), '\n') << "the line break is the error box's";
  EXPECT_EQ(system.SystemErrorMessage(0xDEADBEEF), "") << "an unknown code has no text";

  EXPECT_EQ(system.FromUtf16(u"Cafe net"), "Cafe net");
  EXPECT_EQ(system.ToUtf16("Cafe net"), u"Cafe net");
  EXPECT_EQ(system.FromUtf16(u""), "");
  // Names outside any one code page come through whole, not as "?".
  const std::u16string name = u"\u5BB6\u7684 \u0421\u0435\u0442\u044C \U0001F4F6";
  EXPECT_EQ(system.ToUtf16(system.FromUtf16(name)), name);
  EXPECT_EQ(system.FromUtf16(u"Caf\u00e9"), "Caf\xC3\xA9") << "the windows read UTF-8";
}

}  // namespace
}  // namespace orvane::platform::windows_backend
