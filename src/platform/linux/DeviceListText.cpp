#include "platform/linux/DeviceListText.h"

#include <algorithm>

#include "platform/linux/Netlink.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr char kHex[] = "0123456789abcdef";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Printable(char c) {
  return c >= 0x20 && c <= 0x7e;
}

// Letters, digits and the few marks that mean nothing in the line travel as they are.
bool PlainInName(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_';
}

std::optional<std::string> DecodeName(std::string_view text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (PlainInName(text[i])) {
      name += text[i];
      continue;
    }
    if (text[i] != '%' || i + 2 >= text.size()) return {};
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return {};
    name += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return name;
}

std::optional<ConnectedDevice> ParseRecord(std::string_view record) {
  const std::size_t first = record.find(',');
  if (first == std::string_view::npos) return {};
  const std::size_t second = record.find(',', first + 1);
  if (second == std::string_view::npos) return {};
  auto mac = CanonicalHardwareAddress(record.substr(0, first));
  auto ip = CanonicalIpv4(record.substr(first + 1, second - first - 1));
  auto name = DecodeName(record.substr(second + 1));
  if (!mac || !ip || !name || ShowableName(*name) != *name) return {};
  return ConnectedDevice{std::move(*name), std::move(*mac), std::move(*ip)};
}

}  // namespace

std::optional<std::string> CanonicalHardwareAddress(std::string_view text) {
  if (text.size() != 17) return {};
  std::string address;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool separator = i % 3 == 2;
    if (separator != (text[i] == ':')) return {};
    if (separator) {
      address += ':';
      continue;
    }
    const int value = HexValue(text[i]);
    if (value < 0) return {};
    address += kHex[value];
  }
  return address;
}

std::optional<std::string> CanonicalIpv4(std::string_view text) {
  // Checked before parsing: a NUL or a blank in the middle would end the parser's text early.
  if (text.empty() || text.size() > 15 ||
      text.find_first_not_of("0123456789.") != std::string_view::npos) {
    return {};
  }
  auto address = ParseIpv4(std::string(text));
  if (!address) return {};
  return Ipv4Text(*address);
}

std::string ShowableName(std::string_view text) {
  std::string name;
  for (char c : text)
    if (Printable(c)) name += c;
  const std::size_t begin = name.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  name = name.substr(begin, kMaxDeviceNameLength);
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

std::string DeviceListText(const std::vector<ConnectedDevice>& devices) {
  std::string text;
  for (const ConnectedDevice& device : devices) {
    if (!text.empty()) text += ' ';
    text += device.hardwareAddress + ',' + device.ipv4Address + ',';
    for (char c : device.name) {
      if (PlainInName(c)) {
        text += c;
        continue;
      }
      const auto byte = static_cast<unsigned char>(c);
      text += '%';
      text += kHex[byte >> 4];
      text += kHex[byte & 0xf];
    }
  }
  return text;
}

std::vector<ConnectedDevice> ParseDeviceListText(std::string_view text) {
  std::vector<ConnectedDevice> devices;
  while (!text.empty() && devices.size() < kMaxDevices) {
    const std::size_t end = std::min(text.find(' '), text.size());
    if (auto device = ParseRecord(text.substr(0, end))) devices.push_back(std::move(*device));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return devices;
}

}  // namespace orvane::platform::linux_backend
