// The adapter list, interface table, connection kinds and connection list against veth
// interfaces with known addresses, hardware addresses and states, in a namespace of the test.

#include <gtest/gtest.h>
#include <net/if.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "TestNamespace.h"
#include "network/ConnectionUnit.h"
#include "platform/linux/InterfaceGuid.h"
#include "platform/linux/LinuxAdapterQuery.h"
#include "platform/linux/LinuxPlatform.h"

namespace orvane::platform::linux_backend {
namespace {

class AdapterInventoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_WITHOUT_NAMESPACES();
    space_ = std::make_unique<test::TestNamespace>("inv");
    // inva: up, its peer down, so no carrier; invc/invd: both up, connected.
    ASSERT_EQ(
        space_->Run("ip link add inva address 02:11:22:33:44:55 type veth peer name invb "
                    "address 02:aa:bb:cc:dd:ee && "
                    "ip link add invc type veth peer name invd && "
                    "ip addr add 10.20.0.2/24 dev inva && ip addr add 10.21.0.2/16 dev inva && "
                    "ip addr add 10.22.0.2/24 dev invc valid_lft 3600 preferred_lft 3600 && "
                    "ip link set inva up && ip link set invc up && ip link set invd up && "
                    "ip route add default via 10.20.0.1 dev inva onlink"),
        0);
    entry_ = std::make_unique<test::NamespaceEntry>(*space_);
  }
  void TearDown() override {
    entry_.reset();
    space_.reset();
  }

  static std::map<std::string, AdapterRecord> ByInterface(const std::vector<AdapterRecord>& list) {
    std::map<std::string, AdapterRecord> byName;
    for (const AdapterRecord& record : list) {
      char name[IF_NAMESIZE] = {};
      if (if_indextoname(record.index, name) != nullptr) byName[name] = record;
    }
    return byName;
  }

  std::unique_ptr<test::TestNamespace> space_;
  std::unique_ptr<test::NamespaceEntry> entry_;
};

TEST_F(AdapterInventoryTest, AdapterRecordsCarryWhatTheKernelKnows) {
  LinuxAdapterQuery query;
  AdapterQueryResult result = query.GetAdaptersInfo(8 * kAdapterRecordSize);
  ASSERT_EQ(result.code, kErrorSuccess);
  ASSERT_EQ(result.adapters.size(), 5u);  // lo and the four veth ends
  auto byName = ByInterface(result.adapters);
  ASSERT_EQ(byName.size(), 5u);

  const AdapterRecord& a = byName["inva"];
  EXPECT_EQ(a.name, GuidText(InterfaceGuid("inva")));
  EXPECT_EQ(a.index, if_nametoindex("inva"));
  EXPECT_EQ(a.hardwareAddress, (std::vector<uint8_t>{0x02, 0x11, 0x22, 0x33, 0x44, 0x55}));
  EXPECT_EQ(a.type, 6u);
  EXPECT_EQ(a.description, "veth (inva)");
  ASSERT_EQ(a.ipAddresses.size(), 2u);
  EXPECT_EQ(a.ipAddresses[0].address, "10.20.0.2");
  EXPECT_EQ(a.ipAddresses[0].mask, "255.255.255.0");
  EXPECT_EQ(a.ipAddresses[1].address, "10.21.0.2");
  EXPECT_EQ(a.ipAddresses[1].mask, "255.255.0.0");
  ASSERT_EQ(a.gateways.size(), 1u);
  EXPECT_EQ(a.gateways[0].address, "10.20.0.1");
  EXPECT_EQ(a.dhcpEnabled, 0u);

  EXPECT_EQ(byName["invc"].dhcpEnabled, 1u);  // an address with a lease time
  EXPECT_TRUE(byName["invc"].gateways.empty());
  EXPECT_TRUE(byName["invb"].ipAddresses.empty());
  EXPECT_EQ(byName["lo"].type, 24u);
  EXPECT_TRUE(byName["lo"].hardwareAddress.size() == 6 || byName["lo"].hardwareAddress.empty());
}

TEST_F(AdapterInventoryTest, SmallBuffersAnswerTheSizeNeeded) {
  LinuxAdapterQuery query;
  AdapterQueryResult adapters = query.GetAdaptersInfo(4 * kAdapterRecordSize);
  EXPECT_EQ(adapters.code, kErrorBufferOverflow);
  EXPECT_EQ(adapters.requiredSize, 5 * kAdapterRecordSize);
  EXPECT_TRUE(adapters.adapters.empty());

  InterfaceTableResult table = query.GetIfTable(0);
  EXPECT_EQ(table.code, kErrorInsufficientBuffer);
  EXPECT_EQ(table.requiredSize, kInterfaceTableHeaderSize + 5 * kInterfaceRowSize);
  EXPECT_TRUE(table.rows.empty());
}

