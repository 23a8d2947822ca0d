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
    machine.System().SetOsVersion(5, 1);
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

TEST_F(WifiTroubleShooterTest, OfferedOnlyOnVersionFiveOne) {
  EXPECT_TRUE(TroubleShooterOffered(machine.System()));
  for (const auto& [major, minor] : {std::pair{5u, 0u}, {5u, 2u}, {6u, 1u}, {10u, 0u}}) {
    machine.System().SetOsVersion(major, minor);
    EXPECT_FALSE(TroubleShooterOffered(machine.System())) << major << "." << minor;
  }
  machine.System().SetOsVersion(5, 1);
  Log().FailCall("GetOsVersion", 1);
  EXPECT_FALSE(TroubleShooterOffered(machine.System()));
  // Asking touches neither the service nor the registry.
  EXPECT_EQ(Log().Count("OpenSCManager") + Log().Count("OpenInterfacesKey"), 0u);
}

TEST_F(WifiTroubleShooterTest, NeedsRepairReadsTheRegistryOnlyForARunningService) {
  EXPECT_TRUE(shooter.NeedsRepair());
  EXPECT_EQ(Log().CallsNamed("ReadControlFlags"), Calls{"ReadControlFlags {FIRST}"});

  machine.Wzc().SetControlFlags("{FIRST}", 0x8002);
  EXPECT_FALSE(shooter.NeedsRepair());

  Log().ClearCalls();
  machine.Services().AddService("wzcsvc", platform::kServiceStopped);
  EXPECT_TRUE(shooter.NeedsRepair());
  EXPECT_EQ(Log().Count("OpenInterfacesKey"), 0u);

  // No interfaces key, or no interface in it: nothing is reported missing.
  machine.Services().AddService("wzcsvc", platform::kServiceRunning);
  machine.Wzc().SetKeyOpenable(false);
  EXPECT_FALSE(shooter.NeedsRepair());
  ExpectHandlesClosed();
}

TEST_F(WifiTroubleShooterTest, CheckErrorsReachTheCaller) {
  machine.Wzc().RemoveControlFlags("{FIRST}");
  EXPECT_THROW(
      {
        try {
          shooter.NeedsRepair();
        } catch (const RegistryError& error) {
          EXPECT_STREQ(error.what(), "Failed to get data for 'ControlFlags'");
          throw;
        }
      },
      RegistryError);
  machine.Wzc().SetControlFlagsWrongType("{FIRST}");
  try {
    shooter.IsInterfaceFlagMissing();
    ADD_FAILURE() << "no error raised";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'ControlFlags'");
  }
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

TEST(TroubleShooterLooks, OutcomesAndFrames) {
  EXPECT_EQ(LookOf(true).text, "The Windows WIFI service was started successfully.");
  EXPECT_EQ(LookOf(true).mode, kAnimateSuccess);
  EXPECT_EQ(LookOf(false).text, "The Windows WIFI service is not started.");
  EXPECT_EQ(LookOf(false).mode, kAnimateFailure);
  EXPECT_EQ(LookOf(false).buttonCaption, "&Close");

  using Frames = std::array<bool, kFrameCount>;
  EXPECT_EQ(VisibleFrames(kAnimateCycle, 1), (Frames{false, true, false}));
  EXPECT_EQ(VisibleFrames(kAnimateFailure, 2), (Frames{true, false, false}));
  EXPECT_EQ(VisibleFrames(kAnimateSuccess, 0), (Frames{false, false, true}));
  EXPECT_EQ(VisibleFrames(7, 0), std::nullopt);
  EXPECT_EQ(NextFrame(0), 1);
  EXPECT_EQ(NextFrame(2), 0);
}

}  // namespace
}  // namespace orvane
