// A join or creation waits for Native Wifi's outcome: over recorded calls, with the
// notifications delivered from another thread as Native Wifi does.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/wireless/WlanAttempt.h"

namespace orvane::wireless_dll {
namespace {

using namespace std::chrono_literals;

constexpr char16_t kInterface[] = u"{5D3A1B2C-0000-4000-8000-00000000000A}";

struct Notification {
  uint32_t code;
  std::u16string interfaceId;
  std::u16string profile;
  uint32_t reason;
};

// Records the calls and, when connecting, sends the scripted notifications from a thread.
struct RecordedAttempt {
  uint32_t setProfileResult = 0;
  uint32_t setProfileReason = 0;
  uint32_t connectResult = 0;
  std::vector<Notification> notifications;
  bool cancelAfterConnect = false;  // as closing the client does
  std::vector<std::string> calls;
  std::thread sender;

  ~RecordedAttempt() {
    if (sender.joinable()) sender.join();
  }

  AttemptResult Run(ConnectionWatch& watch, std::chrono::milliseconds timeout = 5s) {
    AttemptCalls calls;
    calls.setProfile = [this](uint32_t& reason) {
      this->calls.push_back("SetProfile");
      reason = setProfileReason;
      return setProfileResult;
    };
    calls.connect = [this, &watch] {
      this->calls.push_back("Connect");
      sender = std::thread([this, &watch] {
        for (const Notification& n : notifications)
          watch.Notify(n.code, n.interfaceId, n.profile, n.reason);
        if (cancelAfterConnect) watch.Cancel();
      });
      return connectResult;
    };
    return RunAttempt(watch, kInterface, u"Orvane", calls, timeout);
  }
};

TEST(WlanAttempt, TheOutcomeDecidesAndFailuresCarryTheirReason) {
  struct Case {
    const char* what;
    std::vector<Notification> notifications;
    uint32_t code;
    uint32_t reason;
  };
  const std::u16string lower = u"{5d3a1b2c-0000-4000-8000-00000000000a}";
  const std::vector<Case> cases = {
      {"complete with success", {{kAcmConnectionComplete, kInterface, u"Orvane", 0}}, 0, 0},
      {"the GUID in another case is the same interface",
       {{kAcmConnectionComplete, lower, u"Orvane", 0}},
       0,
       0},
      {"complete with a reason is a failure",
       {{kAcmConnectionComplete, kInterface, u"Orvane", 0x30001}},
       kErrorAttemptFailed,
       0x30001},
      {"attempt failed",
       {{kAcmConnectionAttemptFail, kInterface, u"Orvane", 0x28002}},
       kErrorAttemptFailed,
       0x28002},
      {"start and other codes are no outcome",
       {{9, kInterface, u"Orvane", 0},
        {21, kInterface, u"Orvane", 0},
        {kAcmConnectionAttemptFail, kInterface, u"Orvane", 0x28002}},
       kErrorAttemptFailed,
       0x28002},
      {"another profile or interface is none of its business",
       {{kAcmConnectionComplete, kInterface, u"Home", 0},
        {kAcmConnectionComplete, u"{00000000-0000-0000-0000-000000000001}", u"Orvane", 0},
        {kAcmConnectionAttemptFail, kInterface, u"Orvane", 0x28002}},
       kErrorAttemptFailed,
       0x28002},
      {"only the first outcome counts",
       {{kAcmConnectionComplete, kInterface, u"Orvane", 0},
        {kAcmConnectionAttemptFail, kInterface, u"Orvane", 0x28002}},
       0,
       0},
  };
  for (const Case& c : cases) {
    ConnectionWatch watch;
    RecordedAttempt attempt;
    attempt.notifications = c.notifications;
    const AttemptResult result = attempt.Run(watch);
    EXPECT_EQ(result.code, c.code) << c.what;
    EXPECT_EQ(result.reason, c.reason) << c.what;
    EXPECT_EQ(attempt.calls, (std::vector<std::string>{"SetProfile", "Connect"})) << c.what;
  }
}

TEST(WlanAttempt, ARefusedProfileOrConnectAnswersAtOnceWithoutWaiting) {
  ConnectionWatch watch;
  RecordedAttempt profile;
  profile.setProfileResult = 1206;  // ERROR_BAD_PROFILE
  profile.setProfileReason = 0x80011;
  AttemptResult result = profile.Run(watch, 60s);
  EXPECT_EQ(result.code, 1206u);
  EXPECT_EQ(result.reason, 0x80011u) << "the profile's reason code is kept";
  EXPECT_EQ(profile.calls, std::vector<std::string>{"SetProfile"});

  RecordedAttempt connect;
  connect.connectResult = 87;
  result = connect.Run(watch, 60s);
  EXPECT_EQ(result.code, 87u);
  EXPECT_EQ(result.reason, kReasonSuccess);
}

TEST(WlanAttempt, NoOutcomeEndsTheWaitAndClosingTheClientCancelsIt) {
  ConnectionWatch watch;
  RecordedAttempt silent;
  EXPECT_EQ(silent.Run(watch, 50ms).code, kErrorNoOutcome);

  // A cancel wakes the wait with its own code: a time-out would answer kErrorNoOutcome.
  RecordedAttempt cancelled;
  cancelled.cancelAfterConnect = true;
  EXPECT_EQ(cancelled.Run(watch, 30s).code, kErrorAttemptCancelled);
  // Without an attempt armed, a cancel is forgotten rather than ending the next one.
  watch.Cancel();
  RecordedAttempt next;
  next.notifications = {{kAcmConnectionComplete, kInterface, u"Orvane", 0}};
  EXPECT_EQ(next.Run(watch).code, 0u);
}

}  // namespace
}  // namespace orvane::wireless_dll
