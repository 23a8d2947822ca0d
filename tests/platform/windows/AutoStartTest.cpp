// Autostart as a logon task: the definition, the migration from the Run key over recorded
// Task Scheduler calls, and one round trip through the system's own Task Scheduler.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Errors.h"
#include "common/SystemHelpers.h"
#include "platform/Utf16.h"
#include "platform/windows/RegistryStores.h"
#include "platform/windows/TaskAutoRunStore.h"

namespace orvane::platform::windows_backend {
namespace {

constexpr const char* kName = "OrvaneAutoStartTest";

bool Has(const std::u16string& text, const std::u16string& part) {
  return text.find(part) != std::u16string::npos;
}

TEST(LogonTask, StartsTheProgramAtAnyLogonWithTheHighestRights) {
  const std::u16string xml = LogonTaskXml(u"\"C:\\Program Files\\Orvane & Co\\orvane.exe\"");
  EXPECT_TRUE(Has(xml, u"<LogonTrigger><Enabled>true</Enabled></LogonTrigger>"));
  EXPECT_FALSE(Has(xml, u"<UserId>")) << "the trigger is any user's logon";
  EXPECT_TRUE(Has(xml, u"<GroupId>S-1-5-32-545</GroupId>"));
  EXPECT_TRUE(Has(xml, u"<RunLevel>HighestAvailable</RunLevel>"));
  EXPECT_TRUE(Has(xml, u"<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>"))
      << "the window is not ended after the default three days";
  EXPECT_TRUE(Has(xml, u"<Command>C:\\Program Files\\Orvane &amp; Co\\orvane.exe</Command>"))
      << "without the quotes, escaped";
  EXPECT_FALSE(Has(xml, u"<Arguments>"));
}

TEST(LogonTask, ACommandIsSplitIntoProgramAndArguments) {
  struct Case {
    std::u16string command, program, arguments;
  };
  const std::vector<Case> cases = {
      {u"C:\\Orvane\\orvane.exe", u"C:\\Orvane\\orvane.exe", u""},
      {u"C:\\Program Files\\orvane.exe", u"C:\\Program Files\\orvane.exe", u""},
      {u"\"C:\\Program Files\\orvane.exe\"", u"C:\\Program Files\\orvane.exe", u""},
      {u"\"C:\\A B\\orvane.exe\"  /min", u"C:\\A B\\orvane.exe", u"/min"},
      {u"\"C:\\unclosed quote", u"\"C:\\unclosed quote", u""},
      {u"", u"", u""},
  };
  for (const Case& c : cases) {
    const CommandParts parts = SplitCommand(c.command);
    EXPECT_EQ(parts.program, c.program) << Utf16ToUtf8(c.command);
    EXPECT_EQ(parts.arguments, c.arguments) << Utf16ToUtf8(c.command);
  }
}

// Records the Task Scheduler calls and answers what the test scripts.
struct RecordedTasks : ILogonTasks {
  int32_t Register(const std::u16string& name, const std::u16string& xml) override {
    calls.push_back("Register " + Utf16ToUtf8(name));
    lastXml = xml;
    return registerResult;
  }
  int32_t Delete(const std::u16string& name) override {
    calls.push_back("Delete " + Utf16ToUtf8(name));
    return deleteResult;
  }
  int32_t registerResult = 0;
  int32_t deleteResult = 0;
  std::vector<std::string> calls;
  std::u16string lastXml;
};

using Calls = std::vector<std::string>;

// The machine-wide Run key, with the entry an older version wrote; removed after each test.
class AutoStart : public ::testing::Test {
 protected:
  void SetUp() override { SetAutoRun(runKeys, "C:\\Old\\orvane.exe", kName); }
  void TearDown() override { RemoveAutoRun(runKeys, kName); }
  ValueState OldEntry() {
    RegistryKey run;
    if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_READ) != ERROR_SUCCESS)
      return ValueState::Missing;
    return run.ReadText(kName).state;
  }
  WinAutoRunStore runKeys;
  RecordedTasks tasks;
  TaskAutoRunStore store{tasks, runKeys};
};

TEST_F(AutoStart, TurningItOnMakesTheTaskAndRemovesTheOldRunEntry) {
  ASSERT_EQ(OldEntry(), ValueState::Present);
  SetAutoRun(store, "C:\\Program Files\\Orvane\\orvane.exe", kName);
  EXPECT_EQ(tasks.calls, Calls{"Register OrvaneAutoStartTest"});
  EXPECT_TRUE(Has(tasks.lastXml, u"<Command>C:\\Program Files\\Orvane\\orvane.exe</Command>"));
  EXPECT_EQ(OldEntry(), ValueState::Missing);
}

TEST_F(AutoStart, ARefusedTaskIsAnErrorAndTheOldEntryStays) {
  tasks.registerResult = static_cast<int32_t>(0x80070005u);  // E_ACCESSDENIED
  try {
    SetAutoRun(store, "C:\\Orvane\\orvane.exe", kName);
    ADD_FAILURE() << "a refusal must not pass silently";
  } catch (const RegistryError& error) {
    EXPECT_EQ(error.Code(), 5) << "the Win32 code the HRESULT carries";
  }
  EXPECT_EQ(OldEntry(), ValueState::Present) << "nothing starts the program otherwise";

  tasks.registerResult = static_cast<int32_t>(0x80041318u);  // a Task Scheduler code of its own
  EXPECT_EQ(store.OpenRunKey()->WriteString(kName, "C:\\Orvane\\orvane.exe"),
            static_cast<int32_t>(0x80041318u));
}

TEST_F(AutoStart, TurningItOffRemovesTheTaskAndTheOldEntry) {
  tasks.deleteResult = static_cast<int32_t>(0x80070002u);  // no such task: no error
  RemoveAutoRun(store, kName);
  EXPECT_EQ(tasks.calls, Calls{"Delete OrvaneAutoStartTest"});
  EXPECT_EQ(OldEntry(), ValueState::Missing);
  EXPECT_EQ(store.OpenRunKey()->DeleteValue(kName), kRegistryFileNotFound);
}

TEST(SystemTaskScheduler, ALogonTaskIsRegisteredAndDeleted) {
  ComLogonTasks tasks;
  const int32_t registered =
      tasks.Register(u"OrvaneAutoStartTest", LogonTaskXml(u"C:\\Orvane\\orvane.exe"));
  if (registered == static_cast<int32_t>(0x80004001u))  // E_NOTIMPL
    GTEST_SKIP() << "this system's Task Scheduler cannot register tasks";
  ASSERT_EQ(registered, 0) << std::hex << registered;
  EXPECT_EQ(tasks.Delete(u"OrvaneAutoStartTest"), 0);
  EXPECT_EQ(Win32CodeOf(tasks.Delete(u"OrvaneAutoStartTest")), 2) << "gone";
}

}  // namespace
}  // namespace orvane::platform::windows_backend
