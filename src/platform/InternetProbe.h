#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orvane::platform {

inline constexpr uint32_t kInternetStateDisconnected = 2;
inline constexpr std::chrono::milliseconds kDefaultProbeTimeout{3000};

// A subscription to the system's announcements of changed links and default routes; it ends
// when destroyed, and no call of its receiver runs or follows once the destructor returns.
class ILinkWatch {
 public:
  virtual ~ILinkWatch() = default;
};

// The Internet probe: a forced connection attempt and the system's own online state.
// Both may be called from several threads at once.
class IInternetProbe {
 public:
  virtual ~IInternetProbe() = default;
  // A forced connection attempt to url's host, bounded by timeout; true when it connected.
  virtual bool CheckConnection(const std::string& url, std::chrono::milliseconds timeout) = 0;
  // The connected-state query: false when the query failed; else state holds the flags
  // (kInternetStateDisconnected when the system says it is offline).
  virtual bool QueryConnectedState(uint32_t& state) = 0;
  // Calls `changed` (from a thread of the probe's choosing) whenever the system announces that a
  // link went up or down or a default route came or went, so a lost uplink need not wait for
  // the next forced attempt: with true while a default route over a working link remains, false
  // when none does. Null where the system announces nothing or the watch failed.
  virtual std::unique_ptr<ILinkWatch> WatchLinks(
      const std::function<void(bool uplink)>& /*changed*/) {
    return nullptr;
  }
};

}  // namespace orvane::platform
