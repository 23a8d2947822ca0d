#include "platform/windows/wireless/WlanAttempt.h"

#include <algorithm>
#include <cctype>

namespace orvane::wireless_dll {
namespace {

// GUID texts from different calls may differ in case.
bool SameGuidText(const std::u16string& a, const std::u16string& b) {
  const auto upper = [](char16_t c) {
    return c < 128 ? static_cast<char16_t>(std::toupper(static_cast<int>(c))) : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char16_t x, char16_t y) { return upper(x) == upper(y); });
}

}  // namespace

void ConnectionWatch::Arm(const std::u16string& interfaceId, const std::u16string& profile) {
  std::lock_guard guard(lock_);
  armed_ = true;
  interfaceId_ = interfaceId;
  profile_ = profile;
  outcome_.reset();
}

void ConnectionWatch::Disarm() {
  std::lock_guard guard(lock_);
  armed_ = false;
}

void ConnectionWatch::Notify(uint32_t code, const std::u16string& interfaceId,
                             const std::u16string& profile, uint32_t reason) {
  if (code != kAcmConnectionComplete && code != kAcmConnectionAttemptFail) return;
  {
    std::lock_guard guard(lock_);
    // Only the first outcome of the attempt armed for: a late one of an earlier attempt, or
    // another program's connection on another interface, is none of its business.
    if (!armed_ || outcome_ || profile != profile_ || !SameGuidText(interfaceId, interfaceId_))
      return;
    Outcome outcome;
    outcome.succeeded = code == kAcmConnectionComplete && reason == kReasonSuccess;
    outcome.reason = reason;
    outcome_ = outcome;
  }
  changed_.notify_all();
}

void ConnectionWatch::Cancel() {
  {
    std::lock_guard guard(lock_);
    if (!armed_ || outcome_) return;
    Outcome outcome;
    outcome.cancelled = true;
    outcome_ = outcome;
  }
  changed_.notify_all();
}

std::optional<ConnectionWatch::Outcome> ConnectionWatch::Wait(std::chrono::milliseconds timeout) {
  std::unique_lock guard(lock_);
  changed_.wait_for(guard, timeout, [this] { return outcome_.has_value(); });
  armed_ = false;
  return outcome_;
}

AttemptResult RunAttempt(ConnectionWatch& watch, const std::u16string& interfaceId,
                         const std::u16string& profile, const AttemptCalls& calls,
                         std::chrono::milliseconds timeout) {
  AttemptResult result;
  result.code = calls.setProfile(result.reason);
  if (result.code != 0) return result;
  result.reason = kReasonSuccess;
  watch.Arm(interfaceId, profile);
  result.code = calls.connect();
  if (result.code != 0) {
    watch.Disarm();
    return result;
  }
  // WlanConnect only starts the attempt: it is done when Native Wifi says how it ended.
  const auto outcome = watch.Wait(timeout);
  if (!outcome) {
    result.code = kErrorNoOutcome;
  } else if (outcome->cancelled) {
    result.code = kErrorAttemptCancelled;
  } else if (!outcome->succeeded) {
    result.code = kErrorAttemptFailed;
    result.reason = outcome->reason;
  }
  return result;
}

}  // namespace orvane::wireless_dll
