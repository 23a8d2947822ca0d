#include "network/AdapterUnit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NetworkFixture.h"
#include "common/Errors.h"

namespace orvane {
namespace {

using testing::AdapterRecordFor;
using testing::TestGuid;

class AdapterManagerTest : public testing::NetworkTest {
 protected:
  // The adapters' names in list order.
  static std::vector<std::string> Names(const TAdapterManager& manager) {
    std::vector<std::string> names;
    for (const auto& entry : manager.Adapters()) names.push_back(entry.object->Name);
    return names;
  }

  void AddAdapters(int count) {
    for (int i = 1; i <= count; ++i) network.AddAdapter(AdapterRecordFor(i, TestGuid(i)));
  }

  InterfaceTableBlock ifTable{network};
};

TEST_F(AdapterManagerTest, LoadsEveryFieldOfARecordAtCreation) {
  platform::AdapterRecord record = AdapterRecordFor(7, TestGuid(7), {"10.0.0.2", "192.168.1.5"});
  record.gateways = {{"10.0.0.1", ""}};
  record.dhcpEnabled = 1;
  network.AddAdapter(record);
  platform::AdapterRecord second = AdapterRecordFor(12, TestGuid(12));
  second.dhcpEnabled = 2;  // only 1 means enabled
  second.hardwareAddress.clear();
  network.AddAdapter(second);

  TAdapterManager manager(network, network, system, ifTable);
  ASSERT_EQ(manager.Adapters().Count(), 2u);
  EXPECT_EQ(manager.Adapters().Strings(0), "7");
  EXPECT_EQ(manager.Adapters().Strings(1), "12");
  const TAdapter& a = *manager.Adapters().Objects(0);
  EXPECT_EQ(a.Name, TestGuid(7));
  EXPECT_EQ(a.Description, "Adapter 7");
  EXPECT_EQ(a.MacAddress, "00-1A-2B-3C-4D-07");
  EXPECT_EQ(a.AdapterType, 6u);
  EXPECT_TRUE(a.DhcpEnabled);
  EXPECT_EQ(a.IPAddresses, (std::vector<std::string>{"10.0.0.2", "192.168.1.5"}));
  EXPECT_EQ(a.IPMasks, (std::vector<std::string>{"255.255.255.0", "255.255.255.0"}));
  EXPECT_EQ(a.Gateways, std::vector<std::string>{"10.0.0.1"});
  EXPECT_EQ(a.OperStatus, 0u) << "creation does not read the interface table";
  const TAdapter& b = *manager.Adapters().Objects(1);
  EXPECT_FALSE(b.DhcpEnabled);
  EXPECT_EQ(b.MacAddress, "");
  EXPECT_TRUE(b.IPAddresses.empty());
  EXPECT_EQ(log.Count("GetIfTable"), 1u) << "only the block's sizing at start";
}

TEST_F(AdapterManagerTest, MoreThanEightAdaptersAreListedAfterOneRetry) {
  AddAdapters(11);
  TAdapterManager manager(network, network, system, ifTable);
  EXPECT_EQ(manager.Adapters().Count(), 11u);
  EXPECT_EQ(log.CallsNamed("GetAdaptersInfo"),
            (std::vector<std::string>{"GetAdaptersInfo 5120", "GetAdaptersInfo 7040"}));
}

TEST_F(AdapterManagerTest, FailedQueriesRaiseWithTheCodeAndKeepThePreviousList) {
  AddAdapters(2);
  network.SetConnectionKind(TestGuid(2), "PCI\\VEN_8086", false);
  TAdapterManager manager(network, network, system, ifTable);
  AddAdapters(9);  // now 11

  system.SetErrorMessage(8, "Not enough memory.");
  log.FailCall("GetAdaptersInfo 7040", 8, 1);
  try {
    manager.LoadAdapters();
    FAIL() << "a failing retry must raise";
  } catch (const OsError& error) {
    EXPECT_EQ(error.Code(), 8u);
    EXPECT_EQ(error.SystemMessage(), "Not enough memory.");
  }
  EXPECT_EQ(Names(manager), (std::vector<std::string>{TestGuid(1), TestGuid(2)}));
  EXPECT_EQ(manager.WiredAdapterName(), TestGuid(2));

  log.ClearCalls();
  log.FailCall("GetAdaptersInfo", 31, 1);
  EXPECT_THROW(manager.Refresh(), OsError);
  EXPECT_EQ(log.Count("GetAdaptersInfo"), 1u) << "only an overflow is retried";
  EXPECT_EQ(manager.Adapters().Count(), 2u);

  network.ClearAdapters();
  manager.LoadAdapters();
  EXPECT_EQ(manager.Adapters().Count(), 0u) << "no adapter at all is an empty list";
  EXPECT_EQ(manager.WiredAdapterName(), "");
}

TEST_F(AdapterManagerTest, AMachineWithoutAdaptersStartsWithAnEmptyList) {
  TAdapterManager manager(network, network, system, ifTable);
  EXPECT_EQ(manager.Adapters().Count(), 0u);
}

TEST_F(AdapterManagerTest, TheFirstQueryFailureReachesTheCreator) {
  log.FailCall("GetAdaptersInfo", 31, 1);
  EXPECT_THROW((TAdapterManager{network, network, system, ifTable}), OsError);
}

TEST_F(AdapterManagerTest, ClassifiesByInstanceIdPrefixAndMediaSubType) {
  struct Case {
    const char* pnpInstanceId;
    bool physical;
  };
  const Case cases[] = {{"PCI\\VEN_8086&DEV_100E", true},
                        {"USB\\VID_0BDA&PID_8179", true},
                        {"PCMCIA\\CISCO-AIR", true},
                        {"ROOT\\NET\\0000", false},
                        {"SW\\{EEAB7790}", false},
                        {"pci\\ven_8086", false},
                        {"PC", false}};
  for (const Case& c : cases) {
    network.SetConnectionKind(TestGuid(1), c.pnpInstanceId, false);
    network.AddAdapter(AdapterRecordFor(1, TestGuid(1)));
    TAdapterManager manager(network, network, system, ifTable);
    EXPECT_EQ(manager.ReadConnectionKind(TestGuid(1)).IsPhysical, c.physical) << c.pnpInstanceId;
    EXPECT_EQ(manager.Adapters().Objects(0)->IsPhysical, c.physical) << c.pnpInstanceId;
    network.ClearAdapters();
  }

  network.AddAdapter(AdapterRecordFor(1, TestGuid(1)));
  TAdapterManager manager(network, network, system, ifTable);
  platform::ConnectionKindFacts facts;
  facts.keyOpened = true;
  facts.pnpInstanceId = platform::StoredText::Of("PCI\\VEN_168C");
  network.SetConnectionKindFacts(TestGuid(2), facts);
  ConnectionKind kind = manager.ReadConnectionKind(TestGuid(2));
  EXPECT_TRUE(kind.IsPhysical);
  EXPECT_FALSE(kind.IsWireless) << "a key without MediaSubType is not wireless";

  facts.mediaSubType = platform::StoredNumber::Of(1);
  network.SetConnectionKindFacts(TestGuid(2), facts);
  EXPECT_FALSE(manager.ReadConnectionKind(TestGuid(2)).IsWireless);

  facts.pnpInstanceId = {};
  facts.mediaSubType = platform::StoredNumber::Of(2);
  network.SetConnectionKindFacts(TestGuid(2), facts);
  kind = manager.ReadConnectionKind(TestGuid(2));
  EXPECT_FALSE(kind.IsPhysical);
  EXPECT_TRUE(kind.IsWireless);

  network.SetConnectionKind(TestGuid(3), "PCI\\VEN_168C", true);
  log.FailCall("ReadConnectionKindFacts " + TestGuid(3), 5);
  kind = manager.ReadConnectionKind(TestGuid(3));
  EXPECT_FALSE(kind.IsPhysical || kind.IsWireless) << "a key that cannot be opened";
  EXPECT_EQ(log.CallsNamed("ReadConnectionKindFacts").back(),
            "ReadConnectionKindFacts " + TestGuid(3));
}

TEST_F(AdapterManagerTest, NamesHoldTheLastQualifyingAdapterInChainOrder) {
  for (int i = 1; i <= 6; ++i) network.AddAdapter(AdapterRecordFor(i, TestGuid(i)));
  network.SetConnectionKind(TestGuid(1), "PCI\\A", true);
  network.SetConnectionKind(TestGuid(2), "PCI\\B", false);
  network.SetConnectionKind(TestGuid(3), "USB\\C", true);
  network.SetConnectionKind(TestGuid(4), "ROOT\\D", true);  // wireless but not physical
  network.SetConnectionKind(TestGuid(5), "ROOT\\E", false);
  platform::AdapterRecord ppp = AdapterRecordFor(8, TestGuid(8));
  ppp.type = kAdapterTypePpp;
  network.AddAdapter(ppp);

  TAdapterManager manager(network, network, system, ifTable);
  EXPECT_EQ(manager.WirelessAdapterName(), TestGuid(3));
  EXPECT_EQ(manager.WiredAdapterName(), TestGuid(2));
  EXPECT_EQ(manager.DialUpAdapterName(), TestGuid(8));

  // A reload without qualifying adapters clears the names.
  network.ClearAdapters();
  network.AddAdapter(AdapterRecordFor(5, TestGuid(5)));
  manager.LoadAdapters();
  EXPECT_EQ(manager.WirelessAdapterName(), "");
  EXPECT_EQ(manager.WiredAdapterName(), "");
  EXPECT_EQ(manager.DialUpAdapterName(), "");
}

TEST_F(AdapterManagerTest, AWrongTypeRegistryValueStopsTheRefreshAfterTheAppendedAdapters) {
  AddAdapters(4);
  network.SetConnectionKind(TestGuid(1), "PCI\\A", true);
  TAdapterManager manager(network, network, system, ifTable);

  platform::ConnectionKindFacts facts;
  facts.keyOpened = true;
  facts.mediaSubType = platform::StoredNumber::WrongType();
  network.SetConnectionKindFacts(TestGuid(3), facts);
  try {
    manager.Refresh();
    FAIL() << "a wrong-type value must raise";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'MediaSubType'");
  }
  EXPECT_EQ(Names(manager), (std::vector<std::string>{TestGuid(1), TestGuid(2)}));
  EXPECT_EQ(manager.WirelessAdapterName(), TestGuid(1));
  EXPECT_EQ(log.Count("ReadConnectionKindFacts"), 4u + 3u) << "the rest of the chain is not read";

  facts.mediaSubType = {};
  facts.pnpInstanceId = platform::StoredText::WrongType();
  network.SetConnectionKindFacts(TestGuid(3), facts);
  EXPECT_THROW(manager.LoadAdapters(), RegistryError);
}

TEST_F(AdapterManagerTest, OperStatusComesFromTheRowWithTheSameIndex) {
  AddAdapters(2);
  network.AddInterfaceRow({2, 5});
  network.AddInterfaceRow({99, 1});  // no adapter has this index
  InterfaceTableBlock block(network);
  network.AddInterfaceRow({1, 1});  // outgrows the block: it grows once
  TAdapterManager manager(network, network, system, block);

  manager.Refresh();
  ASSERT_NE(manager.IfTable(), nullptr);
  EXPECT_EQ(manager.Adapters().Objects(0)->OperStatus, 1u);
  EXPECT_EQ(manager.Adapters().Objects(1)->OperStatus, 5u);
  EXPECT_EQ(manager.Adapters().Count(), 2u);

  log.FailCall("GetIfTable", 87, 1);
  manager.Refresh();
  EXPECT_EQ(manager.IfTable(), nullptr);
  EXPECT_EQ(manager.Adapters().Objects(0)->OperStatus, 0u) << "the status step was skipped";
  EXPECT_EQ(manager.Adapters().Objects(1)->OperStatus, 0u);
}

}  // namespace
}  // namespace orvane
