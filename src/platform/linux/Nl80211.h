#pragma once

#include <linux/netlink.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/WirelessCard.h"

// The kernel's wireless configuration interface (nl80211, a generic netlink family): what a
// card can do, and adding or removing a virtual interface on it. Answers come from a socket, so
// every length is checked before a field is read, and lists are read up to a bound.
namespace orvane::platform::linux_backend {

// One wireless interface as the kernel reports it.
struct WirelessInterface {
  uint32_t index = 0;
  uint32_t wiphy = 0;
  uint32_t iftype = 0;
  uint32_t frequencyMHz = 0;  // 0 when not on a channel
  std::string name;
  std::vector<uint8_t> hardwareAddress;
};

inline constexpr std::size_t kMaxCombinations = 32;
inline constexpr std::size_t kMaxLimitsPerCombination = 16;

// The generic netlink family id in a controller answer.
std::optional<uint16_t> ParseFamilyId(const nlmsghdr& header);
// One interface of a GET_INTERFACE answer; nothing when it names no interface and radio.
std::optional<WirelessInterface> ParseWirelessInterface(const nlmsghdr& header);
// Adds what one message of a (split) GET_WIPHY answer says about radio `wiphy` to card; a
// message about another radio adds nothing. Marks card as read once its radio was seen.
void ParseWiphy(const nlmsghdr& header, uint32_t wiphy, WirelessCardFacts& card);
// The interface combinations of one NL80211_ATTR_INTERFACE_COMBINATIONS payload.
std::vector<InterfaceCombination> ParseCombinations(std::span<const uint8_t> payload);

// The live kernel. Each answers errno (0 for success) or throws nothing.
int ReadWirelessInterface(const std::string& name, WirelessInterface& found);
int ReadWirelessInterfaces(std::vector<WirelessInterface>& found);
int ReadWirelessCard(uint32_t wiphy, WirelessCardFacts& card);
// An access point interface on radio wiphy, with its own hardware address; answers its index.
int AddAccessPointInterface(uint32_t wiphy, const std::string& name,
                            const std::vector<uint8_t>& hardwareAddress, uint32_t& index);
int DeleteWirelessInterface(uint32_t index);
// Sets the interface administratively up, so that a server can bind to it before the
// connection manager takes it over.
int BringInterfaceUp(const std::string& name);

// The access point interface that sharing adds beside the station with interface index
// stationIndex; the wireless library finds it by this name.
std::string BesideAccessPointName(uint32_t stationIndex);
bool IsBesideAccessPointName(const std::string& name);
// A hardware address for it derived from the station's: locally administered, so that it
// never clashes with the card's own (a card with one address would refuse the second up).
std::vector<uint8_t> BesideAccessPointAddress(const std::vector<uint8_t>& stationAddress);

// The card behind a network interface, with the interface's current type and channel; not
// read when it is no wireless interface or the kernel would not say.
WirelessCardFacts ReadWirelessCardOf(const std::string& interfaceName);

}  // namespace orvane::platform::linux_backend
