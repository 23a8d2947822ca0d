#include "platform/sim/SimRadio.h"

#include <atomic>
#include <cstring>
#include <future>
#include <stdexcept>

#include <gtest/gtest.h>

namespace orvane::sim {
namespace {

namespace layout = platform::wlan;
using Lines = std::vector<std::string>;
constexpr std::chrono::seconds kBound{10};

struct Delivered {
  uint32_t source;
  uint32_t code;
  std::string ssid;
  bool hasData;
  std::thread::id thread;
  bool operator==(const Delivered& other) const {
    return source == other.source && code == other.code && ssid == other.ssid &&
           hasData == other.hasData;
  }
};

// The callback is a plain function: what it receives goes to this test-wide list.
std::mutex deliveredMutex;
std::vector<Delivered> delivered;
std::atomic<bool> blockCallback{false};
std::atomic<bool> insideCallback{false};

template <typename T>
T ReadAt(const void* base, std::size_t offset) {
  T value;
  std::memcpy(&value, static_cast<const std::byte*>(base) + offset, sizeof(T));
  return value;
}

void ORVANE_WLAN_STDCALL Callback(const void* record, void*) {
  insideCallback = true;
  while (blockCallback) std::this_thread::yield();
  const auto* data = ReadAt<const char*>(record, layout::kNotificationDataOffset);
  Delivered got{ReadAt<uint32_t>(record, 0),
                ReadAt<uint32_t>(record, 4),
                {},
                data != nullptr,
                std::this_thread::get_id()};
  if (data != nullptr) got.ssid = data + layout::kNotificationSsidOffset;
  {
    std::lock_guard lock(deliveredMutex);
    delivered.push_back(got);
  }
  insideCallback = false;
}

std::vector<Delivered> Received() {
  std::lock_guard lock(deliveredMutex);
  return delivered;
}

class SimRadioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::lock_guard lock(deliveredMutex);
    delivered.clear();
  }

  const OrvaneWirelessLibrary& lib = SimRadio::Library();
  SimCallLog log;
};

TEST_F(SimRadioTest, FillsTheBuffersInTheLibraryLayout) {
  SimRadio radio(log);
  radio.AddInterface(u"{A}");
  radio.AddInterface(u"{B}");
  radio.AddNetwork(u"{B}", {u"Plain", 1, 3, 0, 0, {}});
  radio.AddNetwork(u"{B}", {std::u16string(40, u'L'), 0, 2, 0x11223344, 0x55667788, {}});

  alignas(8) std::byte interfaces[layout::kInterfaceListSize];
  std::memset(interfaces, 0xCC, sizeof(interfaces));
  ASSERT_EQ(lib.EnumInterface(interfaces), 0u);
  ASSERT_EQ(ReadAt<uint32_t>(interfaces, 0), 2u);
  const auto* second = ReadAt<const char16_t*>(interfaces, 8 + 12);
  EXPECT_EQ(std::u16string(second), u"{B}");
  EXPECT_EQ(ReadAt<const char16_t*>(interfaces, 8 + 24), nullptr) << "unused slots are zero";

  alignas(4) std::byte networks[layout::kNetworkListSize];
  ASSERT_EQ(lib.GetVisibleNetworkList(second, networks), 0u);
  EXPECT_EQ(ReadAt<uint32_t>(networks, 0), 2u);
  const std::size_t entry = 8 + 100;
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(networks + entry)),
            std::u16string(32, u'L'))
      << "a long name is cut so that its terminator fits";
  EXPECT_EQ(ReadAt<uint8_t>(networks, entry + 80), 0);
  EXPECT_EQ(ReadAt<uint8_t>(networks, entry + 84), 2);
  EXPECT_EQ(ReadAt<uint32_t>(networks, entry + 92), 0x11223344u);
  EXPECT_EQ(ReadAt<uint32_t>(networks, entry + 96), 0x55667788u);

  EXPECT_EQ(lib.GetVisibleNetworkList(u"{nope}", networks), SimRadio::kErrorInvalidParameter);
  EXPECT_EQ(log.Calls(),
            (Lines{"EnumInterface", "GetVisibleNetworkList {B}", "GetVisibleNetworkList {nope}"}));
}

TEST_F(SimRadioTest, KeepsToTheLayoutsLimits) {
  SimRadio radio(log);
  for (const char16_t* id : {u"0", u"1", u"2", u"3"}) radio.AddInterface(id);
  EXPECT_THROW(radio.AddInterface(u"4"), std::length_error);
  EXPECT_THROW(radio.AddInterface(u"0"), std::invalid_argument);
  EXPECT_THROW(radio.AddNetwork(u"9", {}), std::invalid_argument);
  for (int i = 0; i < 20; ++i) radio.AddNetwork(u"0", {u"n", 1, 3, 0, 0, {}});
  EXPECT_EQ(lib.AddSsid(u"0", u"Own", u"12345"), 0u) << "the 21st network";
  EXPECT_EQ(lib.AddSsid(u"0", u"More", u"12345"), SimRadio::kErrorListFull);
  EXPECT_THROW(radio.AddNetwork(u"0", {}), std::length_error);
}

