#include "platform/linux/helper/DnsmasqLeases.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "platform/linux/DeviceListText.h"
#include "platform/linux/helper/Dnsmasq.h"

namespace orvane::platform::linux_backend {
namespace {

// Far beyond kMaxDevices leases, and still a small read for root.
constexpr std::size_t kMaxFileSize = std::size_t{256} * 1024;
constexpr std::size_t kMaxLineLength = 1024;

std::optional<int64_t> ParseExpiry(std::string_view text) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != text.npos)
    return {};
  int64_t value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

std::optional<ConnectedDevice> ParseLease(std::string_view line, int64_t now) {
  if (line.size() > kMaxLineLength) return {};
  // The name sits between the address and the client id, which is the last field; a name with
  // blanks in it (dnsmasq would not store one) still cannot shift the fields around it.
  const std::size_t expiryEnd = line.find(' ');
  if (expiryEnd == line.npos) return {};
  const std::size_t macEnd = line.find(' ', expiryEnd + 1);
  if (macEnd == line.npos) return {};
  const std::size_t addressEnd = line.find(' ', macEnd + 1);
  const std::size_t idStart = line.rfind(' ');
  if (addressEnd == line.npos || idStart <= addressEnd) return {};

  const auto expiry = ParseExpiry(line.substr(0, expiryEnd));
  if (!expiry || (*expiry != 0 && *expiry <= now)) return {};
  auto mac = CanonicalHardwareAddress(line.substr(expiryEnd + 1, macEnd - expiryEnd - 1));
  auto address = CanonicalIpv4(line.substr(macEnd + 1, addressEnd - macEnd - 1));
  if (!mac || !address) return {};
  const std::string_view name = line.substr(addressEnd + 1, idStart - addressEnd - 1);
  return ConnectedDevice{name == "*" ? std::string() : ShowableName(name), std::move(*mac),
                         std::move(*address)};
}

}  // namespace

std::vector<ConnectedDevice> ParseDnsmasqLeases(std::string_view text, int64_t now) {
  std::vector<ConnectedDevice> devices;
  for (std::size_t end = text.find('\n'); end != text.npos && devices.size() < kMaxDevices;
       end = text.find('\n')) {
    if (auto device = ParseLease(text.substr(0, end), now)) devices.push_back(std::move(*device));
    text.remove_prefix(end + 1);
  }
  return devices;
}

std::vector<ConnectedDevice> ReadDnsmasqLeases(const std::string& path, int64_t now) {
  // Not blocking: a FIFO put in the file's place must not hang the helper on its open.
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return {};
  struct stat info {};
  std::string text;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      (info.st_uid == geteuid() || info.st_uid == DnsmasqAccount().uid)) {
    text.resize(kMaxFileSize);
    std::size_t got = 0;
    for (ssize_t n; got < text.size() && (n = read(fd, text.data() + got, text.size() - got)) > 0;)
      got += static_cast<std::size_t>(n);
    text.resize(got);  // a line cut at the bound has no newline and is skipped
  }
  close(fd);
  return ParseDnsmasqLeases(text, now);
}

}  // namespace orvane::platform::linux_backend
