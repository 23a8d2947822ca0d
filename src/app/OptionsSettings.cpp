#include "app/OptionsSettings.h"

#include "app/MainWorkflow.h"

namespace orvane {

OptionsValues CurrentOptions(const MainWorkflow& workflow) {
  return {workflow.AutoRun(),
          workflow.StartMinimized(),
          workflow.CheckForUpdates(),
          workflow.SSID(),
          workflow.Password(),
          workflow.Security(),
          workflow.GuestsReachLocalNetwork()};
}

void ApplyOptions(MainWorkflow& workflow, const OptionsValues& values) {
  const OptionsValues stored = StoredOptions(values);
  workflow.SetAutoRun(stored.AutoRun);
  workflow.SetStartMinimized(stored.StartMinimized);
  workflow.SetCheckForUpdates(stored.CheckForUpdates);
  workflow.SetSSID(stored.SSID);
  workflow.SetPassword(stored.Password);
  workflow.SetSecurity(stored.Security);
  workflow.SetGuestsReachLocalNetwork(stored.GuestsReachLocalNetwork);
  const WorkflowPlatform& platform = workflow.Platform();
  ApplyAutoRun(platform.autoRun, stored.AutoRun, platform.system.ExecutablePath(),
               ApplicationName());
}

}  // namespace orvane
