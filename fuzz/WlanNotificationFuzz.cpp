// Notification records the wireless library hands its callback. The record's data block is
// exactly as large as the record says, so reading past it shows up as an overflow.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzCheck.h"
#include "wireless/WlanBuffers.h"

namespace layout = orvane::platform::wlan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<uint8_t> record = input.ConsumeBytes<uint8_t>(layout::kNotificationRecordSize);
  record.resize(layout::kNotificationRecordSize);
  const bool withBlock = input.ConsumeBool();
  const std::vector<uint8_t> block = input.ConsumeRemainingBytes<uint8_t>();
  // A fresh allocation of the block's own size, so a read past it is caught.
  const auto copy = std::make_unique<uint8_t[]>(block.size());
  if (!block.empty()) std::memcpy(copy.get(), block.data(), block.size());
  const void* pointer = withBlock ? copy.get() : nullptr;
  const auto blockSize = static_cast<uint32_t>(block.size());
  std::memcpy(record.data() + layout::kNotificationDataSizeOffset, &blockSize, sizeof blockSize);
  std::memcpy(record.data() + layout::kNotificationDataOffset, &pointer, sizeof pointer);

  if (const auto notification = orvane::wlan::ReadNotification(record.data())) {
    FUZZ_CHECK(notification->code <= 0xFF);
    FUZZ_CHECK(notification->ssid.size() <= layout::kNotificationSsidMax);
  }
  return 0;
}
