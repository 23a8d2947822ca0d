#include "platform/linux/Nl80211.h"

#include "platform/linux/Netlink.h"
#include "platform/linux/NetlinkAnswers.h"
#include "platform/linux/NetlinkSocket.h"

#include <linux/genetlink.h>
#include <linux/nl80211.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

namespace orvane::platform::linux_backend {
namespace {

// One attribute of a received message: its type (flags masked off) and its checked payload.
struct Attribute {
  uint16_t type = 0;
  std::span<const uint8_t> payload;
};

// Calls visit for each attribute that lies wholly inside bytes; stops at the first that does not.
void ForEachAttribute(std::span<const uint8_t> bytes,
                      const std::function<void(const Attribute&)>& visit) {
  std::size_t offset = 0;
  while (bytes.size() - offset >= NLA_HDRLEN) {
    nlattr header{};
    std::memcpy(&header, bytes.data() + offset, sizeof header);
    if (header.nla_len < NLA_HDRLEN || header.nla_len > bytes.size() - offset) return;
    visit({static_cast<uint16_t>(header.nla_type & NLA_TYPE_MASK),
           bytes.subspan(offset + NLA_HDRLEN, header.nla_len - NLA_HDRLEN)});
    offset += std::min<std::size_t>(bytes.size() - offset, NLA_ALIGN(header.nla_len));
  }
}

std::optional<uint32_t> U32Of(const Attribute& attribute) {
  if (attribute.payload.size() < sizeof(uint32_t)) return std::nullopt;
  uint32_t value = 0;
  std::memcpy(&value, attribute.payload.data(), sizeof value);
  return value;
}

std::optional<uint16_t> U16Of(const Attribute& attribute) {
  if (attribute.payload.size() < sizeof(uint16_t)) return std::nullopt;
  uint16_t value = 0;
  std::memcpy(&value, attribute.payload.data(), sizeof value);
  return value;
}

std::string TextOf(const Attribute& attribute) {
  const auto* text = reinterpret_cast<const char*>(attribute.payload.data());
  return std::string(text, strnlen(text, attribute.payload.size()));
}

// The attributes of a generic netlink message, after its family header.
std::span<const uint8_t> GenericAttributes(const nlmsghdr& header) {
  const std::size_t fixed = NLMSG_HDRLEN + GENL_HDRLEN;
  if (header.nlmsg_len < fixed) return {};
  const auto* start = reinterpret_cast<const uint8_t*>(&header) + fixed;
  return {start, header.nlmsg_len - fixed};
}

// A nested set of flags whose attribute types are interface types.
uint32_t TypeBits(std::span<const uint8_t> nested) {
  uint32_t bits = 0;
  ForEachAttribute(nested, [&](const Attribute& flag) { bits |= IftypeBit(flag.type); });
  return bits;
}

InterfaceCombination::Limit ParseLimit(std::span<const uint8_t> nested) {
  InterfaceCombination::Limit limit;
  ForEachAttribute(nested, [&](const Attribute& attribute) {
    if (attribute.type == NL80211_IFACE_LIMIT_MAX) limit.max = U32Of(attribute).value_or(0);
    if (attribute.type == NL80211_IFACE_LIMIT_TYPES) limit.types = TypeBits(attribute.payload);
  });
  return limit;
}

InterfaceCombination ParseCombination(std::span<const uint8_t> nested) {
  InterfaceCombination combination;
  ForEachAttribute(nested, [&](const Attribute& attribute) {
    switch (attribute.type) {
      case NL80211_IFACE_COMB_LIMITS:
        ForEachAttribute(attribute.payload, [&](const Attribute& limit) {
          if (combination.limits.size() < kMaxLimitsPerCombination)
            combination.limits.push_back(ParseLimit(limit.payload));
        });
        break;
      case NL80211_IFACE_COMB_MAXNUM:
        combination.maxInterfaces = U32Of(attribute).value_or(0);
        break;
      case NL80211_IFACE_COMB_NUM_CHANNELS:
        combination.channels = U32Of(attribute).value_or(0);
        break;
      default:
        break;
    }
  });
  return combination;
}

// Sends a request and hands visit each answer message; answers errno (0 for success).
int Exchange(NetlinkSocket& socket, std::vector<uint8_t>& message,
             const std::function<void(const nlmsghdr&)>& visit) {
  try {
    socket.Send(message);
    return socket.Receive(visit);
  } catch (const NetlinkError& error) {
    return error.error;
  }
}

// A generic netlink socket, or none with errno in error.
std::unique_ptr<NetlinkSocket> OpenGeneric(int& error) {
  try {
    return std::make_unique<NetlinkSocket>(NETLINK_GENERIC);
  } catch (const NetlinkError& failure) {
    error = failure.error;
    return nullptr;
  }
}

std::vector<uint8_t> GenericRequest(uint16_t family, uint8_t command, uint16_t flags) {
  std::vector<uint8_t> message(NLMSG_HDRLEN + GENL_HDRLEN);
  auto* header = reinterpret_cast<nlmsghdr*>(message.data());
  header->nlmsg_type = family;
  header->nlmsg_flags = static_cast<uint16_t>(NLM_F_REQUEST | flags);
  genlmsghdr generic{};
  generic.cmd = command;
  generic.version = 1;
  std::memcpy(message.data() + NLMSG_HDRLEN, &generic, sizeof generic);
  return message;
}

void Append(std::vector<uint8_t>& message, uint16_t type, const void* data, std::size_t size) {
  const std::size_t start = message.size();
  message.resize(start + NLA_ALIGN(NLA_HDRLEN + size));
  nlattr header{};
  header.nla_len = static_cast<uint16_t>(NLA_HDRLEN + size);
  header.nla_type = type;
  std::memcpy(message.data() + start, &header, sizeof header);
  if (size > 0) std::memcpy(message.data() + start + NLA_HDRLEN, data, size);
}

void AppendU32(std::vector<uint8_t>& message, uint16_t type, uint32_t value) {
  Append(message, type, &value, sizeof value);
}

// The nl80211 family id, or 0 with errno in error.
uint16_t Nl80211Family(NetlinkSocket& socket, int& error) {
  auto message = GenericRequest(GENL_ID_CTRL, CTRL_CMD_GETFAMILY, NLM_F_ACK);
  const char name[] = NL80211_GENL_NAME;
  Append(message, CTRL_ATTR_FAMILY_NAME, name, sizeof name);
  uint16_t family = 0;
  error = Exchange(socket, message, [&](const nlmsghdr& header) {
    if (auto id = ParseFamilyId(header)) family = *id;
  });
  if (error == 0 && family == 0) error = ENOENT;
  return family;
}

}  // namespace

std::optional<uint16_t> ParseFamilyId(const nlmsghdr& header) {
  if (header.nlmsg_type != GENL_ID_CTRL) return std::nullopt;
  std::optional<uint16_t> id;
  ForEachAttribute(GenericAttributes(header), [&](const Attribute& attribute) {
    if (attribute.type == CTRL_ATTR_FAMILY_ID) id = U16Of(attribute);
  });
  return id;
}

std::optional<WirelessInterface> ParseWirelessInterface(const nlmsghdr& header) {
  if (header.nlmsg_type < NLMSG_MIN_TYPE) return std::nullopt;
  WirelessInterface found;
  bool hasIndex = false;
  bool hasWiphy = false;
  ForEachAttribute(GenericAttributes(header), [&](const Attribute& attribute) {
    switch (attribute.type) {
      case NL80211_ATTR_IFINDEX:
        if (auto value = U32Of(attribute)) found.index = *value, hasIndex = true;
        break;
      case NL80211_ATTR_WIPHY:
        if (auto value = U32Of(attribute)) found.wiphy = *value, hasWiphy = true;
        break;
      case NL80211_ATTR_IFTYPE:
        found.iftype = U32Of(attribute).value_or(0);
        break;
      case NL80211_ATTR_WIPHY_FREQ:
        found.frequencyMHz = U32Of(attribute).value_or(0);
        break;
      case NL80211_ATTR_IFNAME:
        found.name = TextOf(attribute);
        break;
      case NL80211_ATTR_MAC:
        if (attribute.payload.size() == 6)
          found.hardwareAddress.assign(attribute.payload.begin(), attribute.payload.end());
        break;
      default:
        break;
    }
  });
  if (!hasIndex || !hasWiphy) return std::nullopt;
  return found;
}

std::vector<InterfaceCombination> ParseCombinations(std::span<const uint8_t> payload) {
  std::vector<InterfaceCombination> combinations;
  ForEachAttribute(payload, [&](const Attribute& entry) {
    if (combinations.size() < kMaxCombinations)
      combinations.push_back(ParseCombination(entry.payload));
  });
  return combinations;
}

void ParseWiphy(const nlmsghdr& header, uint32_t wiphy, WirelessCardFacts& card) {
  if (header.nlmsg_type < NLMSG_MIN_TYPE) return;
  const auto attributes = GenericAttributes(header);
  std::optional<uint32_t> radio;
  ForEachAttribute(attributes, [&](const Attribute& attribute) {
    if (attribute.type == NL80211_ATTR_WIPHY) radio = U32Of(attribute);
  });
  if (radio != wiphy) return;
  card.read = true;
  ForEachAttribute(attributes, [&](const Attribute& attribute) {
    if (attribute.type == NL80211_ATTR_SUPPORTED_IFTYPES)
      card.supportedTypes |= TypeBits(attribute.payload);
    if (attribute.type == NL80211_ATTR_INTERFACE_COMBINATIONS) {
      for (auto& combination : ParseCombinations(attribute.payload)) {
        if (card.combinations.size() < kMaxCombinations)
          card.combinations.push_back(std::move(combination));
      }
    }
  });
}

int ReadWirelessInterfaces(std::vector<WirelessInterface>& found) {
  found.clear();
  int error = 0;
  const auto socket = OpenGeneric(error);
  if (!socket) return error;
  const uint16_t family = Nl80211Family(*socket, error);
  if (error != 0) return error;
  auto message = GenericRequest(family, NL80211_CMD_GET_INTERFACE, NLM_F_DUMP);
  return Exchange(*socket, message, [&](const nlmsghdr& header) {
    if (header.nlmsg_type != family || found.size() >= 256) return;
    if (auto item = ParseWirelessInterface(header)) found.push_back(std::move(*item));
  });
}

int ReadWirelessInterface(const std::string& name, WirelessInterface& found) {
  const unsigned index = if_nametoindex(name.c_str());
  if (index == 0) return ENODEV;
  int error = 0;
  const auto socket = OpenGeneric(error);
  if (!socket) return error;
  const uint16_t family = Nl80211Family(*socket, error);
  if (error != 0) return error;
  auto message = GenericRequest(family, NL80211_CMD_GET_INTERFACE, NLM_F_ACK);
  AppendU32(message, NL80211_ATTR_IFINDEX, index);
  bool seen = false;
  error = Exchange(*socket, message, [&](const nlmsghdr& header) {
    if (header.nlmsg_type != family) return;
    auto item = ParseWirelessInterface(header);
    if (item && item->index == index) found = std::move(*item), seen = true;
  });
  if (error == 0 && !seen) error = ENODEV;
  return error;
}

int ReadWirelessCard(uint32_t wiphy, WirelessCardFacts& card) {
  int error = 0;
  const auto socket = OpenGeneric(error);
  if (!socket) return error;
  const uint16_t family = Nl80211Family(*socket, error);
  if (error != 0) return error;
  // Split into several messages, as a card's full description outgrows one.
  auto message = GenericRequest(family, NL80211_CMD_GET_WIPHY, NLM_F_DUMP);
  AppendU32(message, NL80211_ATTR_WIPHY, wiphy);
  Append(message, NL80211_ATTR_SPLIT_WIPHY_DUMP, nullptr, 0);
  return Exchange(*socket, message, [&](const nlmsghdr& header) {
    if (header.nlmsg_type == family) ParseWiphy(header, wiphy, card);
  });
}

int AddAccessPointInterface(uint32_t wiphy, const std::string& name,
                            const std::vector<uint8_t>& hardwareAddress, uint32_t& index) {
  index = 0;
  if (name.empty() || name.size() >= IFNAMSIZ) return EINVAL;
  int error = 0;
  const auto socket = OpenGeneric(error);
  if (!socket) return error;
  const uint16_t family = Nl80211Family(*socket, error);
  if (error != 0) return error;
  auto message = GenericRequest(family, NL80211_CMD_NEW_INTERFACE, NLM_F_ACK);
  AppendU32(message, NL80211_ATTR_WIPHY, wiphy);
  Append(message, NL80211_ATTR_IFNAME, name.c_str(), name.size() + 1);
  AppendU32(message, NL80211_ATTR_IFTYPE, NL80211_IFTYPE_AP);
  if (hardwareAddress.size() == 6)
    Append(message, NL80211_ATTR_MAC, hardwareAddress.data(), hardwareAddress.size());
  error = Exchange(*socket, message, [&](const nlmsghdr& header) {
    if (header.nlmsg_type != family) return;
    if (auto item = ParseWirelessInterface(header)) index = item->index;
  });
  if (error == 0 && index == 0) index = if_nametoindex(name.c_str());
  return error;
}

int DeleteWirelessInterface(uint32_t index) {
  int error = 0;
  const auto socket = OpenGeneric(error);
  if (!socket) return error;
  const uint16_t family = Nl80211Family(*socket, error);
  if (error != 0) return error;
  auto message = GenericRequest(family, NL80211_CMD_DEL_INTERFACE, NLM_F_ACK);
  AppendU32(message, NL80211_ATTR_IFINDEX, index);
  return Exchange(*socket, message, [](const nlmsghdr&) {});
}

namespace {
constexpr const char* kBesidePrefix = "orvap";
}  // namespace

std::string BesideAccessPointName(uint32_t stationIndex) {
  return kBesidePrefix + std::to_string(stationIndex);
}

bool IsBesideAccessPointName(const std::string& name) {
  const std::string prefix = kBesidePrefix;
  if (name.size() <= prefix.size() || name.size() >= IFNAMSIZ || name.rfind(prefix, 0) != 0)
    return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<uint8_t> BesideAccessPointAddress(const std::vector<uint8_t>& stationAddress) {
  if (stationAddress.size() != 6) return {};
  std::vector<uint8_t> address = stationAddress;
  address[0] = static_cast<uint8_t>((address[0] | 0x02) & ~0x01);  // local, unicast
  // A station address that is already local still gets a different one.
  if (address == stationAddress) address[5] ^= 0x01;
  return address;
}

int BringInterfaceUp(const std::string& name) {
  if (name.empty() || name.size() >= IFNAMSIZ) return EINVAL;
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return errno;
  ifreq request{};
  std::memcpy(request.ifr_name, name.c_str(), name.size());
  int error = 0;
  if (ioctl(fd, SIOCGIFFLAGS, &request) != 0) {
    error = errno;
  } else if ((request.ifr_flags & IFF_UP) == 0) {
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
    if (ioctl(fd, SIOCSIFFLAGS, &request) != 0) error = errno;
  }
  close(fd);
  return error;
}

WirelessCardFacts ReadWirelessCardOf(const std::string& interfaceName) {
  WirelessCardFacts card;
  WirelessInterface station;
  if (ReadWirelessInterface(interfaceName, station) != 0) return card;
  if (ReadWirelessCard(station.wiphy, card) != 0) return WirelessCardFacts{};
  card.currentType = station.iftype;
  card.frequencyMHz = station.frequencyMHz;
  return card;
}

}  // namespace orvane::platform::linux_backend
