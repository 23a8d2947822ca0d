#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace orvane::wireless_dll {

// Native Wifi's auto-configuration notifications that end a connection attempt.
inline constexpr uint32_t kAcmConnectionComplete = 10;
inline constexpr uint32_t kAcmConnectionAttemptFail = 11;
// WLAN_REASON_CODE_SUCCESS: the only reason a "connection complete" is a success with.
inline constexpr uint32_t kReasonSuccess = 0;

// Win32 codes an attempt answers besides those of the calls it makes.
inline constexpr uint32_t kErrorAttemptFailed = 1236;    // ERROR_CONNECTION_ABORTED
inline constexpr uint32_t kErrorNoOutcome = 1460;        // ERROR_TIMEOUT
inline constexpr uint32_t kErrorAttemptCancelled = 995;  // ERROR_OPERATION_ABORTED

// How long a join or a creation waits for Native Wifi's outcome. Windows gives up on an
// association well before this, so only a lost notification reaches it.
inline constexpr std::chrono::seconds kAttemptTimeout{30};

// The outcome of one connection attempt, as the notification thread hands it to the caller
// that waits. One attempt at a time: arming again forgets the previous one.
class ConnectionWatch {
 public:
  // Starts listening for the outcome on this interface (GUID text) and profile; done before
  // the connection is asked for, so an outcome that comes at once is not missed.
  void Arm(const std::u16string& interfaceId, const std::u16string& profile);
  void Disarm();
  // From the notification thread: any auto-configuration notification.
  void Notify(uint32_t code, const std::u16string& interfaceId, const std::u16string& profile,
              uint32_t reason);
  // Wakes a waiting caller with no outcome (the client is being closed).
  void Cancel();

  struct Outcome {
    bool cancelled = false;
    bool succeeded = false;
    uint32_t reason = kReasonSuccess;
  };
  // The outcome, or none when it did not come within the time.
  std::optional<Outcome> Wait(std::chrono::milliseconds timeout);

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  bool armed_ = false;
  std::u16string interfaceId_;
  std::u16string profile_;
  std::optional<Outcome> outcome_;
};

// The Native Wifi calls of one attempt, so the sequence can be tested over recorded calls.
struct AttemptCalls {
  // WlanSetProfile; sets the reason code Native Wifi gives for a refused profile.
  std::function<uint32_t(uint32_t& reason)> setProfile;
  // WlanConnect.
  std::function<uint32_t()> connect;
};

struct AttemptResult {
  uint32_t code = 0;                 // 0: connected; else a Win32 code
  uint32_t reason = kReasonSuccess;  // Native Wifi's reason code, when it gave one
};

// Stores the profile, asks for the connection and waits (bounded) for its outcome.
AttemptResult RunAttempt(ConnectionWatch& watch, const std::u16string& interfaceId,
                         const std::u16string& profile, const AttemptCalls& calls,
                         std::chrono::milliseconds timeout);

}  // namespace orvane::wireless_dll
