#include "app/ConnectionChoice.h"

#include <gtest/gtest.h>

#include <memory>

namespace orvane {
namespace {

constexpr uint32_t kConnected = 2;
constexpr uint32_t kDisconnected = 7;  // media disconnected: listed, but not connected
constexpr uint32_t kLan = 3;
constexpr uint32_t kPhone = 4;

struct Row {
  std::string guid;
  uint32_t status = kConnected;
  uint32_t media = kLan;
  bool physical = false;
  bool wireless = false;
};

StringObjectList<TConnection> ListOf(std::initializer_list<Row> rows) {
  StringObjectList<TConnection> list;
  for (const Row& row : rows) {
    auto connection = std::make_unique<TConnection>();
    connection->GUID = row.guid;
    connection->Name = "Connection " + row.guid;
    connection->Status = row.status;
    connection->MediaType = row.media;
    connection->IsPhysical = row.physical;
    connection->IsWireless = row.wireless;
    std::string name = connection->Name;
    list.Add(std::move(name), std::move(connection));
  }
  return list;
}

// The list with a default route through the gateway on the connection with this GUID.
StringObjectList<TConnection> Routed(StringObjectList<TConnection> list, const std::string& guid,
                                     const std::string& gateway) {
  for (auto& entry : list)
    if (entry.object->GUID == guid) entry.object->Gateways = {gateway};
  return list;
}

std::string GuidOf(const TConnection* connection) {
  return connection ? connection->GUID : "<none>";
}

TEST(DefaultSource, PrefersTheFirstConnectedPhysicalLanEvenWhenItComesLater) {
  const auto list = ListOf({{"{VPN}"},
                            {"{WIFI}", kConnected, kLan, true, true},
                            {"{PCI}", kConnected, kLan, true},
                            {"{USB}", kConnected, kLan, true},
                            {"{LATE-VPN}"}});
  EXPECT_EQ(GuidOf(DefaultSource(list)), "{PCI}");
}

TEST(DefaultSource, TheConnectionWithTheDefaultRouteWins) {
  const Row pci{"{PCI}", kConnected, kLan, true};
  const Row wifi{"{WIFI}", kConnected, kLan, true, true};
  // A cable plugged in without an address, while the Internet goes through a phone.
  EXPECT_EQ(GuidOf(DefaultSource(Routed(ListOf({pci, {"{PHONE}", kConnected, kPhone, true}, wifi}),
                                        "{PHONE}", "10.0.0.1"))),
            "{PHONE}");
  // "0.0.0.0" is no route; a disconnected one does not count.
  EXPECT_EQ(GuidOf(DefaultSource(
                Routed(Routed(ListOf({{"{VPN}"}, {"{OLD}", kDisconnected, kLan, true}, pci}),
                              "{VPN}", "0.0.0.0"),
                       "{OLD}", "10.0.0.1"))),
            "{PCI}");
  // A wireless uplink only while another wireless connection is left to broadcast.
  EXPECT_EQ(GuidOf(DefaultSource(Routed(ListOf({pci, wifi}), "{WIFI}", "10.0.0.1"))), "{PCI}");
  EXPECT_EQ(
      GuidOf(DefaultSource(Routed(ListOf({pci, wifi, {"{USB-WIFI}", kConnected, kLan, true, true}}),
                                  "{WIFI}", "10.0.0.1"))),
      "{WIFI}");
}

TEST(DefaultSource, FallsBackToTheLastConnectedNonWirelessConnection) {
  const auto list = ListOf({{"{VPN-A}"},
                            {"{PHONE}", kConnected, kPhone, true},  // physical, but not LAN
                            {"{VPN-B}"},
                            {"{CABLE-UNPLUGGED}", kDisconnected, kLan, true},
                            {"{WIFI}", kConnected, kLan, true, true}});
  EXPECT_EQ(GuidOf(DefaultSource(list)), "{VPN-B}");
}

TEST(DefaultSource, NoneWithoutAConnectedWiredConnection) {
  EXPECT_EQ(DefaultSource(ListOf({})), nullptr);
  EXPECT_EQ(DefaultSource(ListOf({{"{CABLE}", kDisconnected, kLan, true},
                                  {"{WIFI}", kConnected, kLan, true, true}})),
            nullptr);
}

TEST(DefaultSource, TheOnlyWifiCarryingTheRouteSharesItself) {
  const Row wifi{"{WIFI}", kConnected, kLan, true, true};
  EXPECT_EQ(GuidOf(DefaultSource(Routed(ListOf({wifi}), "{WIFI}", "10.0.0.1"))), "{WIFI}");
  // Not while another connection can be the source, nor when it is not the destination.
  EXPECT_EQ(GuidOf(DefaultSource(Routed(ListOf({wifi, {"{VPN}"}}), "{WIFI}", "10.0.0.1"))),
            "{VPN}");
  EXPECT_EQ(
      GuidOf(DefaultSource(Routed(ListOf({wifi, {"{WIFI-OFF}", kDisconnected, kLan, true, true}}),
                                  "{WIFI}", "10.0.0.1"))),
      "{WIFI}")
      << "a second wireless card leaves the first as an ordinary source";
  EXPECT_EQ(DefaultSource(Routed(ListOf({{"{WIFI}", kDisconnected, kLan, true, true}}), "{WIFI}",
                                 "10.0.0.1")),
            nullptr);
}

TEST(DefaultDestination, IsTheLastWirelessConnectionWhateverItsStatus) {
  const auto list = ListOf({{"{WIFI-A}", kConnected, kLan, true, true},
                            {"{PCI}", kConnected, kLan, true},
                            {"{WIFI-B}", kDisconnected, kLan, true, true},
                            {"{VPN}"}});
  EXPECT_EQ(GuidOf(DefaultDestination(list)), "{WIFI-B}");
  EXPECT_EQ(DefaultDestination(ListOf({{"{PCI}", kConnected, kLan, true}})), nullptr);
}

TEST(FindConnection, MatchesTheWholeTextExactlyAndTakesTheFirstMatch) {
  auto list = ListOf({{"{AB-CD}"}, {""}, {"{AB-CD}", kDisconnected}});
  EXPECT_EQ(FindConnection(list, "{AB-CD}"), list.Objects(0));
  EXPECT_EQ(FindConnection(list, "{ab-cd}"), nullptr) << "letter case counts";
  EXPECT_EQ(FindConnection(list, "AB-CD"), nullptr);
  EXPECT_EQ(FindConnection(list, "{AB-CD} "), nullptr);
  EXPECT_EQ(FindConnection(list, ""), nullptr) << "an empty text never matches";
}

}  // namespace
}  // namespace orvane
