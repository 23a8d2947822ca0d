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
