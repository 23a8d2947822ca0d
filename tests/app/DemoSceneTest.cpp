#include <gtest/gtest.h>

#include "../common/TempFolder.h"
#include "RecordingView.h"
#include "app/MainWorkflow.h"
#include "common/UnitGlobal.h"
#include "network/AdpUtils.h"
#include "platform/sim/SimDemoScene.h"

namespace orvane::testing {
namespace {

// The demo must show the window doing its job: a source and a destination chosen, sharing
// ready, the own network seen nearby, and a start that works.
TEST(DemoScene, GivesTheWorkflowSomethingToShare) {
  TempFolder folder;
  sim::SimMachine machine;
  sim::SeedDemoScene(machine, ApplicationName(), folder.Folder());
  InterfaceTableBlock ifTable(machine.Adapters());
  RecordingView view;
  MainWorkflow workflow(view, WorkflowPlatformOf(machine), ifTable);

  workflow.StartUp();
  workflow.RefreshConnections();
  EXPECT_TRUE(view.errors.empty());
  EXPECT_EQ(workflow.CurrentSourceGUID(), sim::kDemoWiredGuid);
  EXPECT_EQ(workflow.CurrentDestGUID(), sim::kDemoUsbWifiGuid);
  EXPECT_TRUE(workflow.SharingAvailable());

  workflow.actRefresh2Execute();
  EXPECT_EQ(view.nearbySignal, ApplicationName() + " signal found nearby");

  workflow.actStartSharingExecute();
  EXPECT_EQ(view.messages.back(), "Your sharing was started successfully!");
  workflow.ShutDown();
  EXPECT_TRUE(view.errors.empty()) << "settings written into the program folder";
  EXPECT_NE(folder.Read("setup.ini").find("[System]"), std::string::npos);
}

}  // namespace
}  // namespace orvane::testing
