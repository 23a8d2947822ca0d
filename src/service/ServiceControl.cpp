#include "service/ServiceControl.h"

#include <algorithm>
#include <stdexcept>

#include "common/Errors.h"

namespace orvane {

namespace pf = platform;

// A handle of the manager that is closed when it goes out of scope.
class TServiceControl::Handle {
 public:
  explicit Handle(pf::IServiceControlManager& manager) : manager_(manager) {}
  ~Handle() {
    if (value != 0) manager_.CloseServiceHandle(value);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  pf::ServiceHandle value = 0;

 private:
  pf::IServiceControlManager& manager_;
};

TServiceControl::TServiceControl(pf::IServiceControlManager& manager, pf::ISystemInfo& system,
                                 std::string serviceName, std::string machineName)
    : manager_(manager),
      system_(system),
      machineName_(std::move(machineName)),
      serviceName_(std::move(serviceName)) {}

void TServiceControl::Raise(uint32_t code) {
  throw OsError(code, system_.SystemErrorMessage(code));
}

void TServiceControl::Check(uint32_t code) {
  if (code != 0) Raise(code);
}

uint32_t TServiceControl::QueryState() {
  // Declared manager first, so the service handle is closed before it.
  Handle scm(manager_);
  Check(manager_.OpenSCManager(machineName_, pf::kScManagerConnect, scm.value));
  Handle service(manager_);
  Check(manager_.OpenService(scm.value, serviceName_, pf::kServiceQueryStatus, service.value));
  pf::ServiceStatus status;
  Check(manager_.QueryServiceStatus(service.value, status));
  return status.currentState;
}

TServiceState TServiceControl::GetState() {
  const uint32_t state = QueryState();
  if (state < pf::kServiceStopped || state > pf::kServicePaused) {
    throw std::runtime_error("Unknown state " + std::to_string(state) + " of service '" +
                             serviceName_ + "'.");
  }
  return static_cast<TServiceState>(state - 1);
}

bool TServiceControl::Start() {
  Handle scm(manager_);
  Check(manager_.OpenSCManager(machineName_, pf::kScManagerConnect, scm.value));
  Handle service(manager_);
  Check(manager_.OpenService(scm.value, serviceName_, pf::kServiceStart | pf::kServiceQueryStatus,
                             service.value));
  pf::ServiceStatus status{};
  if (manager_.StartService(service.value) == 0) {
    Check(manager_.QueryServiceStatus(service.value, status));
    WaitFor(service.value, pf::kServiceRunning, status);
  }
  return status.currentState == pf::kServiceRunning;
}

bool TServiceControl::Stop() {
  Handle scm(manager_);
  Check(manager_.OpenSCManager(machineName_, pf::kScManagerConnect, scm.value));
  Handle service(manager_);
  Check(manager_.OpenService(scm.value, serviceName_, pf::kServiceStop | pf::kServiceQueryStatus,
                             service.value));
  // A refused stop still hands back the status; for a service that is not running it says
  // stopped, which is the result wanted.
  pf::ServiceStatus status{};
  if (manager_.ControlService(service.value, pf::kServiceControlStop, status) == 0) {
    Check(manager_.QueryServiceStatus(service.value, status));
    WaitFor(service.value, pf::kServiceStopped, status);
  }
  return status.currentState == pf::kServiceStopped;
}

void TServiceControl::WaitFor(pf::ServiceHandle service, uint32_t target,
                              pf::ServiceStatus& status) {
  const uint64_t begin = manager_.TickCount();
  uint64_t progress = begin;  // when the checkpoint last advanced
  while (status.currentState != target) {
    const uint32_t checkPoint = status.checkPoint;
    // The hint as the service gave it, but never past the point where the wait gives up.
    const uint64_t now = manager_.TickCount();
    const uint64_t left = std::min(kStallLimitMs - std::min(now - progress, kStallLimitMs),
                                   kWaitLimitMs - std::min(now - begin, kWaitLimitMs));
    manager_.Sleep(static_cast<uint32_t>(std::min<uint64_t>(status.waitHint, left)));

    pf::ServiceStatus next;
    if (manager_.QueryServiceStatus(service, next) != 0) return;  // keep the last good status
    status = next;
    if (status.checkPoint < checkPoint) return;

    const uint64_t after = manager_.TickCount();
    if (status.checkPoint > checkPoint) progress = after;
    // A clock that went backwards is a broken answer: give up rather than wait on it.
    if (after < progress || after - progress >= kStallLimitMs || after < begin ||
        after - begin >= kWaitLimitMs) {
      return;
    }
  }
}

}  // namespace orvane
