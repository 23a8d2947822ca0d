// What the Linux backend does not have yet answers honestly instead of pretending.

#include <gtest/gtest.h>

#include "platform/linux/LinuxWzcStore.h"

namespace orvane::platform::linux_backend {
namespace {

TEST(AbsentServicesTest, WirelessServiceSettingsNeverOpen) {
  LinuxWzcStore store;
  EXPECT_FALSE(store.OpenInterfacesKey());
  EXPECT_TRUE(store.InterfaceNames().empty());
  EXPECT_EQ(store.ReadControlFlags("x").state, ValueState::Missing);
  EXPECT_NE(store.WriteControlFlags("x", 1), 0);
}

}  // namespace
}  // namespace orvane::platform::linux_backend