TEST_F(AdapterInventoryTest, InterfaceTableGivesOperationalStates) {
  LinuxAdapterQuery query;
  InterfaceTableResult table = query.GetIfTable(query.GetIfTable(0).requiredSize);
  ASSERT_EQ(table.code, kErrorSuccess);
  std::map<uint32_t, uint32_t> status;
  for (const InterfaceRow& row : table.rows) status[row.index] = row.operStatus;
  ASSERT_EQ(status.size(), 5u);
  EXPECT_EQ(status[if_nametoindex("inva")], 2u);  // up, no carrier
  EXPECT_EQ(status[if_nametoindex("invb")], 0u);  // administratively down
  EXPECT_EQ(status[if_nametoindex("invc")], 5u);
  EXPECT_EQ(status[if_nametoindex("lo")], 5u);
}

TEST_F(AdapterInventoryTest, ConnectionKindFactsComeFromTheDevice) {
  LinuxConnectionKinds kinds;
  ConnectionKindFacts facts = kinds.ReadConnectionKindFacts(GuidText(InterfaceGuid("inva")));
  EXPECT_TRUE(facts.keyOpened);
  ASSERT_EQ(facts.pnpInstanceId.state, ValueState::Present);
  EXPECT_EQ(facts.pnpInstanceId.value, "SW\\veth\\inva");  // virtual: not physical
  EXPECT_EQ(facts.mediaSubType.state, ValueState::Missing);

  // Lower case works too: the components match GUIDs without regard to case.
  std::string lower = GuidText(InterfaceGuid("invc"));
  std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
  EXPECT_TRUE(kinds.ReadConnectionKindFacts(lower).keyOpened);
  EXPECT_FALSE(kinds.ReadConnectionKindFacts("{00000000-0000-0000-0000-000000000000}").keyOpened);
  EXPECT_FALSE(kinds.ReadConnectionKindFacts("not a guid").keyOpened);
}

TEST_F(AdapterInventoryTest, ConnectionListThroughTheConnectionManager) {
  auto platform = CreateLinuxPlatform();
  InterfaceTableBlock ifTable(platform->Adapters());
  TConnectionManager manager(platform->Adapters(), platform->ConnectionKinds(), platform->Sharing(),
                             platform->System(), ifTable);
  manager.Refresh();
  std::map<std::string, const TConnection*> byName;
  for (std::size_t i = 0; i < manager.Connections().Count(); ++i)
    byName[manager.Connections().Strings(i)] = manager.Connections().Objects(i);

  // Loopback is no connection, and the manager leaves out what is disconnected (invb).
  ASSERT_EQ(byName.size(), 3u);
  ASSERT_TRUE(byName.count("inva") && byName.count("invc") && byName.count("invd"));
  const TConnection& a = *byName["inva"];
  EXPECT_EQ(a.GUID, GuidText(InterfaceGuid("inva")));
  EXPECT_EQ(a.Status, kNcsMediaDisconnected);
  EXPECT_EQ(a.MediaType, kNcmLan);
  EXPECT_EQ(a.DeviceName, "veth (inva)");
  EXPECT_FALSE(a.IsPhysical);
  EXPECT_FALSE(a.IsWireless);
  EXPECT_EQ(a.IPAddresses, (std::vector<std::string>{"10.20.0.2", "10.21.0.2"}));
  EXPECT_EQ(a.Gateways, (std::vector<std::string>{"10.20.0.1"}));
  EXPECT_EQ(byName["invc"]->Status, kNcsConnected);
  EXPECT_TRUE(byName["invc"]->DhcpEnabled);
}

TEST_F(AdapterInventoryTest, GuidsAreTheSameInAnotherRun) {
  LinuxAdapterQuery query;
  std::vector<std::string> here;
  for (const AdapterRecord& record : query.GetAdaptersInfo(8 * kAdapterRecordSize).adapters)
    here.push_back(record.name);
  ASSERT_EQ(here.size(), 5u);

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // a fresh inventory in another process
    close(fds[0]);
    LinuxAdapterQuery again;
    std::string names;
    for (const AdapterRecord& record : again.GetAdaptersInfo(8 * kAdapterRecordSize).adapters)
      names += record.name + "\n";
    ssize_t written = write(fds[1], names.data(), names.size());
    _exit(written == static_cast<ssize_t>(names.size()) ? 0 : 1);
  }
  close(fds[1]);
  std::string text;
  char buffer[512];
  ssize_t got;
  while ((got = read(fds[0], buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<std::size_t>(got));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  std::string expected;
  for (const std::string& name : here) expected += name + "\n";
  EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace orvane::platform::linux_backend
