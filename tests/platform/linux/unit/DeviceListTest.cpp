// What the helper reads from the DHCP server's lease file, the requests it accepts, and the
// line that carries the devices to the program: hostile names must neither break the line nor
// reach the page unshowable.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "platform/linux/DeviceListText.h"
#include "platform/linux/helper/DnsmasqLeases.h"
#include "platform/linux/helper/HelperRequest.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr int64_t kNow = 1'000'000;

TEST(DeviceListTest, LeaseFileListsOnlyCurrentWholeIpv4Leases) {
  const std::string longName(200, 'n');
  const std::string text =
      "0 AA:BB:CC:DD:EE:01 192.168.137.10 phone 01:aa:bb:cc:dd:ee:01\n"  // never expires
      "1000001 aa:bb:cc:dd:ee:02 192.168.137.11 * *\n"                   // no name given
      "1000000 aa:bb:cc:dd:ee:03 192.168.137.12 gone *\n"                // expired just now
      "999 aa:bb:cc:dd:ee:04 192.168.137.13 old *\n"
      "2000000 aa:bb:cc:dd:ee:05 192.168.137.14 my phone, 100%\x01\x1b[0m *\n"
      "2000000 aa:bb:cc:dd:ee:06 192.168.137.15 " +
      longName +
      " *\n"
      "duid 00:01:00:01:2c:aa:bb:cc:dd:ee:ff:00\n"
      "2000000 305419896 fd00::10 six 00:01:00:01\n"
      "2000000 aa:bb:cc:dd:ee:07 192.168.137.300 badip *\n"
      "2000000 aa:bb:cc:dd:ee 192.168.137.16 shortmac *\n"
      "2000000 aa:bb:cc:dd:ee:08 192.168.137.17\n"
      "-5 aa:bb:cc:dd:ee:09 192.168.137.18 negative *\n"
      "99999999999999999999 aa:bb:cc:dd:ee:0a 192.168.137.19 huge *\n"
      "2000000 aa:bb:cc:dd:ee:0b 192.168.137.20 long " +
      std::string(2000, 'x') +
      "\n"
      "\n"
      "2000000 aa:bb:cc:dd:ee:0c 192.168.137.21 torn *";  // still being written
  const std::vector<ConnectedDevice> expected = {
      {"phone", "aa:bb:cc:dd:ee:01", "192.168.137.10"},
      {"", "aa:bb:cc:dd:ee:02", "192.168.137.11"},
      {"my phone, 100%[0m", "aa:bb:cc:dd:ee:05", "192.168.137.14"},
      {std::string(kMaxDeviceNameLength, 'n'), "aa:bb:cc:dd:ee:06", "192.168.137.15"},
  };
  EXPECT_EQ(ParseDnsmasqLeases(text, kNow), expected);
}

TEST(DeviceListTest, ListIsBoundedWhateverTheFileHolds) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "0 aa:bb:cc:dd:ee:ff 10.0.0.1 * *\n";
  EXPECT_EQ(ParseDnsmasqLeases(text, kNow).size(), kMaxDevices);
  std::string list;
  for (int i = 0; i < 300; ++i) list += "aa:bb:cc:dd:ee:ff,10.0.0.1, ";
  EXPECT_EQ(ParseDeviceListText(list).size(), kMaxDevices);
}

TEST(DeviceListTest, HostileNamesTravelAsOneUnambiguousLine) {
  const std::vector<std::string> names = {
      "", "my phone", "a,b", "50%", "%2C", "x;y\"'\\", "~`!@#$^&*()=+[]{}|:<>?/", "a  b"};
  std::vector<ConnectedDevice> devices;
  for (std::size_t i = 0; i < names.size(); ++i)
    devices.push_back({names[i], "aa:bb:cc:dd:ee:0" + std::to_string(i),
                       "192.168.137." + std::to_string(10 + i)});
  const std::string text = DeviceListText(devices);
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), ' ')),
            devices.size() - 1);
  EXPECT_EQ(ParseDeviceListText(text), devices);
  EXPECT_TRUE(ParseDeviceListText(DeviceListText({})).empty());
}

TEST(DeviceListTest, MalformedRecordsAreDroppedNotShown) {
  const std::string text =
      "aa:bb:cc:dd:ee:01,10.0.0.1,ok "
      "zz:bb:cc:dd:ee:02,10.0.0.2,badmac "
      "aa:bb:cc:dd:ee:03,10.0.0.300,badip "
      "aa:bb:cc:dd:ee:04,10.0.0.4 "
      "aa:bb:cc:dd:ee:05,10.0.0.5,%zz "
      "aa:bb:cc:dd:ee:06,10.0.0.6,%0aline "
      "aa:bb:cc:dd:ee:07,10.0.0.7,raw,comma "
      "aa:bb:cc:dd:ee:08,10.0.0.8,cut%4 "
      "aa:bb:cc:dd:ee:09,10.0.0.9,%20lead "
      "  AA:BB:CC:DD:EE:0A,10.0.0.10,%41";
  const std::vector<ConnectedDevice> expected = {
      {"ok", "aa:bb:cc:dd:ee:01", "10.0.0.1"},
      {"A", "aa:bb:cc:dd:ee:0a", "10.0.0.10"},
  };
  EXPECT_EQ(ParseDeviceListText(text), expected);
}

TEST(DeviceListTest, RequestLinesNeedExactlyAKnownVerbAndAName) {
  const auto request = std::get<HelperRequest>(ParseHelperRequest(" private\twlan0\r"));
  EXPECT_EQ(request.verb, HelperVerb::EnablePrivate);
  EXPECT_EQ(request.interfaceName, "wlan0");
  EXPECT_EQ(std::get<HelperRequest>(ParseHelperRequest("state eth0")).verb, HelperVerb::State);
  EXPECT_EQ(std::get<HelperRequest>(ParseHelperRequest("devices wlan0")).verb, HelperVerb::Devices);
  EXPECT_EQ(std::get<std::string>(ParseHelperRequest("disable")), "malformed request");
  EXPECT_EQ(std::get<std::string>(ParseHelperRequest("devices")), "malformed request");
  EXPECT_EQ(std::get<std::string>(ParseHelperRequest("devices eth0 eth1")), "malformed request");
  EXPECT_EQ(std::get<std::string>(ParseHelperRequest("flush eth0")), "unknown command");
  EXPECT_EQ(std::get<std::string>(ParseHelperRequest("Devices eth0")), "unknown command");
  EXPECT_EQ(std::get<std::string>(ParseHelperRequest("")), "malformed request");
}

}  // namespace
}  // namespace orvane::platform::linux_backend
