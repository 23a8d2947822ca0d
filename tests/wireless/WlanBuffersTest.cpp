#include "wireless/WlanBuffers.h"

#include <cstring>

#include <gtest/gtest.h>

namespace orvane::wlan {
namespace {

namespace layout = platform::wlan;

template <typename T, std::size_t N>
void Put(std::array<std::byte, N>& bytes, std::size_t offset, const T& value) {
  std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

std::size_t NetworkEntryAt(std::size_t index) {
  return layout::kNetworkEntriesOffset + index * layout::kNetworkEntrySize;
}

TEST(WlanBuffers, InterfaceListCountIsClampedAndMissingIdentifiersReadEmpty) {
  InterfaceListBuffer list;
  const char16_t second[] = u"{wlan-1}";
  Put(list.bytes, 0, uint32_t{9});
  Put(list.bytes, layout::kInterfaceEntriesOffset + layout::kInterfaceEntrySize, &second[0]);

  EXPECT_EQ(InterfaceCount(list), layout::kMaxInterfaces) << "a library over its capacity";
  EXPECT_EQ(InterfaceId(list, 0), u"") << "no pointer in the slot";
  EXPECT_EQ(InterfaceId(list, 1), u"{wlan-1}");
  EXPECT_EQ(InterfaceId(list, layout::kMaxInterfaces), u"") << "outside the buffer";
}

TEST(WlanBuffers, NetworkEntryFieldsComeFromTheirOffsets) {
  NetworkListBuffer list;
  Put(list.bytes, 0, uint32_t{2});
  const std::size_t entry = NetworkEntryAt(1);
  const char16_t ssid[] = u"Caf\u00e9";
  std::memcpy(list.bytes.data() + entry, ssid, sizeof(ssid));
  Put(list.bytes, entry + 68, uint32_t{0xFFFFFFFF});  // unused fields must not leak in
  Put(list.bytes, entry + 80, uint8_t{0});
  Put(list.bytes, entry + 81, uint8_t{0xEE});
  Put(list.bytes, entry + 84, uint8_t{1});
  Put(list.bytes, entry + 88, uint32_t{0xFFFFFFFF});
  Put(list.bytes, entry + 92, uint32_t{0x01020304});
  Put(list.bytes, entry + 96, uint32_t{0xA0B0C0D0});

  EXPECT_EQ(NetworkCount(list), 2u);
  const NetworkEntry read = ReadNetworkEntry(list, 1);
  EXPECT_EQ(read.ssid, u"Caf\u00e9");
  EXPECT_EQ(read.state, 0);
  EXPECT_EQ(read.kind, 1);
  EXPECT_EQ(read.value1, 0x01020304u);
  EXPECT_EQ(read.value2, 0xA0B0C0D0u);
}

TEST(WlanBuffers, NetworkListIsReadWithinItsCapacity) {
  NetworkListBuffer list;
  Put(list.bytes, 0, uint32_t{1000});
  EXPECT_EQ(NetworkCount(list), layout::kMaxNetworks);

  // An SSID filling all 33 units without a terminator stops at the field's end.
  const std::size_t last = NetworkEntryAt(layout::kMaxNetworks - 1);
  for (std::size_t i = 0; i < layout::kSsidUnits; ++i) Put(list.bytes, last + 2 * i, u'x');
  Put(list.bytes, last + 66, u'!');
  EXPECT_EQ(ReadNetworkEntry(list, layout::kMaxNetworks - 1).ssid,
            std::u16string(layout::kSsidUnits, u'x'));
}

struct NotificationRecord {
  alignas(8) std::array<std::byte, layout::kNotificationRecordSize> record{};
  alignas(8) std::array<std::byte, layout::kNotificationReasonBlockSize> data{};

  NotificationRecord(uint32_t source, uint32_t code, const std::string& ssid) {
    Put(record, 0, source);
    Put(record, 4, code);
    Put(record, layout::kNotificationDataSizeOffset, static_cast<uint32_t>(data.size()));
    Put(record, layout::kNotificationDataOffset, static_cast<const void*>(data.data()));
    std::memcpy(data.data() + 520, ssid.data(), std::min<std::size_t>(ssid.size(), 32));
  }
};

TEST(WlanBuffers, NotificationNeedsASourceAndReadsTheCodeFromTheLowByte) {
  EXPECT_FALSE(ReadNotification(nullptr));
  EXPECT_FALSE(ReadNotification(NotificationRecord(0x00010000, 10, "Net").record.data()))
      << "only the source's low 16 bits count";

  const auto read = ReadNotification(NotificationRecord(0x8, 0x1500 | 21, "Net").record.data());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->code, 21u);
  EXPECT_EQ(read->ssid, "Net");
}

TEST(WlanBuffers, NotificationSsidIsAtMost32BytesAndADataBlockIsOptional) {
  const std::string longName(40, 'n');
  NotificationRecord full(0x8, 10, longName);
  Put(full.data, 552, 'X');  // the byte after the SSID field
  EXPECT_EQ(ReadNotification(full.record.data())->ssid, std::string(32, 'n'));

  NotificationRecord noData(0x8, 10, "");
  Put(noData.record, layout::kNotificationDataOffset, static_cast<const void*>(nullptr));
  const auto read = ReadNotification(noData.record.data());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->ssid, "");
}

TEST(WlanBuffers, NotificationSsidIsReadOnlyFromAConnectionBlockOfFullSize) {
  // Other codes point at other, smaller structures; their SSID bytes would be someone else's.
  NotificationRecord otherCode(0x8, 11, "Net");
  const auto other = ReadNotification(otherCode.record.data());
  ASSERT_TRUE(other);
  EXPECT_EQ(other->code, 11u);
  EXPECT_EQ(other->ssid, "");

  NotificationRecord shortBlock(0x8, 10, "Net");
  Put(shortBlock.record, layout::kNotificationDataSizeOffset, uint32_t{8});
  const auto truncated = ReadNotification(shortBlock.record.data());
  ASSERT_TRUE(truncated);
  EXPECT_EQ(truncated->code, 10u);
  EXPECT_EQ(truncated->ssid, "") << "the block says it ends before the SSID";
}

TEST(WlanBuffers, AConnectionsReasonIsReadWhereTheBlockHoldsIt) {
  NotificationRecord failed(0x8, 10, "Net");
  Put(failed.data, 560, uint32_t{0x00028002});
  EXPECT_EQ(ReadNotification(failed.record.data())->reason, 0x00028002u);
  // A block that ends before the reason (a library that reports only successes) reads as one.
  Put(failed.record, layout::kNotificationDataSizeOffset,
      static_cast<uint32_t>(layout::kNotificationDataBlockSize));
  const auto older = ReadNotification(failed.record.data());
  EXPECT_EQ(older->ssid, "Net");
  EXPECT_EQ(older->reason, 0u);
}

}  // namespace
}  // namespace orvane::wlan
