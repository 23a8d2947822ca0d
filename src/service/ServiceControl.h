#pragma once

#include <cstdint>
#include <string>

#include "platform/ServiceControlManager.h"
#include "platform/SystemInfo.h"

namespace orvane {

// A service's state, in the order of the platform's state numbers 1 to 7.
enum class TServiceState {
  ssStopped,
  ssStartPending,
  ssStopPending,
  ssRunning,
  ssContinuePending,
  ssPausePending,
  ssPaused
};

// One service on one computer, reached through the service control manager. Every operation
// opens its own handles and closes them before it returns, also when it raises.
//
// Failures to open the manager or the service, or of the first status query, raise OsError
// with the system's code (5: no rights, 1060: no such service). A refused start or stop
// request is no error: the operation then returns at once with its result.
class TServiceControl {
 public:
  // A start or stop gives up when the checkpoint has not advanced for this long, or when the
  // whole wait has taken this long: a hung service must not hold the caller for ever.
  static constexpr uint64_t kStallLimitMs = 60'000;
  static constexpr uint64_t kWaitLimitMs = 300'000;

  // machineName empty: this computer. Both objects must outlive the control.
  TServiceControl(platform::IServiceControlManager& manager, platform::ISystemInfo& system,
                  std::string serviceName, std::string machineName);

  const std::string& ServiceName() const { return serviceName_; }
  const std::string& MachineName() const { return machineName_; }

  // The platform's state number of the service.
  uint32_t QueryState();
  // QueryState as a TServiceState; a number outside 1 to 7 raises std::runtime_error.
  TServiceState GetState();
  // True when the service ended up running.
  bool Start();
  // True when the service ended up stopped (at once for a service that was not running).
  bool Stop();

 private:
  class Handle;
  class OpenedService;

  [[noreturn]] void Raise(uint32_t code);
  void Check(uint32_t code);
  // Waits while the status is short of target; leaves it holding the last status read.
  void WaitFor(platform::ServiceHandle service, uint32_t target, platform::ServiceStatus& status);

  platform::IServiceControlManager& manager_;
  platform::ISystemInfo& system_;
  std::string machineName_;
  std::string serviceName_;
};

}  // namespace orvane
