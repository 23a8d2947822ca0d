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

// The manager and the service opened with the given access; closed in reverse order (the
// service first) on every way out, also when opening the service fails.
class TServiceControl::OpenedService {
 public:
  OpenedService(TServiceControl& control, uint32_t access)
      : manager_(control.manager_), service_(control.manager_) {
    control.Check(control.manager_.OpenSCManager(control.machineName_, pf::kScManagerConnect,
                                                 manager_.value));
    control.Check(
        control.manager_.OpenService(manager_.value, control.serviceName_, access, service_.value));
  }
  pf::ServiceHandle Service() const { return service_.value; }

 private:
  Handle manager_;  // declared first, so it is closed last
  Handle service_;
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
  const OpenedService opened(*this, pf::kServiceQueryStatus);
  pf::ServiceStatus status;
  Check(manager_.QueryServiceStatus(opened.Service(), status));
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
  const OpenedService opened(*this, pf::kServiceStart | pf::kServiceQueryStatus);
  const pf::ServiceHandle service = opened.Service();
  pf::ServiceStatus status{};
  if (manager_.StartService(service) == 0) {
    Check(manager_.QueryServiceStatus(service, status));
    WaitFor(service, pf::kServiceRunning, status);
  }
  return status.currentState == pf::kServiceRunning;
}

bool TServiceControl::Stop() {
  const OpenedService opened(*this, pf::kServiceStop | pf::kServiceQueryStatus);
  const pf::ServiceHandle service = opened.Service();
  // A refused stop still hands back the status; for a service that is not running it says
  // stopped, which is the result wanted.
  pf::ServiceStatus status{};
  if (manager_.ControlService(service, pf::kServiceControlStop, status) == 0) {
    Check(manager_.QueryServiceStatus(service, status));
    WaitFor(service, pf::kServiceStopped, status);
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
