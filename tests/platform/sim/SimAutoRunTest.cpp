#include "platform/sim/SimAutoRun.h"

#include <gtest/gtest.h>

namespace orvane::sim {
namespace {

TEST(SimAutoRun, WritesAndDeletesValuesWhoseNamesIgnoreCase) {
  SimCallLog log;
  SimAutoRun store(log);
  {
    auto key = store.OpenRunKey();
    ASSERT_TRUE(key);
    EXPECT_EQ(store.OpenKeyCount(), 1);
    EXPECT_EQ(key->WriteString("Orvane", "/usr/bin/orvane"), 0);
    EXPECT_EQ(key->WriteString("ORVANE", "/opt/orvane"), 0);
    EXPECT_EQ(store.ValueCount(), 1u);
    EXPECT_EQ(store.Value("orvane"), "/opt/orvane");
    EXPECT_EQ(key->DeleteValue("Orvane"), 0);
    EXPECT_EQ(key->DeleteValue("Orvane"), platform::kRegistryFileNotFound);
  }
  EXPECT_EQ(store.OpenKeyCount(), 0);
  EXPECT_EQ(log.Calls(),
            (std::vector<std::string>{"OpenRunKey", "WriteString Orvane /usr/bin/orvane",
                                      "WriteString ORVANE /opt/orvane", "DeleteValue Orvane",
                                      "DeleteValue Orvane", "CloseRunKey"}));
}

TEST(SimAutoRun, ScriptedFailuresChangeNothing) {
  SimCallLog log;
  SimAutoRun store(log);
  store.SetValue("Orvane", "old");
  store.SetOpenable(false);
  EXPECT_FALSE(store.OpenRunKey());
  store.SetOpenable(true);
  log.FailCall("OpenRunKey", 5, 1);
  EXPECT_FALSE(store.OpenRunKey());

  auto key = store.OpenRunKey();
  ASSERT_TRUE(key);
  log.FailCall("WriteString", 5);
  log.FailCall("DeleteValue", 1018);
  EXPECT_EQ(key->WriteString("Orvane", "new"), 5);
  EXPECT_EQ(key->DeleteValue("Orvane"), 1018);
  EXPECT_EQ(store.Value("Orvane"), "old");
}

}  // namespace
}  // namespace orvane::sim
