#pragma once

#include "platform/ServiceControlManager.h"

namespace orvane::platform::windows_backend {

// The service control manager; handles are the manager's own, carried as numbers.
class WinServiceControl : public IServiceControlManager {
 public:
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
};

}  // namespace orvane::platform::windows_backend
