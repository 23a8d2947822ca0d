#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "SimCallLog.h"
#include "platform/ServiceControlManager.h"

namespace orvane::sim {

// The simulated service control manager of this computer (the empty machine name; any other
// machine is unreachable, code 1722). Calls are recorded as
//   "OpenSCManager <machine> 0x<access>" (an empty machine as ""),
//   "OpenService <manager> <name> 0x<access>", "QueryServiceStatus <handle>",
//   "StartService <handle>", "ControlService <handle> <control>",
//   "CloseServiceHandle <handle>", "Sleep <milliseconds>".
// Handles are numbered from 1. Each request checks its handle (6 when invalid) and the access
// it was opened with (5 when lacking). An accepted start or stop hands the service a scripted
// sequence of statuses: each status query takes the next one, and the service keeps the last.
// Sleep only adds to a total, it never waits; the clock is that total plus the time each
// status query is scripted to take.
class SimServices : public platform::IServiceControlManager {
 public:
  static constexpr uint32_t kErrorInvalidHandle = 6;
  static constexpr uint32_t kErrorInvalidServiceControl = 1052;
  static constexpr uint32_t kErrorServiceCannotAcceptControl = 1061;
  static constexpr uint32_t kRpcServerUnavailable = 1722;

  explicit SimServices(SimCallLog& log);

  void AddService(const std::string& name, uint32_t state);
  // What the status queries after an accepted start walk through; without a script the
  // service is running at the first query.
  void ScriptStart(const std::string& name, std::vector<platform::ServiceStatus> statuses);
  // What an accepted stop hands back (the first) and the queries after it walk through (the
  // rest); without a script the service is stopped at once.
  void ScriptStop(const std::string& name, std::vector<platform::ServiceStatus> statuses);

  uint32_t State(const std::string& name) const;  // 0 for an unknown service
  std::size_t OpenHandleCount() const { return handles_.size(); }
  // Closes of handles that were not open (never opened, or closed before).
  int BadCloseCount() const { return badCloses_; }
  uint64_t SleptMilliseconds() const { return slept_; }
  void SetQueryDuration(uint32_t milliseconds) { queryDuration_ = milliseconds; }

  uint32_t OpenSCManager(const std::string& machine, uint32_t access,
                         platform::ServiceHandle& manager) override;
  uint32_t OpenService(platform::ServiceHandle manager, const std::string& name, uint32_t access,
                       platform::ServiceHandle& service) override;
  uint32_t QueryServiceStatus(platform::ServiceHandle service,
                              platform::ServiceStatus& status) override;
  uint32_t StartService(platform::ServiceHandle service) override;
  uint32_t ControlService(platform::ServiceHandle service, uint32_t control,
                          platform::ServiceStatus& status) override;
  void CloseServiceHandle(platform::ServiceHandle handle) override;
  void Sleep(uint32_t milliseconds) override;
  uint64_t TickCount() override { return clock_; }

 private:
  struct Service {
    platform::ServiceStatus current;
    std::vector<platform::ServiceStatus> startScript;
    std::vector<platform::ServiceStatus> stopScript;
    std::deque<platform::ServiceStatus> pending;  // what the next queries report
  };
  struct Handle {
    bool isManager = false;
    uint32_t access = 0;
    std::string service;
  };

  // The service a handle opened with the needed access refers to, or the error code.
  uint32_t Resolve(platform::ServiceHandle handle, uint32_t neededAccess, Service*& service);
  platform::ServiceHandle NewHandle(Handle handle);

  SimCallLog& log_;
  std::map<std::string, Service> services_;
  std::map<platform::ServiceHandle, Handle> handles_;
  platform::ServiceHandle nextHandle_ = 1;
  int badCloses_ = 0;
  uint64_t slept_ = 0;
  uint32_t queryDuration_ = 0;
  uint64_t clock_ = 0;
};

}  // namespace orvane::sim
