#include "platform/linux/LinuxServiceControl.h"

#include <systemd/sd-bus.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string_view>
#include <thread>

#include "platform/linux/SystemBus.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr const char* kSystemd = "org.freedesktop.systemd1";
constexpr const char* kManagerPath = "/org/freedesktop/systemd1";
constexpr const char* kManagerInterface = "org.freedesktop.systemd1.Manager";
constexpr const char* kUnitInterface = "org.freedesktop.systemd1.Unit";
// Queuing a job answers at once; a manager silent this long is not coming back.
constexpr uint64_t kCallTimeoutUs = 5'000'000;
constexpr uint32_t kPendingWaitHintMs = 200;

constexpr uint32_t kErrorInvalidData = 13;
constexpr uint32_t kErrorGenFailure = 31;
constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorInvalidName = 123;
constexpr uint32_t kErrorInvalidServiceControl = 1052;
constexpr uint32_t kErrorServiceRequestTimeout = 1053;
constexpr uint32_t kErrorServiceDisabled = 1058;
constexpr uint32_t kRpcServerUnavailable = 1722;

// The manager's code for what systemd or the bus answered.
uint32_t CodeOf(const sd_bus_error& error) {
  const std::string_view name = error.name != nullptr ? error.name : "";
  if (name == "org.freedesktop.systemd1.NoSuchUnit") return kErrorServiceDoesNotExist;
  if (name == "org.freedesktop.DBus.Error.AccessDenied" ||
      name == "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired") {
    return kErrorAccessDenied;
  }
  if (name == "org.freedesktop.systemd1.UnitMasked") return kErrorServiceDisabled;
  if (name == "org.freedesktop.DBus.Error.InvalidArgs") return kErrorInvalidName;
  if (name == "org.freedesktop.DBus.Error.ServiceUnknown" ||
      name == "org.freedesktop.DBus.Error.NameHasNoOwner" ||
      name == "org.freedesktop.DBus.Error.NoServer" ||
      name == "org.freedesktop.DBus.Error.Disconnected") {
    return kRpcServerUnavailable;
  }
  if (name == "org.freedesktop.DBus.Error.NoReply" ||
      name == "org.freedesktop.DBus.Error.Timeout" ||
      name == "org.freedesktop.DBus.Error.TimedOut") {
    return kErrorServiceRequestTimeout;
  }
  return kErrorGenFailure;
}

// The state number of a unit's ActiveState; none for a state this program does not know.
std::optional<uint32_t> StateOf(std::string_view activeState) {
  if (activeState == "active") return kServiceRunning;
  if (activeState == "inactive" || activeState == "failed") return kServiceStopped;
  if (activeState == "activating" || activeState == "reloading" || activeState == "refreshing") {
    return kServiceStartPending;
  }
  if (activeState == "deactivating") return kServiceStopPending;
  return std::nullopt;
}

// A service name as a unit name; empty when it cannot name a unit.
std::string UnitNameOf(const std::string& name) {
  if (name.empty() || name.size() > 255) return {};
  for (const char c : name) {
    if (c == '/' || static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return {};
  }
  return name.find('.') == std::string::npos ? name + ".service" : name;
}

// Frees an error and a reply on every way out.
struct Call {
  sd_bus_error error{};  // as SD_BUS_ERROR_NULL makes it (that macro is a C compound literal)
  sd_bus_message* reply = nullptr;
  ~Call() {
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
  }
  uint32_t Code(int result) const { return result >= 0 ? 0 : CodeOf(error); }
};

}  // namespace

LinuxServiceControl::~LinuxServiceControl() {
  if (bus_ != nullptr) sd_bus_flush_close_unref(bus_);
}

uint32_t LinuxServiceControl::OpenSCManager(const std::string& machine, uint32_t access,
                                            ServiceHandle& manager) {
  std::lock_guard lock(mutex_);
  manager = 0;
  if (!machine.empty()) return kRpcServerUnavailable;
  if (bus_ == nullptr) bus_ = OpenSystemBus(kCallTimeoutUs);
  if (bus_ == nullptr) return kRpcServerUnavailable;
  manager = next_++;
  handles_[manager] = {true, access, {}, {}, 0};
  return 0;
}

