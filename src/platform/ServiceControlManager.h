#pragma once

#include <cstdint>
#include <string>

namespace orvane::platform {

using ServiceHandle = uint64_t;  // 0 is never a valid handle

struct ServiceStatus {
  uint32_t currentState = 0;
  uint32_t checkPoint = 0;
  uint32_t waitHint = 0;  // milliseconds
};

// The state numbers of a service (dwCurrentState).
inline constexpr uint32_t kServiceStopped = 1;
inline constexpr uint32_t kServiceStartPending = 2;
inline constexpr uint32_t kServiceStopPending = 3;
inline constexpr uint32_t kServiceRunning = 4;
inline constexpr uint32_t kServiceContinuePending = 5;
inline constexpr uint32_t kServicePausePending = 6;
inline constexpr uint32_t kServicePaused = 7;

// Access rights of the manager and of a service handle.
inline constexpr uint32_t kScManagerConnect = 0x0001;
inline constexpr uint32_t kServiceQueryStatus = 0x0004;
inline constexpr uint32_t kServiceStart = 0x0010;
inline constexpr uint32_t kServiceStop = 0x0020;

inline constexpr uint32_t kServiceControlStop = 1;
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorServiceDoesNotExist = 1060;
inline constexpr uint32_t kErrorServiceAlreadyRunning = 1056;
inline constexpr uint32_t kErrorServiceNotActive = 1062;

// The service control manager. Calls answer 0 on success, else the Win32 error code.
class IServiceControlManager {
 public:
  virtual ~IServiceControlManager() = default;
  // machine empty = this computer; the active database is always used.
  virtual uint32_t OpenSCManager(const std::string& machine, uint32_t access,
                                 ServiceHandle& manager) = 0;
  virtual uint32_t OpenService(ServiceHandle manager, const std::string& name, uint32_t access,
                               ServiceHandle& service) = 0;
  virtual uint32_t QueryServiceStatus(ServiceHandle service, ServiceStatus& status) = 0;
  virtual uint32_t StartService(ServiceHandle service) = 0;
  // Hands back a status also when the control is refused.
  virtual uint32_t ControlService(ServiceHandle service, uint32_t control,
                                  ServiceStatus& status) = 0;
  virtual void CloseServiceHandle(ServiceHandle handle) = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  // Milliseconds on a clock that only moves forward; what a wait measures itself against.
  virtual uint64_t TickCount() = 0;
};

}  // namespace orvane::platform
