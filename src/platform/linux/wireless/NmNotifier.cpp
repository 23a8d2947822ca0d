#include "platform/linux/wireless/NmNotifier.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/WlanRecords.h"
#include "platform/linux/wireless/NmBus.h"
#include "platform/linux/wireless/NmProfiles.h"

namespace orvane::platform::linux_backend {
namespace {

// NMDeviceState values the notifications follow.
constexpr uint32_t kStateDisconnected = 30;
constexpr uint32_t kStateActivated = 100;
constexpr uint32_t kStateFailed = 120;
constexpr uint32_t kDeviceTypeWifi = 2;

// Waits until the bus has work or `stop` is signalled; false when the thread is to end.
bool WaitForBus(sd_bus* bus, int stop) {
  const int events = sd_bus_get_events(bus);
  uint64_t timeoutUs = UINT64_MAX;
  if (events < 0 || sd_bus_get_timeout(bus, &timeoutUs) < 0) return false;
  pollfd fds[2] = {{sd_bus_get_fd(bus), static_cast<short>(events), 0}, {stop, POLLIN, 0}};
  int timeoutMs = -1;
  if (timeoutUs != UINT64_MAX) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t nowUs = static_cast<uint64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
    timeoutMs = timeoutUs > nowUs ? static_cast<int>((timeoutUs - nowUs + 999) / 1000) : 0;
  }
  if (poll(fds, 2, timeoutMs) < 0 && errno != EINTR) return false;
  return (fds[1].revents & POLLIN) == 0;
}

}  // namespace

NmNotifier::NmNotifier(OrvaneWlanCallback callback)
    : callback_(callback), bus_(OpenSystemBus(std::chrono::microseconds(kNmCallTimeout).count())) {
  if (!bus_ || callback_ == nullptr || stop_.get() < 0) return;
  // Installed before the thread starts, so no change after registration is missed.
  if (sd_bus_match_signal(bus_.get(), &slot_, kNmService, nullptr, kNmDevice, "StateChanged",
                          &NmNotifier::OnStateChanged, this) < 0) {
    bus_.reset();
    return;
  }
  thread_ = std::thread(&NmNotifier::Run, this);
}

NmNotifier::~NmNotifier() {
  if (thread_.joinable()) {
    const uint64_t one = 1;
    // An eventfd write of 1 cannot block or fail short; the thread wakes and ends.
    [[maybe_unused]] const auto written = write(stop_.get(), &one, sizeof one);
    thread_.join();
  }
  sd_bus_slot_unref(slot_);
}

void NmNotifier::Run() {
  while (true) {
    const int processed = sd_bus_process(bus_.get(), nullptr);
    if (processed < 0) return;  // the bus went away: no more notifications
    if (processed == 0 && !WaitForBus(bus_.get(), stop_.get())) return;
  }
}

int NmNotifier::OnStateChanged(sd_bus_message* message, void* self, sd_bus_error*) {
  uint32_t newState = 0, oldState = 0, reason = 0;
  const char* path = sd_bus_message_get_path(message);
  if (path == nullptr || sd_bus_message_read(message, "uuu", &newState, &oldState, &reason) < 0)
    return 0;  // not the signal NetworkManager sends: ignored
  try {
    static_cast<NmNotifier*>(self)->StateChanged(path, newState, oldState);
  } catch (const NmFailure&) {
    // The device could not be asked about; the change passes without a notification.
  }
  return 0;
}

void NmNotifier::StateChanged(const std::string& devicePath, uint32_t newState, uint32_t) {
  if (newState == kStateActivated) {
    NmBus bus(bus_.get());
    if (bus.Uint(devicePath, kNmDevice, "DeviceType") != kDeviceTypeWifi) return;
    const std::string ssid = ActiveSsid(devicePath);
    activated_[devicePath] = ssid;
    Deliver(wlan::kCodeConnectionComplete, ssid);
    return;
  }
  if (newState > kStateDisconnected && newState != kStateFailed) return;
  const auto left = activated_.find(devicePath);
  if (left == activated_.end()) return;
  const std::string ssid = left->second;
  activated_.erase(left);
  Deliver(wlan::kCodeDisconnected, ssid);
}

std::string NmNotifier::ActiveSsid(const std::string& devicePath) {
  NmBus bus(bus_.get());
  const std::string active = bus.Text(devicePath, kNmDevice, "ActiveConnection", 'o');
  if (active == "/") return {};
  const std::string profile = bus.Text(active, kNmActive, "Connection", 'o');
  MessagePtr settings = bus.Call(profile, kNmConnection, "GetSettings");
  const ProfileFacts facts = ReadProfileFacts(settings.get());
  return std::string(facts.ssid.begin(), facts.ssid.end());
}

void NmNotifier::Deliver(uint32_t code, const std::string& ssid) {
  const wlan::NotificationRecord record(wlan::kSourceAcm, code, ssid);
  callback_(record.Data(), nullptr);
}

}  // namespace orvane::platform::linux_backend