uint32_t LinuxServiceControl::OpenService(ServiceHandle manager, const std::string& name,
                                          uint32_t access, ServiceHandle& service) {
  std::lock_guard lock(mutex_);
  service = 0;
  const auto found = handles_.find(manager);
  if (found == handles_.end() || !found->second.isManager) return kErrorInvalidHandle;
  if ((found->second.access & kScManagerConnect) == 0) return kErrorAccessDenied;
  const std::string unit = UnitNameOf(name);
  if (unit.empty()) return kErrorInvalidName;

  Call load;
  const int result = sd_bus_call_method(bus_, kSystemd, kManagerPath, kManagerInterface, "LoadUnit",
                                        &load.error, &load.reply, "s", unit.c_str());
  if (const uint32_t code = load.Code(result)) return code;
  const char* path = nullptr;
  if (sd_bus_message_read(load.reply, "o", &path) < 0 || path == nullptr) return kErrorInvalidData;

  // systemd loads a stand-in for a unit it has no file for.
  Call state;
  char* loadState = nullptr;
  const int loaded = sd_bus_get_property_string(bus_, kSystemd, path, kUnitInterface, "LoadState",
                                                &state.error, &loadState);
  const BusText ownedLoadState = OwnBusText(loadState);
  if (loaded < 0) return CodeOf(state.error);
  if (std::strcmp(loadState, "not-found") == 0) return kErrorServiceDoesNotExist;

  service = next_++;
  handles_[service] = {false, access, unit, path, 0};
  return 0;
}

uint32_t LinuxServiceControl::Resolve(ServiceHandle handle, uint32_t neededAccess, Handle*& found) {
  const auto entry = handles_.find(handle);
  if (entry == handles_.end() || entry->second.isManager) return kErrorInvalidHandle;
  if ((entry->second.access & neededAccess) != neededAccess) return kErrorAccessDenied;
  found = &entry->second;
  return 0;
}

uint32_t LinuxServiceControl::ReadStatus(Handle& handle, ServiceStatus& status) {
  Call active;
  char* activeState = nullptr;
  const int read = sd_bus_get_property_string(bus_, kSystemd, handle.path.c_str(), kUnitInterface,
                                              "ActiveState", &active.error, &activeState);
  const BusText ownedActiveState = OwnBusText(activeState);
  if (read < 0) return CodeOf(active.error);
  const auto state = StateOf(activeState);
  if (!state) return kErrorInvalidData;

  Call job;
  uint32_t jobId = 0;
  const char* jobPath = nullptr;
  if (sd_bus_get_property(bus_, kSystemd, handle.path.c_str(), kUnitInterface, "Job", &job.error,
                          &job.reply, "(uo)") < 0) {
    return CodeOf(job.error);
  }
  if (sd_bus_message_read(job.reply, "(uo)", &jobId, &jobPath) < 0) return kErrorInvalidData;

  // Progress is a job still at work; without one the checkpoint falls back to 0.
  handle.checkPoint = jobId != 0 ? handle.checkPoint + 1 : 0;
  const bool pending = *state != kServiceRunning && *state != kServiceStopped;
  status = {*state, handle.checkPoint, jobId != 0 || pending ? kPendingWaitHintMs : 0};
  return 0;
}

uint32_t LinuxServiceControl::QueryServiceStatus(ServiceHandle service, ServiceStatus& status) {
  std::lock_guard lock(mutex_);
  Handle* handle = nullptr;
  if (const uint32_t code = Resolve(service, kServiceQueryStatus, handle)) return code;
  return ReadStatus(*handle, status);
}

uint32_t LinuxServiceControl::QueueJob(const char* method, const Handle& handle) {
  Call call;
  const int result =
      sd_bus_call_method(bus_, kSystemd, kManagerPath, kManagerInterface, method, &call.error,
                         &call.reply, "ss", handle.unit.c_str(), "replace");
  return call.Code(result);
}

uint32_t LinuxServiceControl::StartService(ServiceHandle service) {
  std::lock_guard lock(mutex_);
  Handle* handle = nullptr;
  if (const uint32_t code = Resolve(service, kServiceStart, handle)) return code;
  ServiceStatus current;
  if (const uint32_t code = ReadStatus(*handle, current)) return code;
  if (current.currentState == kServiceRunning) return kErrorServiceAlreadyRunning;
  return QueueJob("StartUnit", *handle);
}

uint32_t LinuxServiceControl::ControlService(ServiceHandle service, uint32_t control,
                                             ServiceStatus& status) {
  std::lock_guard lock(mutex_);
  Handle* handle = nullptr;
  if (const uint32_t code = Resolve(service, kServiceStop, handle)) return code;
  if (const uint32_t code = ReadStatus(*handle, status)) return code;
  if (control != kServiceControlStop) return kErrorInvalidServiceControl;
  if (status.currentState == kServiceStopped) return kErrorServiceNotActive;
  if (const uint32_t code = QueueJob("StopUnit", *handle)) return code;
  ReadStatus(*handle, status);  // a failed read leaves the status from before the request
  return 0;
}

void LinuxServiceControl::CloseServiceHandle(ServiceHandle handle) {
  std::lock_guard lock(mutex_);
  handles_.erase(handle);
}

void LinuxServiceControl::Sleep(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint64_t LinuxServiceControl::TickCount() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace orvane::platform::linux_backend
