#include "platform/sim/SimNetwork.h"

#include <gtest/gtest.h>

namespace orvane::sim {
namespace {

platform::AdapterRecord Record(uint32_t index) {
  platform::AdapterRecord record;
  record.index = index;
  record.name = "{GUID-" + std::to_string(index) + "}";
  return record;
}

TEST(SimNetwork, AdapterQueryFollowsTheBufferRules) {
  SimCallLog log;
  SimNetwork network(log);
  EXPECT_EQ(network.GetAdaptersInfo(5120).code, platform::kErrorNoData);

  for (uint32_t i = 1; i <= 3; ++i) network.AddAdapter(Record(i));
  platform::AdapterQueryResult result = network.GetAdaptersInfo(1919);
  EXPECT_EQ(result.code, platform::kErrorBufferOverflow);
  EXPECT_EQ(result.requiredSize, 1920u);
  EXPECT_TRUE(result.adapters.empty());

  result = network.GetAdaptersInfo(1920);
  ASSERT_EQ(result.code, platform::kErrorSuccess);
  ASSERT_EQ(result.adapters.size(), 3u);
  EXPECT_EQ(result.adapters[2].name, "{GUID-3}");

  log.FailCall("GetAdaptersInfo 1920", 31, 1);
  EXPECT_EQ(network.GetAdaptersInfo(1920).code, 31u);
  EXPECT_EQ(log.CallsNamed("GetAdaptersInfo").size(), 4u);
}

TEST(SimNetwork, InterfaceTableReportsTheSizeItNeeds) {
  SimCallLog log;
  SimNetwork network(log);
  network.AddInterfaceRow({5, 1});
  network.AddInterfaceRow({6, 2});

  platform::InterfaceTableResult result = network.GetIfTable(0);
  EXPECT_EQ(result.code, platform::kErrorInsufficientBuffer);
  EXPECT_EQ(result.requiredSize, 1724u);

  result = network.GetIfTable(1724);
  ASSERT_EQ(result.code, platform::kErrorSuccess);
  ASSERT_EQ(result.rows.size(), 2u);
  EXPECT_EQ(result.rows[1].index, 6u);

  network.ClearInterfaceRows();
  EXPECT_EQ(network.GetIfTable(4).code, platform::kErrorSuccess) << "an empty table needs 4 bytes";
  log.FailCall("GetIfTable", 50);
  EXPECT_EQ(network.GetIfTable(4000).code, 50u);
  EXPECT_EQ(log.CallsNamed("GetIfTable").front(), "GetIfTable 0");
}

TEST(SimNetwork, ConnectionKindFactsPerGuid) {
  SimCallLog log;
  SimNetwork network(log);
  network.SetConnectionKind("{A}", "PCI\\VEN_1", true);
  network.SetConnectionKind("{B}", "USB\\VID_2", false);

  platform::ConnectionKindFacts facts = network.ReadConnectionKindFacts("{A}");
  EXPECT_TRUE(facts.keyOpened);
  EXPECT_EQ(facts.pnpInstanceId.value, "PCI\\VEN_1");
  EXPECT_EQ(facts.mediaSubType.state, platform::ValueState::Present);
  EXPECT_EQ(facts.mediaSubType.value, 2u);

  facts = network.ReadConnectionKindFacts("{B}");
  EXPECT_EQ(facts.mediaSubType.state, platform::ValueState::Missing);
  EXPECT_FALSE(network.ReadConnectionKindFacts("{a}").keyOpened) << "matched exactly";

  platform::ConnectionKindFacts wrong;
  wrong.keyOpened = true;
  wrong.pnpInstanceId = platform::StoredText::WrongType();
  network.SetConnectionKindFacts("{B}", wrong);
  EXPECT_EQ(network.ReadConnectionKindFacts("{B}").pnpInstanceId.state,
            platform::ValueState::WrongType);

  log.FailCall("ReadConnectionKindFacts {A}", 5, 1);
  EXPECT_FALSE(network.ReadConnectionKindFacts("{A}").keyOpened);
  EXPECT_TRUE(network.ReadConnectionKindFacts("{A}").keyOpened);
}

}  // namespace
}  // namespace orvane::sim
