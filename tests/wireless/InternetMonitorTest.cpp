#include <atomic>
#include <future>
#include <stdexcept>

#include <gtest/gtest.h>

#include "WirelessTestSupport.h"

namespace orvane::test {
namespace {

using States = std::vector<uint8_t>;

// Long enough that only a wake or stop request can end a wait within a test's bounds.
constexpr std::chrono::hours kNeverByItself{1};

TEST(InternetCheck, ProbesTheFixedAddressWithABoundedAttempt) {
  sim::SimCallLog log;
  sim::SimInternet internet(log);
  EXPECT_TRUE(IsInternetAvailable(internet));
  EXPECT_EQ(log.Calls(),
            (std::vector<std::string>{std::string("CheckConnection ") + kInternetProbeUrl + " 3000",
                                      "QueryConnectedState"}));
}

TEST(InternetCheck, AFailedAttemptSkipsTheStateQuery) {
  sim::SimCallLog log;
  sim::SimInternet internet(log);
  internet.SetReachable(false);
  EXPECT_FALSE(IsInternetAvailable(internet));
  internet.SetReachable(true);
  log.FailCall("CheckConnection", 12029);
  EXPECT_FALSE(IsInternetAvailable(internet));
  EXPECT_EQ(log.Count("QueryConnectedState"), 0u);
}

TEST(InternetCheck, TheSystemsOfflineFlagOrAFailedQueryMeanNoInternet) {
  sim::SimCallLog log;
  sim::SimInternet internet(log);
  internet.SetConnectedState(true, 0x1 | 0x4);
  EXPECT_TRUE(IsInternetAvailable(internet)) << "flags other than offline";
  EXPECT_TRUE(IsConnectedState(internet));
  internet.SetConnectedState(true, 0x1 | platform::kInternetStateDisconnected);
  EXPECT_FALSE(IsInternetAvailable(internet));
  internet.SetConnectedState(false);
  EXPECT_FALSE(IsInternetAvailable(internet));
  EXPECT_FALSE(IsConnectedState(internet));
}

// A probe that throws on its first calls, then answers as the simulated one.
class ThrowingProbe : public platform::IInternetProbe {
 public:
  ThrowingProbe(platform::IInternetProbe& inner, int throws) : inner_(inner), throws_(throws) {}
  bool CheckConnection(const std::string& url, std::chrono::milliseconds timeout) override {
    if (throws_.fetch_sub(1) > 0) throw std::runtime_error("probe failed");
    return inner_.CheckConnection(url, timeout);
  }
  bool QueryConnectedState(uint32_t& state) override { return inner_.QueryConnectedState(state); }
  bool Threw() const { return throws_.load() <= 0; }

 private:
  platform::IInternetProbe& inner_;
  std::atomic<int> throws_;
};

class InternetMonitor : public WirelessFixture {
 protected:
  // The component with its receiver assigned before the monitor's first check ends.
  void Start(platform::IInternetProbe& probe) {
    internet.HoldProbes();
    wifi =
        std::make_unique<TWifiConnection>(sim::SimRadio::Library(), probe, system, kNeverByItself);
    wifi->OnInternetStateChange = [this](uint8_t state) { states.Add(state); };
    internet.StopHolding();
  }
  void Start() { Start(internet); }

  std::size_t Checks() const { return log.Count("CheckConnection"); }

