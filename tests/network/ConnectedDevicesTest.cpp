#include <gtest/gtest.h>

#include <chrono>

#include "network/ConnectedDevices.h"

namespace orvane::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::system_clock;

const Clock::time_point kStart = Clock::time_point{} + 1000h;
const platform::ConnectedDevice kPhone{"phone", "aa:00:00:00:00:01", "192.168.0.10"};
const platform::ConnectedDevice kLaptop{"", "aa:00:00:00:00:02", "192.168.0.11"};

TEST(ConnectedDeviceList, KeepsWhenEachDeviceWasFirstSeenAndDropsThoseThatLeft) {
  TConnectedDeviceList list;
  EXPECT_TRUE(list.Update({kPhone}, kStart));
  EXPECT_FALSE(list.Update({kPhone}, kStart + 5s)) << "nothing changed";
  EXPECT_TRUE(list.Update({kLaptop, kPhone}, kStart + 10s));
  ASSERT_EQ(list.Devices().size(), 2u);
  EXPECT_EQ(list.Devices()[0].HardwareAddress, kPhone.hardwareAddress) << "oldest first";
  EXPECT_EQ(list.Devices()[0].Since, kStart);
  EXPECT_EQ(list.Devices()[1].Since, kStart + 10s);

  EXPECT_TRUE(list.Update({kLaptop}, kStart + 15s));
  ASSERT_EQ(list.Devices().size(), 1u);
  EXPECT_EQ(list.Devices()[0].Name, "");
  EXPECT_TRUE(list.Update({kLaptop, kPhone}, kStart + 20s));
  EXPECT_EQ(list.Devices()[1].Since, kStart + 20s) << "a device that came back counts anew";

  EXPECT_TRUE(list.Clear());
  EXPECT_FALSE(list.Clear());
}

TEST(ConnectedDeviceList, ANewAddressOrNameIsAChangeAndAnAddressListedTwiceCountsOnce) {
  TConnectedDeviceList list;
  list.Update({kPhone}, kStart);
  platform::ConnectedDevice renamed = kPhone;
  renamed.name = "annas-phone";
  renamed.ipv4Address = "192.168.0.99";
  EXPECT_TRUE(list.Update({renamed, kPhone}, kStart + 5s));
  ASSERT_EQ(list.Devices().size(), 1u);
  EXPECT_EQ(list.Devices()[0].IPv4Address, "192.168.0.99");
  EXPECT_EQ(list.Devices()[0].Since, kStart) << "the same device, still there";
}

}  // namespace
}  // namespace orvane::testing
