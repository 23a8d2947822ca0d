#include "SimServices.h"

#include <cstdio>

namespace orvane::sim {

namespace {

using platform::kScManagerConnect;
using platform::kServiceQueryStatus;
using platform::kServiceStart;
using platform::kServiceStartPending;
using platform::kServiceStop;
using platform::kServiceStopPending;

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

SimServices::SimServices(SimCallLog& log) : log_(log) {}

void SimServices::AddService(const std::string& name, uint32_t state) {
  services_[name].current = {state, 0, 0};
}

void SimServices::ScriptStart(const std::string& name,
                              std::vector<platform::ServiceStatus> statuses) {
  services_[name].startScript = std::move(statuses);
}

void SimServices::ScriptStop(const std::string& name,
                             std::vector<platform::ServiceStatus> statuses) {
  services_[name].stopScript = std::move(statuses);
}

uint32_t SimServices::State(const std::string& name) const {
  const auto service = services_.find(name);
  return service == services_.end() ? 0 : service->second.current.currentState;
}

platform::ServiceHandle SimServices::NewHandle(Handle handle) {
  const platform::ServiceHandle id = nextHandle_++;
  handles_[id] = std::move(handle);
  return id;
}

uint32_t SimServices::Resolve(platform::ServiceHandle handle, uint32_t neededAccess,
                              Service*& service) {
  const auto found = handles_.find(handle);
  if (found == handles_.end() || found->second.isManager) return kErrorInvalidHandle;
  if ((found->second.access & neededAccess) != neededAccess) return platform::kErrorAccessDenied;
  service = &services_.at(found->second.service);
  return 0;
}

uint32_t SimServices::OpenSCManager(const std::string& machine, uint32_t access,
                                    platform::ServiceHandle& manager) {
  const std::string shownMachine = machine.empty() ? "\"\"" : machine;
  if (const auto code = log_.Record("OpenSCManager " + shownMachine + " " + Hex(access))) {
    return static_cast<uint32_t>(*code);
  }
  if (!machine.empty()) return kRpcServerUnavailable;
  manager = NewHandle({true, access, {}});
  return 0;
}

uint32_t SimServices::OpenService(platform::ServiceHandle manager, const std::string& name,
                                  uint32_t access, platform::ServiceHandle& service) {
  const std::string call =
      "OpenService " + std::to_string(manager) + " " + name + " " + Hex(access);
  if (const auto code = log_.Record(call)) return static_cast<uint32_t>(*code);
  const auto found = handles_.find(manager);
  if (found == handles_.end() || !found->second.isManager) return kErrorInvalidHandle;
  if ((found->second.access & kScManagerConnect) == 0) return platform::kErrorAccessDenied;
  if (!services_.contains(name)) return platform::kErrorServiceDoesNotExist;
  service = NewHandle({false, access, name});
  return 0;
}

uint32_t SimServices::QueryServiceStatus(platform::ServiceHandle handle,
                                         platform::ServiceStatus& status) {
  clock_ += queryDuration_;
  if (const auto code = log_.Record("QueryServiceStatus " + std::to_string(handle))) {
    return static_cast<uint32_t>(*code);
  }
  Service* service = nullptr;
  if (const uint32_t error = Resolve(handle, kServiceQueryStatus, service)) return error;
  if (!service->pending.empty()) {
    service->current = service->pending.front();
    service->pending.pop_front();
  }
  status = service->current;
  return 0;
}

uint32_t SimServices::StartService(platform::ServiceHandle handle) {
  if (const auto code = log_.Record("StartService " + std::to_string(handle))) {
    return static_cast<uint32_t>(*code);
  }
  Service* service = nullptr;
  if (const uint32_t error = Resolve(handle, kServiceStart, service)) return error;
  if (service->current.currentState != platform::kServiceStopped) {
    return platform::kErrorServiceAlreadyRunning;
  }
  const auto& script = service->startScript;
  service->pending = script.empty()
                         ? std::deque<platform::ServiceStatus>{{platform::kServiceRunning, 0, 0}}
                         : std::deque<platform::ServiceStatus>(script.begin(), script.end());
  service->current = {kServiceStartPending, 0, 0};
  return 0;
}

uint32_t SimServices::ControlService(platform::ServiceHandle handle, uint32_t control,
                                     platform::ServiceStatus& status) {
  const std::string call =
      "ControlService " + std::to_string(handle) + " " + std::to_string(control);
  const auto scripted = log_.Record(call);
  Service* service = nullptr;
  if (const uint32_t error = Resolve(handle, kServiceStop, service)) {
    return scripted ? static_cast<uint32_t>(*scripted) : error;
  }
  // A refusal still hands back the service's status, as the system does.
  status = service->current;
  if (scripted) return static_cast<uint32_t>(*scripted);
  if (control != platform::kServiceControlStop) return kErrorInvalidServiceControl;

  const uint32_t state = service->current.currentState;
  if (state == platform::kServiceStopped) return platform::kErrorServiceNotActive;
  if (state == kServiceStartPending || state == kServiceStopPending) {
    return kErrorServiceCannotAcceptControl;
  }
  const auto& script = service->stopScript;
  service->pending = script.empty()
                         ? std::deque<platform::ServiceStatus>{{platform::kServiceStopped, 0, 0}}
                         : std::deque<platform::ServiceStatus>(script.begin(), script.end());
  service->current = service->pending.front();
  service->pending.pop_front();
  status = service->current;
  return 0;
}

void SimServices::CloseServiceHandle(platform::ServiceHandle handle) {
  log_.Record("CloseServiceHandle " + std::to_string(handle));
  if (handles_.erase(handle) == 0) ++badCloses_;
}

void SimServices::Sleep(uint32_t milliseconds) {
  log_.Record("Sleep " + std::to_string(milliseconds));
  slept_ += milliseconds;
  clock_ += milliseconds;
}

}  // namespace orvane::sim
