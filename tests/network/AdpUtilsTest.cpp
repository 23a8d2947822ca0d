#include "network/AdpUtils.h"

#include <gtest/gtest.h>

#include <vector>

#include "NetworkFixture.h"
#include "network/GuidText.h"

namespace orvane {
namespace {

using testing::NetworkTest;

TEST(AdpUtils, FormatsHardwareAddressesOfAnyLength) {
  EXPECT_EQ(FormatMacAddress({}), "");
  const std::vector<uint8_t> one = {0x0a};
  EXPECT_EQ(FormatMacAddress(one), "0A");
  const std::vector<uint8_t> six = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xfe};
  const std::string text = FormatMacAddress(six);
  EXPECT_EQ(text, "00-1A-2B-3C-4D-FE");
  EXPECT_EQ(text.size(), 17u);
}

TEST(AdpUtils, AddressChainsBecomeOneLinePerNodeInOrder) {
  const std::vector<platform::IpAddressNode> nodes = {{"10.0.0.2", "255.0.0.0"},
                                                      {"192.168.1.5", "255.255.255.0"}};
  EXPECT_EQ(AddressListToText(nodes), "10.0.0.2\r\n192.168.1.5");
  EXPECT_EQ(MaskListToText(nodes), "255.0.0.0\r\n255.255.255.0");
  EXPECT_EQ(AddressListToText({}), "");
  // An empty first node is swallowed: the next one starts the text.
  EXPECT_EQ(AddressListToText({{"", ""}, {"10.1.1.1", ""}}), "10.1.1.1");
  // The fixed 16-character field: cut at NUL, never longer than the field.
  EXPECT_EQ(AddressListToText({{std::string("1.2.3.4\0junk", 12), ""}}), "1.2.3.4");
  EXPECT_EQ(AddressListToText({{"fe80:0000:0000:0000:0001", ""}}), "fe80:0000:0000:0");
}

TEST(AdpUtils, TextToLinesSplitsLikeAStringList) {
  EXPECT_TRUE(TextToLines("").empty());
  EXPECT_EQ(TextToLines("a"), std::vector<std::string>{"a"});
  EXPECT_EQ(TextToLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(TextToLines("a\r\n"), std::vector<std::string>{"a"}) << "no entry after a last break";
  EXPECT_EQ(TextToLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(AdpUtils, GuidTextIsBracedUpperCaseHex) {
  platform::Guid guid{0x0a1b2c3d, 0x4e5f, 0x00ab, {0xcd, 0xef, 0x01, 0x23, 0x45, 0x67, 0x89, 0x0a}};
  const std::string text = GuidToText(guid);
  EXPECT_EQ(text, "{0A1B2C3D-4E5F-00AB-CDEF-01234567890A}");
  EXPECT_EQ(text.size(), 38u);
  EXPECT_EQ(GuidToText({}), "{00000000-0000-0000-0000-000000000000}");
  EXPECT_TRUE(SameTextIgnoringCase("{ab-Cd}", "{AB-cD}"));
  EXPECT_FALSE(SameTextIgnoringCase("{AB}", "{AB}x"));
  EXPECT_FALSE(SameTextIgnoringCase("{AB}", "{AC}"));
}

TEST_F(NetworkTest, InterfaceTableBlockIsSizedOnceAtStart) {
  network.AddInterfaceRow({1, 1});
  network.AddInterfaceRow({2, 2});
  InterfaceTableBlock block(network);
  EXPECT_EQ(block.Size(), platform::kInterfaceTableHeaderSize + 2 * platform::kInterfaceRowSize);
  EXPECT_EQ(log.CallsNamed("GetIfTable"), std::vector<std::string>{"GetIfTable 0"});

  ASSERT_EQ(GetInterfaceTable(block), &block);
  ASSERT_EQ(block.Rows().size(), 2u);
  EXPECT_EQ(block.Rows()[1].operStatus, 2u);
  EXPECT_EQ(log.Count("GetIfTable"), 2u) << "a table that fits is read in one query";
}

TEST_F(NetworkTest, InterfaceTableBlockGrowsOnceWhenTheTableOutgrowsIt) {
  network.AddInterfaceRow({1, 1});
  InterfaceTableBlock block(network);
  network.AddInterfaceRow({2, 1});
  network.AddInterfaceRow({3, 1});
  log.ClearCalls();

  ASSERT_EQ(GetInterfaceTable(block), &block);
  EXPECT_EQ(block.Rows().size(), 3u);
  EXPECT_EQ(log.CallsNamed("GetIfTable"),
            (std::vector<std::string>{"GetIfTable 864", "GetIfTable 2584"}));
  EXPECT_EQ(block.Size(), 2584u);
}

TEST_F(NetworkTest, InterfaceTableFailuresGiveNoTable) {
  InterfaceTableBlock block(network);
  network.AddInterfaceRow({1, 1});

  log.FailCall("GetIfTable", 50, 1);
  EXPECT_EQ(GetInterfaceTable(block), nullptr) << "other errors are not retried";
  EXPECT_EQ(log.Count("GetIfTable"), 2u);

  // The table outgrows the block, and the second query fails too.
  log.FailCall("GetIfTable", 50, 1, 1);
  EXPECT_EQ(GetInterfaceTable(block), nullptr);
  EXPECT_TRUE(block.Rows().empty());
  EXPECT_EQ(log.Count("GetIfTable"), 4u);
}

// A query that claims success with more rows than the block holds would have written beyond it.
class OverfullTable : public platform::IAdapterQuery {
 public:
  platform::AdapterQueryResult GetAdaptersInfo(uint32_t) override { return {}; }
  platform::InterfaceTableResult GetIfTable(uint32_t bufferSize) override {
    sizes.push_back(bufferSize);
    return {platform::kErrorSuccess, 0, std::vector<platform::InterfaceRow>(3)};
  }
  std::vector<uint32_t> sizes;
};

TEST(AdpUtils, AnOverfullAnswerIsTreatedAsTooSmallABlock) {
  OverfullTable query;
  InterfaceTableBlock block(query);
  EXPECT_EQ(block.Size(), 0u);
  ASSERT_EQ(GetInterfaceTable(block), &block);
  EXPECT_EQ(query.sizes, (std::vector<uint32_t>{0, 0, 2584}));
  EXPECT_EQ(block.Rows().size(), 3u);
}

}  // namespace
}  // namespace orvane
