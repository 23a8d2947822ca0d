#include "platform/linux/LinuxServiceControl.h"

#include <chrono>
#include <thread>

namespace orvane::platform::linux_backend {
uint32_t LinuxServiceControl::OpenSCManager(const std::string&, uint32_t, ServiceHandle& manager) {
  manager = 0;
  return kErrorServiceDoesNotExist;
}

uint32_t LinuxServiceControl::OpenService(ServiceHandle, const std::string&, uint32_t,
                                          ServiceHandle& service) {
  service = 0;
  return kErrorServiceDoesNotExist;
}

uint32_t LinuxServiceControl::QueryServiceStatus(ServiceHandle, ServiceStatus&) {
  return kErrorServiceDoesNotExist;
}

uint32_t LinuxServiceControl::StartService(ServiceHandle) {
  return kErrorServiceDoesNotExist;
}

uint32_t LinuxServiceControl::ControlService(ServiceHandle, uint32_t, ServiceStatus& status) {
  status = {};
  return kErrorServiceDoesNotExist;
}

void LinuxServiceControl::CloseServiceHandle(ServiceHandle) {}

void LinuxServiceControl::Sleep(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace orvane::platform::linux_backend