TEST_F(SimRadioTest, CreatingDeletingJoiningAndLeavingTheOwnNetwork) {
  SimRadio radio(log);
  radio.AddInterface(u"{A}");
  radio.AddNetwork(u"{A}", {u"Cafe", 0, 2, 0, 0, {}});
  lib.RegisterNotification(&Callback);

  ASSERT_EQ(lib.AddSsid(u"{A}", u"Own", u"12345"), 0u);
  auto networks = radio.Networks(u"{A}");
  ASSERT_EQ(networks.size(), 2u);
  EXPECT_EQ(networks[0].state, 1) << "creating moved the interface off its old network";
  EXPECT_EQ(networks[1].ssid, u"Own");
  EXPECT_EQ(networks[1].kind, 1);
  EXPECT_EQ(networks[1].key, u"12345");

  ASSERT_EQ(lib.Connect(u"{A}", u"Cafe", u"", 2, 0, 0), 0u);
  ASSERT_EQ(lib.Disconnect(u"{A}"), 0u);
  EXPECT_EQ(lib.Connect(u"{A}", u"Nowhere", u"", 1, 0, 0), SimRadio::kErrorNotFound);
  EXPECT_EQ(lib.Connect(u"{A}", u"Cafe", u"", 4, 0, 0), SimRadio::kErrorInvalidParameter);
  EXPECT_EQ(lib.DeleteSsid(u"{A}", u"Cafe"), SimRadio::kErrorNotFound) << "not an own network";
  EXPECT_EQ(lib.DeleteSsid(u"{A}", u"Own"), 0u);
  EXPECT_EQ(radio.Networks(u"{A}").size(), 1u);

  ASSERT_TRUE(radio.WaitForDeliveries(kBound));
  const auto received = Received();
  EXPECT_EQ(received, (std::vector<Delivered>{{SimRadio::kSourceAcm, 10, "Cafe", true, {}},
                                              {SimRadio::kSourceAcm, 21, "Cafe", true, {}}}));
  ASSERT_FALSE(received.empty());
  EXPECT_NE(received[0].thread, std::this_thread::get_id()) << "from the radio's own thread";
  EXPECT_EQ(log.Calls(),
            (Lines{"RegisterNotification", "AddSsid {A} Own 12345", "Connect {A} Cafe  2 0 0",
                   "Disconnect {A}", "Connect {A} Nowhere  1 0 0", "Connect {A} Cafe  4 0 0",
                   "DeleteSsid {A} Cafe", "DeleteSsid {A} Own"}));
}

TEST_F(SimRadioTest, ScriptedFailuresAnswerTheirCodeAndChangeNothing) {
  SimRadio radio(log);
  radio.AddInterface(u"{A}");
  radio.AddNetwork(u"{A}", {u"Cafe", 1, 2, 0, 0, {}});
  lib.RegisterNotification(&Callback);
  log.FailCall("Connect", 5);
  log.FailCall("AddSsid", 6);
  log.FailCall("EnumInterface", 7);

  EXPECT_EQ(lib.Connect(u"{A}", u"Cafe", u"", 2, 0, 0), 5u);
  EXPECT_EQ(lib.AddSsid(u"{A}", u"Own", u"12345"), 6u);
  alignas(8) std::byte interfaces[layout::kInterfaceListSize] = {};
  EXPECT_EQ(lib.EnumInterface(interfaces), 7u);
  EXPECT_EQ(ReadAt<uint32_t>(interfaces, 0), 0u);
  EXPECT_EQ(radio.Networks(u"{A}").size(), 1u);
  EXPECT_EQ(radio.Networks(u"{A}")[0].state, 1);
  ASSERT_TRUE(radio.WaitForDeliveries(kBound));
  EXPECT_TRUE(Received().empty());
}

TEST_F(SimRadioTest, NoCallbackRunsAfterUnRegisterReturns) {
  SimRadio radio(log);
  lib.RegisterNotification(&Callback);
  blockCallback = true;
  radio.SendNotification(SimRadio::kSourceAcm, 10, "Slow");
  while (!insideCallback) std::this_thread::yield();

  auto unregister = std::async(std::launch::async, [&] {
    lib.UnRegisterNotification();
    return insideCallback.load();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  blockCallback = false;
  ASSERT_EQ(unregister.wait_for(kBound), std::future_status::ready);
  EXPECT_FALSE(unregister.get()) << "it returned only once the running callback had ended";

  radio.SendNotification(SimRadio::kSourceAcm, 21, std::nullopt);
  ASSERT_TRUE(radio.WaitForDeliveries(kBound));
  EXPECT_EQ(Received().size(), 1u);
}

TEST_F(SimRadioTest, ScriptedRegistrationFailures) {
  SimRadio radio(log);
  log.FailCall("RegisterNotification", 1, 1);
  log.FailCall("UnRegisterNotification", 1, 1);
  lib.RegisterNotification(&Callback);
  radio.SendNotification(SimRadio::kSourceAcm, 10, "Dropped");
  ASSERT_TRUE(radio.WaitForDeliveries(kBound));
  EXPECT_TRUE(Received().empty()) << "the failed registration registered nothing";

  lib.RegisterNotification(&Callback);
  lib.UnRegisterNotification();
  radio.SendNotification(SimRadio::kSourceAcm, 10, "Kept");
  ASSERT_TRUE(radio.WaitForDeliveries(kBound));
  EXPECT_EQ(Received().size(), 1u) << "the failed withdrawal left the callback in place";
}

TEST_F(SimRadioTest, RadiosFollowOneAnotherAndTheTableNeedsOne) {
  EXPECT_EQ(lib.Disconnect(u"{A}"), SimRadio::kErrorNoRadio);
  lib.UnRegisterNotification();  // harmless without a radio
  {
    SimRadio first(log);
    first.AddInterface(u"{first}");
    EXPECT_THROW(SimRadio{log}, std::logic_error);
    EXPECT_EQ(lib.Disconnect(u"{first}"), 0u);
  }
  SimRadio second(log);
  EXPECT_EQ(lib.Disconnect(u"{first}"), SimRadio::kErrorInvalidParameter)
      << "the table reaches the new radio";
}

}  // namespace
}  // namespace orvane::sim
