#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace orvane::platform {

inline constexpr uint32_t kInternetStateDisconnected = 2;
inline constexpr std::chrono::milliseconds kDefaultProbeTimeout{3000};

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
};

}  // namespace orvane::platform
