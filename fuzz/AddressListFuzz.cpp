// The adapter's address chain as the IP layer reports it, joined to text and split into the
// lines the adapter shows.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "network/AdpUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<orvane::platform::IpAddressNode> nodes;
  while (input.remaining_bytes() > 0 && nodes.size() < 64)
    nodes.push_back({input.ConsumeRandomLengthString(40), input.ConsumeRandomLengthString(40)});

  const auto addresses = orvane::TextToLines(orvane::AddressListToText(nodes));
  const auto masks = orvane::TextToLines(orvane::MaskListToText(nodes));
  FUZZ_CHECK(addresses.size() <= 17 * nodes.size());
  FUZZ_CHECK(masks.size() <= 17 * nodes.size());
  for (const auto& line : addresses) FUZZ_CHECK(line.size() <= 16);
  for (const auto& line : masks) FUZZ_CHECK(line.size() <= 16);
  return 0;
}
