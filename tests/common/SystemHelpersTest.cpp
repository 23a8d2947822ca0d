#include "common/SystemHelpers.h"

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "platform/sim/SimAutoRun.h"
#include "platform/sim/SimSystem.h"

namespace orvane {
namespace {

TEST(IsWindowsXP, TrueOnlyForVersion5Point1) {
  sim::SimCallLog log;
  sim::SimSystem system(log);
  const std::pair<uint32_t, uint32_t> others[] = {{5, 0}, {5, 2}, {4, 1}, {6, 1}, {10, 0}};
  for (const auto& [major, minor] : others) {
    system.SetOsVersion(major, minor);
    EXPECT_FALSE(IsWindowsXP(system)) << major << "." << minor;
  }
  system.SetOsVersion(5, 1, 2600);
  EXPECT_TRUE(IsWindowsXP(system));
}

TEST(IsWindowsXP, FalseWhenTheVersionQueryFails) {
  sim::SimCallLog log;
  sim::SimSystem system(log);
  system.SetOsVersion(5, 1);
  log.FailCall("GetOsVersion", 1);
  EXPECT_FALSE(IsWindowsXP(system));
}

struct Tracked {
  explicit Tracked(int& freed) : freed_(freed) {}
  ~Tracked() { ++freed_; }
  int& freed_;
};

TEST(ClearObjects, FreesAndDetachesObjectsButKeepsTheTexts) {
  int freed = 0;
  StringObjectList<Tracked> list;
  list.Add("a", std::make_unique<Tracked>(freed));
  list.Add("b");
  list.Add("c", std::make_unique<Tracked>(freed));

  ClearObjects(&list);
  EXPECT_EQ(freed, 2);
  ASSERT_EQ(list.Count(), 3u);
  for (std::size_t i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Objects(i), nullptr);
  EXPECT_EQ(list.Strings(2), "c");

  ClearObjects(&list);  // nothing left to free
  EXPECT_EQ(freed, 2);
  ClearObjects<Tracked>(nullptr);
}

TEST(GetFileVersionText, FormatsTheFourHalvesOfTheVersionWords) {
  sim::SimCallLog log;
  sim::SimSystem system(log);
  system.SetFileVersion("/opt/orvane/orvane", {0x00020001, 0x00000005});
  system.SetFileVersion("/big", {0xFFFF8000, 0x0001FFFF});
  EXPECT_EQ(GetFileVersionText(system, "/opt/orvane/orvane"), "2.1.0.5");
  EXPECT_EQ(GetFileVersionText(system, "/big"), "65535.32768.1.65535");
}

TEST(GetFileVersionText, EmptyWithoutReadableVersionData) {
  sim::SimCallLog log;
  sim::SimSystem system(log);
  system.SetFileVersionUnreadable("/unreadable");
  system.SetFileVersionWithoutFixedPart("/no-fixed-part");
  system.SetFileVersion("/query-fails", {0x00010000, 0});

  EXPECT_EQ(GetFileVersionText(system, "/missing"), "");
  EXPECT_EQ(log.Count("GetFileVersionInfo"), 0u) << "no read when the size is 0";
  EXPECT_EQ(GetFileVersionText(system, "/unreadable"), "");
  EXPECT_EQ(GetFileVersionText(system, "/no-fixed-part"), "");
  log.FailCall("QueryFixedFileVersion", 1);
  EXPECT_EQ(GetFileVersionText(system, "/query-fails"), "");
}

TEST(AutoRun, StoresThePathQuotedOnlyWhenItHasABlank) {
  sim::SimCallLog log;
  sim::SimAutoRun store(log);
  SetAutoRun(store, "C:\\Orvane\\Orvane.exe", "Orvane");
  EXPECT_EQ(store.Value("Orvane"), "C:\\Orvane\\Orvane.exe");

  SetAutoRun(store, "C:\\Program Files\\Orvane\\Orvane.exe", "Orvane");
  EXPECT_EQ(store.Value("Orvane"), "\"C:\\Program Files\\Orvane\\Orvane.exe\"");

  SetAutoRun(store, "\"C:\\Program Files\\Orvane.exe\"", "Orvane");
  EXPECT_EQ(store.Value("Orvane"), "\"C:\\Program Files\\Orvane.exe\"") << "not quoted twice";
  EXPECT_EQ(store.OpenKeyCount(), 0) << "every key is closed again";
}

TEST(AutoRun, DoesNothingWhenTheKeyCannotBeOpened) {
  sim::SimCallLog log;
  sim::SimAutoRun store(log);
  store.SetValue("Orvane", "old");
  store.SetOpenable(false);
  EXPECT_NO_THROW(SetAutoRun(store, "/usr/bin/orvane", "Orvane"));
  EXPECT_NO_THROW(RemoveAutoRun(store, "Orvane"));
  EXPECT_EQ(store.Value("Orvane"), "old");
  EXPECT_EQ(log.Count("WriteString") + log.Count("DeleteValue"), 0u);
}

TEST(AutoRun, FailedWriteRaisesRegistryErrorNamingTheValue) {
  sim::SimCallLog log;
  sim::SimAutoRun store(log);
  log.FailCall("WriteString", 5);
  try {
    SetAutoRun(store, "/usr/bin/orvane", "Orvane");
    FAIL() << "no error raised";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Orvane'");
    EXPECT_EQ(error.Code(), 5);
  }
  EXPECT_EQ(store.OpenKeyCount(), 0) << "the key is closed on the error path too";
}

TEST(AutoRun, RemoveDeletesTheValueAndAcceptsAMissingOne) {
  sim::SimCallLog log;
  sim::SimAutoRun store(log);
  store.SetValue("Orvane", "/usr/bin/orvane");
  store.SetValue("Other", "/usr/bin/other");
  RemoveAutoRun(store, "Orvane");
  EXPECT_FALSE(store.Value("Orvane"));
  EXPECT_EQ(store.Value("Other"), "/usr/bin/other");
  EXPECT_NO_THROW(RemoveAutoRun(store, "Orvane"));
}

}  // namespace
}  // namespace orvane
