#include "service/WifiTroubleShooter.h"

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "platform/sim/SimMachine.h"

namespace orvane {
namespace {

using Calls = std::vector<std::string>;

class WifiTroubleShooterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.Services().AddService("wzcsvc", platform::kServiceRunning);
    machine.Wzc().SetControlFlags("{FIRST}", 0x0002);
    machine.Wzc().SetControlFlags("{SECOND}", 0x0004);
  }

  sim::SimCallLog& Log() { return machine.Log(); }
  // The service, registry and version calls, in order, without the handles' book-keeping.
  Calls Steps() {
    Calls steps;
    for (const auto& call : Log().Calls()) {
      const auto name = call.substr(0, call.find(' '));
      if (name != "OpenSCManager" && name != "OpenService" && name != "CloseServiceHandle" &&
          name != "QueryServiceStatus" && name != "OpenInterfacesKey" && name != "InterfaceNames")
        steps.push_back(call);
    }
    return steps;
  }
  uint32_t Flags(const std::string& name) { return machine.Wzc().ControlFlags(name).value; }
  void ExpectHandlesClosed() {
    EXPECT_EQ(machine.Services().OpenHandleCount(), 0u);
    EXPECT_EQ(machine.Services().BadCloseCount(), 0);
  }

  sim::SimMachine machine;
  WifiTroubleShooter shooter{TroubleShooterPlatformOf(machine)};
};

TEST_F(WifiTroubleShooterTest, NeedsRepairReadsTheRegistryOnlyForARunningService) {
  EXPECT_TRUE(shooter.NeedsRepair());
  EXPECT_EQ(Log().CallsNamed("ReadControlFlags"), Calls{"ReadControlFlags {FIRST}"});

  machine.Wzc().SetControlFlags("{FIRST}", 0x8002);
  EXPECT_FALSE(shooter.NeedsRepair());

  Log().ClearCalls();
  machine.Services().AddService("wzcsvc", platform::kServiceStopped);
  EXPECT_TRUE(shooter.NeedsRepair());
  EXPECT_EQ(Log().Count("OpenInterfacesKey"), 0u);

  // Without the interfaces key nothing is reported missing.
  machine.Services().AddService("wzcsvc", platform::kServiceRunning);
  machine.Wzc().SetKeyOpenable(false);
  EXPECT_FALSE(shooter.NeedsRepair());
  ExpectHandlesClosed();
}

TEST_F(WifiTroubleShooterTest, CheckErrorsReachTheCaller) {
  const auto checkError = [this]() -> std::string {
    try {
      shooter.NeedsRepair();
    } catch (const RegistryError& error) {
      return error.what();
    }
    return "no error";
  };
  machine.Wzc().RemoveControlFlags("{FIRST}");
  EXPECT_EQ(checkError(), "Failed to get data for 'ControlFlags'");
  machine.Wzc().SetControlFlagsWrongType("{FIRST}");
  EXPECT_EQ(checkError(), "Invalid data type for 'ControlFlags'");
  Log().FailCall("OpenService", 1060, 1);
  EXPECT_THROW(shooter.NeedsRepair(), OsError);
  ExpectHandlesClosed();
}

TEST_F(WifiTroubleShooterTest, RepairStopsSetsOnlyTheFirstInterfacesBitAndStarts) {
  EXPECT_TRUE(shooter.Repair());
  EXPECT_EQ(Steps(), (Calls{"ControlService 2 1", "ReadControlFlags {FIRST}",
                            "WriteControlFlags {FIRST} 0x8002", "StartService 4"}));
  EXPECT_EQ(Flags("{FIRST}"), 0x8002u);
  EXPECT_EQ(Flags("{SECOND}"), 0x0004u);
  EXPECT_EQ(machine.Services().State("wzcsvc"), platform::kServiceRunning);
  ExpectHandlesClosed();
}

TEST_F(WifiTroubleShooterTest, AStoppedServiceWithTheFlagSetIsStillRepaired) {
  machine.Services().AddService("wzcsvc", platform::kServiceStopped);
  machine.Wzc().SetControlFlags("{FIRST}", 0x8000);
  EXPECT_TRUE(shooter.NeedsRepair());
  EXPECT_TRUE(shooter.Repair());
  EXPECT_EQ(Log().CallsNamed("WriteControlFlags"), Calls{"WriteControlFlags {FIRST} 0x8000"});
  EXPECT_EQ(Log().Count("StartService"), 1u);
  EXPECT_EQ(machine.Services().State("wzcsvc"), platform::kServiceRunning);
}

TEST_F(WifiTroubleShooterTest, RegistryErrorsDuringRepairStillStartTheService) {
  machine.Wzc().SetControlFlagsWrongType("{FIRST}");
  EXPECT_THROW(shooter.Repair(), RegistryError);
  EXPECT_EQ(machine.Services().State("wzcsvc"), platform::kServiceRunning);
  EXPECT_EQ(Log().Count("StartService"), 1u);

  machine.Wzc().SetControlFlags("{FIRST}", 1);
  Log().FailCall("WriteControlFlags", 5, 1);
  try {
    shooter.Repair();
    ADD_FAILURE() << "no error raised";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'ControlFlags'");
    EXPECT_EQ(error.Code(), 5);
  }
  EXPECT_EQ(Log().Count("StartService"), 2u);
  EXPECT_EQ(Flags("{FIRST}"), 1u);
  ExpectHandlesClosed();
}

TEST_F(WifiTroubleShooterTest, AFailedStopEndsTheRepairBeforeTheFlag) {
  Log().FailCall("OpenService", 5, 1);
  EXPECT_THROW(shooter.Repair(), OsError);
  EXPECT_EQ(Log().Count("ReadControlFlags") + Log().Count("StartService"), 0u);
  ExpectHandlesClosed();
}

TEST_F(WifiTroubleShooterTest, WithoutAnInterfaceTheRepairFailsButStartsTheService) {
  machine.Wzc().SetKeyOpenable(false);
  EXPECT_FALSE(shooter.Repair());
  EXPECT_EQ(Log().Count("WriteControlFlags"), 0u);
  EXPECT_EQ(machine.Services().State("wzcsvc"), platform::kServiceRunning);
}

}  // namespace
}  // namespace orvane
