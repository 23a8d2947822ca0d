// The interface and network lists the wireless library fills: counts and entries are the
// library's, so any bytes must read safely.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "wireless/WlanBuffers.h"

namespace layout = orvane::platform::wlan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);

  // Interface identifiers the library owns; a slot points at one of them or is empty.
  std::vector<std::u16string> ids;
  orvane::wlan::InterfaceListBuffer interfaces;
  const auto count = input.ConsumeIntegral<uint32_t>();
  std::memcpy(interfaces.bytes.data(), &count, sizeof count);
  for (std::size_t slot = 0; slot < layout::kMaxInterfaces; ++slot) {
    if (!input.ConsumeBool()) continue;
    const std::string bytes = input.ConsumeRandomLengthString(600);
    ids.emplace_back(bytes.size() / 2, u'\0');
    std::memcpy(ids.back().data(), bytes.data(), ids.back().size() * 2);
  }
  for (std::size_t slot = 0; slot < ids.size(); ++slot) {
    const char16_t* id = ids[slot].c_str();
    std::memcpy(interfaces.bytes.data() + layout::kInterfaceEntriesOffset +
                    slot * layout::kInterfaceEntrySize,
                &id, sizeof id);
  }
  FUZZ_CHECK(orvane::wlan::InterfaceCount(interfaces) <= layout::kMaxInterfaces);
  for (std::size_t slot = 0; slot <= layout::kMaxInterfaces; ++slot)
    (void)orvane::wlan::InterfaceId(interfaces, slot);

  orvane::wlan::NetworkListBuffer networks;
  const auto bytes = input.ConsumeBytes<std::byte>(networks.bytes.size());
  if (!bytes.empty()) std::memcpy(networks.bytes.data(), bytes.data(), bytes.size());
  FUZZ_CHECK(orvane::wlan::NetworkCount(networks) <= layout::kMaxNetworks);
  for (std::size_t index = 0; index <= layout::kMaxNetworks; ++index)
    FUZZ_CHECK(orvane::wlan::ReadNetworkEntry(networks, index).ssid.size() <= layout::kSsidUnits);
  return 0;
}
