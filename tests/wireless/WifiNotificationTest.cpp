#include <atomic>
#include <future>

#include <gtest/gtest.h>

#include "WirelessTestSupport.h"

namespace orvane::test {
namespace {

using Texts = std::vector<std::u16string>;

class WifiNotification : public WirelessFixture {
 protected:
  void SetUp() override {
    radio.AddInterface(u"{A}");
    radio.AddNetwork(u"{A}", {u"Velmora", 1, 1, 0, 0, {}});
    wifi = MakeWifi();
    // `connected` is what the tests wait on, so it is filled last: once it holds a value,
    // everything else the handler records is there too.
    wifi->OnConnected = [this](const std::u16string& ssid) {
      connectedSSIDSeen.Add(wifi->ConnectedSSID());
      connected.Add(ssid);
    };
    wifi->OnDisconnected = [this](const std::u16string& ssid) { disconnected.Add(ssid); };
  }

  Recorder<std::u16string> connected;
  Recorder<std::string> connectedSSIDSeen;
  Recorder<std::u16string> disconnected;
  std::unique_ptr<TWifiConnection> wifi;
};

TEST_F(WifiNotification, JoiningAndLeavingAreReportedWithTheSsid) {
  wifi->RefreshNetworks();
  ASSERT_TRUE(wifi->StartNetwork());
  ASSERT_TRUE(connected.WaitForCount(1));
  EXPECT_EQ(connected.Values(), Texts{u"Velmora"});
  EXPECT_EQ(connectedSSIDSeen.Values(), std::vector<std::string>{"Velmora"})
      << "ConnectedSSID is set before the event";

  wifi->Networks().Objects(0)->Leave();
  ASSERT_TRUE(disconnected.WaitForCount(1));
  EXPECT_EQ(disconnected.Values(), Texts{u"Velmora"});
  EXPECT_EQ(wifi->ConnectedSSID(), "");
}

TEST_F(WifiNotification, OtherCodesAndZeroSourcesChangeNothing) {
  radio.SendNotification(sim::SimRadio::kSourceAcm, 11, "Other");
  radio.SendNotification(0x00010000, 10, "NoSource");
  radio.SendNotification(0x00020000, 21, "NoSource");
  radio.SendNotification(sim::SimRadio::kSourceAcm, 0x100 | 10, "Marker");

  ASSERT_TRUE(connected.WaitForCount(1));
  ASSERT_TRUE(radio.WaitForDeliveries(kGenerousBound));
  EXPECT_EQ(connected.Values(), Texts{u"Marker"}) << "only the code's low byte counts";
  EXPECT_EQ(disconnected.Values(), Texts{});
  EXPECT_EQ(wifi->ConnectedSSID(), "Marker");
}

TEST_F(WifiNotification, AnAttemptThatEndedInFailureIsNoJoin) {
  radio.SendNotification(sim::SimRadio::kSourceAcm, 10, "Refused", 0x00028002);
  radio.SendNotification(sim::SimRadio::kSourceAcm, 10, "Marker");
  ASSERT_TRUE(connected.WaitForCount(1));
  ASSERT_TRUE(radio.WaitForDeliveries(kGenerousBound));
  EXPECT_EQ(connected.Values(), Texts{u"Marker"});
  EXPECT_EQ(connectedSSIDSeen.Values(), std::vector<std::string>{"Marker"})
      << "the refused network never counted as the connected one";
}

TEST_F(WifiNotification, ARecordWithoutDataReportsAnEmptySsid) {
  radio.SendNotification(sim::SimRadio::kSourceAcm, 10, "Before");
  radio.SendNotification(sim::SimRadio::kSourceAcm, 10, std::nullopt);
  ASSERT_TRUE(connected.WaitForCount(2));
  EXPECT_EQ(connected.Values(), (Texts{u"Before", u""}));
  EXPECT_EQ(wifi->ConnectedSSID(), "");
}

TEST_F(WifiNotification, RefreshAndNotificationsMayWriteTheConnectedSsidTogether) {
  // Meant for the thread sanitizer: both writers at once must not race.
  for (int i = 0; i < 50; ++i) {
    radio.SendNotification(sim::SimRadio::kSourceAcm, i % 2 ? 21 : 10, "Velmora");
    wifi->RefreshNetworks();
  }
  ASSERT_TRUE(radio.WaitForDeliveries(kGenerousBound));
  EXPECT_EQ(connected.Values().size() + disconnected.Values().size(), 50u);
}

TEST_F(WifiNotification, NoNotificationReachesADestroyedInstance) {
  log.FailCall("UnRegisterNotification", 1);  // a library that keeps calling back
  wifi.reset();
  radio.SendNotification(sim::SimRadio::kSourceAcm, 10, "Late");
  ASSERT_TRUE(radio.WaitForDeliveries(kGenerousBound));
  EXPECT_EQ(connected.Values(), Texts{});
}

TEST_F(WifiNotification, DestructionWaitsForAHandlerThatIsRunning) {
  std::promise<void> entered;
  std::atomic<bool> destroying{false};
  std::atomic<bool> destroyed{false};
  TWifiConnection* instance = wifi.get();
  wifi->OnConnected = [&](const std::u16string&) {
    entered.set_value();
    WaitUntil([&] { return destroying.load(); });
    // Gives a destructor that does not wait the chance to free the instance under us.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(destroyed.load());
    EXPECT_EQ(instance->ConnectedSSID(), "Slow");
  };
  radio.SendNotification(sim::SimRadio::kSourceAcm, 10, "Slow");
  entered.get_future().wait();

  auto destruction = std::async(std::launch::async, [&] {
    destroying = true;
    wifi.reset();
    destroyed = true;
  });
  ASSERT_EQ(destruction.wait_for(kGenerousBound), std::future_status::ready);
  EXPECT_TRUE(destroyed.load());
}

}  // namespace
}  // namespace orvane::test
