// The DHCP server's lease file, which the root sharing helper reads and passes on to the
// program as one line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/linux/DeviceListText.h"
#include "platform/linux/helper/DnsmasqLeases.h"

using namespace orvane::platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto devices = ParseDnsmasqLeases(text, 1'700'000'000);
  FUZZ_CHECK(devices.size() <= kMaxDevices);
  for (const auto& device : devices) {
    FUZZ_CHECK(CanonicalHardwareAddress(device.hardwareAddress) == device.hardwareAddress);
    FUZZ_CHECK(CanonicalIpv4(device.ipv4Address) == device.ipv4Address);
    FUZZ_CHECK(ShowableName(device.name) == device.name);
  }
  // Whatever the names, the program reads back exactly what the helper sent.
  FUZZ_CHECK(ParseDeviceListText(DeviceListText(devices)) == devices);
  return 0;
}
