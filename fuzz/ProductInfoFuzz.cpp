// The product information file: Base64 text that decodes to INI text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "common/Base64.h"
#include "common/UnitGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orvane::ProductInfo before;
  const orvane::ProductInfo after = orvane::ParseProductInfo(text, before);
  // The support address never comes from the file.
  FUZZ_CHECK(after.supportAddress == before.supportAddress);
  // Decoding never makes bytes out of nothing: four characters hold at most three bytes.
  if (const auto decoded = orvane::Base64Decode(text))
    FUZZ_CHECK(decoded->size() <= size * 3 / 4 + 3);
  return 0;
}
