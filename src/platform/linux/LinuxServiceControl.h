#pragma once

#include <map>
#include <mutex>
#include <string>

#include "platform/ServiceControlManager.h"

struct sd_bus;

namespace orvane::platform::linux_backend {

// The service control manager over systemd's D-Bus API on the system bus. A service name
// without a dot names the unit "<name>.service". The unit's ActiveState gives the state
// number: active is running, inactive and failed are stopped, activating and reloading are
// start pending, deactivating is stop pending. While a job of the unit runs, each status
// query advances the checkpoint and hints a short wait; once no job runs the checkpoint is 0,
// so a job that ended short of its goal ends the caller's wait. Start and stop queue jobs.
//
// Requests keep the manager's contract: starting an active unit is refused (1056), stopping
// an inactive one is refused with the stopped status (1062). systemd's answers become codes:
// no such unit 1060, refused by policy 5, masked 1058, malformed name 123, the manager not
// reachable 1722, no answer in time 1053, anything else 31. Only this computer is reachable.
class LinuxServiceControl : public IServiceControlManager {
 public:
  LinuxServiceControl() = default;
  ~LinuxServiceControl() override;
  LinuxServiceControl(const LinuxServiceControl&) = delete;
  LinuxServiceControl& operator=(const LinuxServiceControl&) = delete;

  uint32_t OpenSCManager(const std::string& machine, uint32_t access,
                         ServiceHandle& manager) override;
  uint32_t OpenService(ServiceHandle manager, const std::string& name, uint32_t access,
                       ServiceHandle& service) override;
  uint32_t QueryServiceStatus(ServiceHandle service, ServiceStatus& status) override;
  uint32_t StartService(ServiceHandle service) override;
  uint32_t ControlService(ServiceHandle service, uint32_t control, ServiceStatus& status) override;
  void CloseServiceHandle(ServiceHandle handle) override;
  void Sleep(uint32_t milliseconds) override;
  uint64_t TickCount() override;

 private:
  struct Handle {
    bool isManager = false;
    uint32_t access = 0;
    std::string unit;  // the unit's name
    std::string path;  // its object path
    uint32_t checkPoint = 0;
  };

  // The service handle opened with the needed access, or the error code.
  uint32_t Resolve(ServiceHandle handle, uint32_t neededAccess, Handle*& found);
  uint32_t ReadStatus(Handle& handle, ServiceStatus& status);
  uint32_t QueueJob(const char* method, const Handle& handle);

  std::mutex mutex_;  // the handle table and the connection
  sd_bus* bus_ = nullptr;
  std::map<ServiceHandle, Handle> handles_;
  ServiceHandle next_ = 1;
};

}  // namespace orvane::platform::linux_backend
