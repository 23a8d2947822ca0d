#include "platform/sim/SimWzc.h"

#include <gtest/gtest.h>

namespace orvane::sim {
namespace {

using platform::ValueState;

TEST(SimWzc, InterfacesInTheirOrderWithEachKindOfValue) {
  SimCallLog log;
  SimWzc store(log);
  store.SetControlFlags("{B}", 0x1);
  store.AddInterface("{A}");
  store.SetControlFlagsWrongType("{C}");

  ASSERT_TRUE(store.OpenInterfacesKey());
  EXPECT_EQ(store.InterfaceNames(), (std::vector<std::string>{"{B}", "{A}", "{C}"}));
  EXPECT_EQ(store.ReadControlFlags("{B}").value, 0x1u);
  EXPECT_EQ(store.ReadControlFlags("{A}").state, ValueState::Missing);
  EXPECT_EQ(store.ReadControlFlags("{C}").state, ValueState::WrongType);
  EXPECT_EQ(store.ReadControlFlags("{none}").state, ValueState::Missing);

  EXPECT_EQ(store.WriteControlFlags("{C}", 0x8001), 0);
  EXPECT_EQ(store.ControlFlags("{C}").state, ValueState::Present);
  EXPECT_EQ(store.ControlFlags("{C}").value, 0x8001u);
  EXPECT_EQ(store.ControlFlags("{B}").value, 0x1u) << "other interfaces untouched";
  EXPECT_EQ(store.WriteControlFlags("{none}", 1), 2) << "no such interface";
  EXPECT_EQ(log.CallsNamed("WriteControlFlags").front(), "WriteControlFlags {C} 0x8001");
}

TEST(SimWzc, AKeyThatCannotBeOpenedAndScriptedFailures) {
  SimCallLog log;
  SimWzc store(log);
  store.SetControlFlags("{A}", 0x8000);
  store.SetKeyOpenable(false);
  EXPECT_FALSE(store.OpenInterfacesKey());
  EXPECT_TRUE(store.InterfaceNames().empty());
  EXPECT_EQ(store.ReadControlFlags("{A}").state, ValueState::Missing);
  EXPECT_NE(store.WriteControlFlags("{A}", 0), 0);
  EXPECT_EQ(store.ControlFlags("{A}").value, 0x8000u);

  store.SetKeyOpenable(true);
  log.FailCall("OpenInterfacesKey", 5, 1);
  log.FailCall("InterfaceNames", 5, 1);
  log.FailCall("ReadControlFlags {A}", 5, 1);
  log.FailCall("WriteControlFlags", 5, 1);
  EXPECT_FALSE(store.OpenInterfacesKey());
  EXPECT_TRUE(store.InterfaceNames().empty());
  EXPECT_EQ(store.ReadControlFlags("{A}").state, ValueState::Missing);
  EXPECT_EQ(store.WriteControlFlags("{A}", 0), 5);
  EXPECT_EQ(store.ControlFlags("{A}").value, 0x8000u);

  store.RemoveControlFlags("{A}");
  EXPECT_EQ(store.ReadControlFlags("{A}").state, ValueState::Missing);
}

}  // namespace
}  // namespace orvane::sim