  Recorder<uint8_t> states;
  std::unique_ptr<TWifiConnection> wifi;
};

TEST_F(InternetMonitor, ChecksAtOnceAndHandsOnlyChangesOn) {
  internet.HoldProbes();
  wifi = MakeWifi(kNeverByItself);
  wifi->OnInternetStateChange = [this](uint8_t state) { states.Add(state); };
  ASSERT_TRUE(internet.WaitUntilHeld(kGenerousBound));
  EXPECT_EQ(wifi->InternetState(), kInternetUnknown) << "while the first check runs";
  internet.StopHolding();
  ASSERT_TRUE(states.WaitForCount(1)) << "the first check does not wait";
  EXPECT_EQ(wifi->InternetState(), kInternetReachable);

  wifi->CheckInternetNow();
  ASSERT_TRUE(WaitUntil([&] { return log.Count("QueryConnectedState") == 2; }));
  internet.SetConnectedState(true, platform::kInternetStateDisconnected);
  wifi->CheckInternetNow();

  ASSERT_TRUE(states.WaitForCount(2));
  EXPECT_EQ(states.Values(), (States{kInternetReachable, kInternetUnreachable}))
      << "the unchanged second result was not handed on";
  EXPECT_EQ(wifi->InternetState(), kInternetUnreachable);
}

TEST_F(InternetMonitor, SetInternetStateRaisesOnlyOnChange) {
  internet.SetReachable(false);
  Start();
  ASSERT_TRUE(states.WaitForCount(1));
  wifi->SetInternetState(kInternetUnreachable);
  wifi->SetInternetState(kInternetReachable);
  wifi->SetInternetState(kInternetReachable);
  EXPECT_EQ(states.Values(), (States{kInternetUnreachable, kInternetReachable}));
}

TEST_F(InternetMonitor, RequestsDuringACheckAreHonouredOnceAtTheNextWait) {
  internet.HoldProbes();
  wifi = MakeWifi(kNeverByItself);
  ASSERT_TRUE(internet.WaitUntilHeld(kGenerousBound));
  wifi->CheckInternetNow();
  wifi->CheckInternetNow();
  wifi->CheckInternetNow();
  internet.ReleaseHeld();

  ASSERT_TRUE(internet.WaitUntilHeld(kGenerousBound)) << "the requests ended the wait";
  internet.ReleaseHeld();
  // A third check would follow at once if the requests had been counted singly; none may come.
  EXPECT_FALSE(internet.WaitUntilHeld(std::chrono::milliseconds(300)));
  EXPECT_EQ(Checks(), 2u);
}

TEST_F(InternetMonitor, AStopRequestEndsTheWaitAtOnce) {
  Start();
  ASSERT_TRUE(states.WaitForCount(1));
  auto stop = std::async(std::launch::async, [&] { wifi.reset(); });
  EXPECT_EQ(stop.wait_for(kGenerousBound), std::future_status::ready);
  EXPECT_EQ(Checks(), 1u);
}

TEST_F(InternetMonitor, AStopRequestDuringACheckTakesEffectWhenItReturns) {
  internet.HoldProbes();
  wifi = MakeWifi(kNeverByItself);
  ASSERT_TRUE(internet.WaitUntilHeld(kGenerousBound));
  auto stop = std::async(std::launch::async, [&] { wifi.reset(); });
  ASSERT_TRUE(WaitUntil([&] { return log.Count("UnRegisterNotification") == 1; }));
  internet.StopHolding();
  EXPECT_EQ(stop.wait_for(kGenerousBound), std::future_status::ready);
  EXPECT_EQ(Checks(), 1u) << "no check after the stop request";
}

TEST_F(InternetMonitor, AThrowingCheckDoesNotEndTheMonitor) {
  ThrowingProbe probe(internet, 1);
  Start(probe);
  ASSERT_TRUE(WaitUntil([&] { return probe.Threw(); }));
  wifi->CheckInternetNow();
  ASSERT_TRUE(states.WaitForCount(1));
  EXPECT_EQ(states.Values(), States{kInternetReachable});
}

TEST_F(InternetMonitor, AThrowingReceiverDoesNotEndTheMonitor) {
  internet.HoldProbes();
  wifi = MakeWifi(kNeverByItself);
  wifi->OnInternetStateChange = [this](uint8_t state) {
    states.Add(state);
    if (state == kInternetReachable) throw std::runtime_error("receiver failed");
  };
  internet.StopHolding();
  ASSERT_TRUE(states.WaitForCount(1));

  internet.SetReachable(false);
  wifi->CheckInternetNow();
  ASSERT_TRUE(states.WaitForCount(2));
  EXPECT_EQ(states.Values(), (States{kInternetReachable, kInternetUnreachable}));
}

TEST_F(InternetMonitor, AnAnnouncedLinkLossShowsWithoutWaitingOrProbing) {
  Start();
  ASSERT_TRUE(states.WaitForCount(1));
  internet.SetLinkUp(false);
  ASSERT_TRUE(states.WaitForCount(2)) << "the hour-long wait was not ended";
  EXPECT_EQ(states.Values(), (States{kInternetReachable, kInternetUnreachable}));
  EXPECT_EQ(Checks(), 1u) << "no forced attempt over a link that is gone";

  // The link's return is checked in full: the way beyond it may still be broken.
  internet.SetReachable(false);
  internet.SetLinkUp(true);
  ASSERT_TRUE(WaitUntil([&] { return Checks() == 2; }));
  internet.SetReachable(true);
  internet.SetLinkUp(false);
  internet.SetLinkUp(true);
  ASSERT_TRUE(states.WaitForCount(3));
  EXPECT_EQ(states.Values().back(), kInternetReachable);
}

TEST_F(InternetMonitor, WithoutAConnectionResultsAreKeptButHandedToNobody) {
  Start();
  ASSERT_TRUE(states.WaitForCount(1));
  wifi->Monitor().SetConnection(nullptr);
  internet.SetReachable(false);
  wifi->CheckInternetNow();

  ASSERT_TRUE(WaitUntil([&] { return wifi->Monitor().LastState() == kInternetUnreachable; }));
  EXPECT_EQ(wifi->InternetState(), kInternetReachable);
  EXPECT_EQ(states.Values(), States{kInternetReachable});
}

}  // namespace
}  // namespace orvane::test
