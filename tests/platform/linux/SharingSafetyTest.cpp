// What sharing must not open and what it must refuse: the host's other networks stay closed,
// networks served by someone else are not served again, and a start that cannot work leaves
// nothing behind and says why.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SharingFixture.h"
#include "platform/linux/SharingJournal.h"
#include "platform/linux/helper/SharingHelper.h"

namespace orvane::platform::linux_backend {
namespace {

using SharingSafetyTest = SharingTest;

// A third network behind the host (a VPN, containers): "far" serves the page on 10.99.0.1, the
// host forwards on its side of it as a container bridge would, and both far and pub route the
// private network through the host, as a hostile neighbour would.
struct FarNetwork {
  explicit FarNetwork(test::SharingTopology& net) : space("far") {
    ok = net.host.Run("ip link add hfar type veth peer name far0 netns " + space.Name() +
                      " && ip addr add 10.99.0.2/24 dev hfar && ip link set hfar up && "
                      "echo 1 > /proc/sys/net/ipv4/conf/hfar/forwarding") == 0 &&
         space.Run(
             "ip addr add 10.99.0.1/24 dev far0 && ip link set far0 up && "
             "ip route add default via 10.99.0.2") == 0 &&
         net.pub.Run(
             "ip route add 10.99.0.0/24 via 10.77.0.2 && "
             "ip route add 192.168.137.0/24 via 10.77.0.2") == 0;
    net.Serve(space, "10.99.0.1");
  }
  test::TestNamespace space;
  bool ok = false;
};

TEST_F(SharingSafetyTest, OnlyTheSharedTrafficPasses) {
  FarNetwork far(*net_);
  ASSERT_TRUE(far.ok);
  Program program;
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(ClientGetsAddress());
  const std::string client = net_->ClientAddress();
  ASSERT_NE(client, "");
  net_->Serve(net_->priv, client);

  EXPECT_EQ(ClientFetch(), kPage);  // what sharing is for still works
  EXPECT_TRUE(test::SharingTopology::Connects(net_->priv, "192.168.137.1", 53));
  // Nothing reaches the client unasked, and the client reaches no other network of the host.
  EXPECT_FALSE(test::SharingTopology::Connects(net_->pub, client, 8080));
  EXPECT_EQ(net_->Fetch(net_->priv, "10.99.0.1"), "");
  // The uplink's forwarding, switched on for sharing, opens no other path; the private side's
  // DNS answers the private side only.
  EXPECT_EQ(net_->Fetch(net_->pub, "10.99.0.1"), "");
  EXPECT_FALSE(test::SharingTopology::Connects(net_->pub, "192.168.137.1", 53));

  // Private to root: the lease file names every client.
  std::error_code error;
  int leaseFiles = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kJournalFolder, error)) {
    if (entry.path().filename().string().rfind("leases-" + NetworkNamespaceId(), 0) != 0) continue;
    struct stat info {};
    ASSERT_EQ(stat(entry.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u) << entry.path();
    ++leaseFiles;
  }
  EXPECT_EQ(leaseFiles, 1);
  // The server is not root, keeps the three network capabilities it needs and can gain no
  // more.
  const auto servers = net_->host.Processes("dnsmasq");
  ASSERT_EQ(servers.size(), 1u);
  const std::string status = "/proc/" + std::to_string(servers[0]) + "/status";
  auto field = [&](const std::string& name) {
    return net_->host.Output("grep '^" + name + ":' " + status + " | awk '{print $2}'");
  };
  EXPECT_EQ(field("NoNewPrivs"), "1");
  EXPECT_NE(field("Uid"), "0");
  EXPECT_NE(field("Gid"), "0");
  constexpr unsigned long long kNetwork = (1ull << 10) | (1ull << 12) | (1ull << 13);
  EXPECT_EQ(std::stoull(field("CapEff"), nullptr, 16), kNetwork);
  EXPECT_EQ(std::stoull(field("CapBnd"), nullptr, 16), kNetwork);

  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();
}

TEST_F(SharingSafetyTest, AServedNetworkIsNotServedAgain) {
  Program program;
  // The uplink as the private side: it has the default route.
  EXPECT_FALSE(program.manager.StartSharing(program.Guid("hpriv"), program.Guid("hpub")));
  EXPECT_FALSE(test::SharingTopology::DhcpAnswers(net_->pub, "up0"));
  EXPECT_TRUE(HostIsClean()) << HostState();
  // A private side whose way out sits in another routing table, as a VPN client sets it up.
  ASSERT_EQ(net_->host.Run("ip route add default dev hpriv table 100"), 0);
  EXPECT_FALSE(program.Start());
  EXPECT_FALSE(test::SharingTopology::DhcpAnswers(net_->priv, "cl0"));
  EXPECT_TRUE(HostIsClean()) << HostState();
  ASSERT_EQ(net_->host.Run("ip route del default dev hpriv table 100"), 0);
  // A private side on a network of its own: a static address (a LAN without a way out), and
  // the same address the sharing would pick, which must not pass for one it added.
  for (const char* address : {"10.88.0.1/24", "192.168.137.1/24"}) {
    ASSERT_EQ(net_->host.Run(std::string("ip addr add ") + address + " dev hpriv"), 0);
    EXPECT_FALSE(program.Start()) << address;
    EXPECT_FALSE(test::SharingTopology::DhcpAnswers(net_->priv, "cl0")) << address;
    EXPECT_TRUE(OwnTableGone() && Forwarding("hpriv") == "0") << HostState();
    ASSERT_EQ(net_->host.Run(std::string("ip addr del ") + address + " dev hpriv"), 0);
  }
  // A private side whose address came from a DHCP server.
  ASSERT_EQ(net_->host.Run("ip addr add 10.66.0.2/24 dev hpriv valid_lft 600 preferred_lft 600"),
            0);
  EXPECT_FALSE(program.Start());
  EXPECT_TRUE(net_->host.Processes("dnsmasq").empty());
  EXPECT_TRUE(OwnTableGone()) << HostState();
}

TEST_F(SharingSafetyTest, LoopbackIsNeitherSide) {
  const test::TempFolder journal;
  SharingHelper helper(journal.Path());
  EXPECT_NE(helper.EnablePublic("lo"), "");
  EXPECT_NE(helper.EnablePrivate("lo"), "");
  EXPECT_TRUE(HostIsClean()) << HostState();
}

// The uplink sits on 192.168.137.0/24 with its gateway there, and a third interface on
// 192.168.138.0/24: the private side gets the next free network and the host keeps its way out.
TEST_F(SharingSafetyTest, ATakenNetworkIsSkipped) {
  ASSERT_EQ(net_->pub.Run("ip addr add 192.168.137.1/24 dev up0"), 0);
  ASSERT_EQ(net_->host.Run("ip addr add 192.168.137.2/24 dev hpub && "
                           "ip route replace default via 192.168.137.1 && "
                           "ip link add hthird type veth peer name hthird1 && "
                           "ip addr add 192.168.138.1/24 dev hthird && ip link set hthird up"),
            0);
  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_NE(PrivateAddresses().find("192.168.139.1/24"), std::string::npos) << PrivateAddresses();
  EXPECT_NE(net_->host.Output("ip route show default").find("via 192.168.137.1 dev hpub"),
            std::string::npos);
  ASSERT_TRUE(ClientGetsAddress());
  EXPECT_EQ(net_->ClientAddress().rfind("192.168.139.", 0), 0u);
  EXPECT_EQ(ClientFetch(), kPage);
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();
}

// Forwarded traffic dropped by another firewall (what iptables-nft sets up for Docker) would give
// clients an address and nothing more: the start is refused, undone, and the reason is told.
TEST_F(SharingSafetyTest, AnotherFirewallThatDropsIsRefusedWithTheReason) {
  ASSERT_EQ(net_->host.Run("nft add table ip filter && nft add chain ip filter FORWARD "
                           "'{ type filter hook forward priority 0; policy drop; }'"),
            0);
  Program program;
  testing::internal::CaptureStderr();
  const bool started = program.Start();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(started);
  EXPECT_NE(said.find("table ip filter, chain FORWARD"), std::string::npos) << said;
  EXPECT_FALSE(program.Shared("hpub"));
  EXPECT_TRUE(HostIsClean()) << HostState();

  // A zone firewall's chain accepts by policy but rejects whatever no zone allowed.
  ASSERT_EQ(net_->host.Run("nft delete table ip filter && nft add table inet zones && "
                           "nft add chain inet zones forward '{ type filter hook forward priority "
                           "10; policy accept; }' && nft add rule inet zones forward reject"),
            0);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(program.Start());
  const std::string zones = testing::internal::GetCapturedStderr();
  EXPECT_NE(zones.find("table inet zones, chain forward"), std::string::npos) << zones;
  EXPECT_TRUE(HostIsClean()) << HostState();
}

// One interface as both sides works only for a Wi-Fi station, whose card adds an access point
// beside it; anything else is refused and leaves nothing, no interface added.
TEST_F(SharingSafetyTest, OneInterfaceForBothNeedsAWifiStation) {
  const test::TempFolder journal;
  SharingHelper helper(journal.Path());
  ASSERT_EQ(helper.EnablePublic("hpub"), "");
  const std::string refusal = helper.EnablePrivate("hpub");
  EXPECT_NE(refusal.find("no Wi-Fi interface"), std::string::npos) << refusal;
  EXPECT_EQ(net_->host.Output("ip -o link show | grep -c orvap"), "0");
  EXPECT_TRUE(HostIsClean()) << HostState();
}

// A journal names what recovery deletes: an interface that has our name but is no access
// point on the recorded radio (here not wireless at all) is left alone.
TEST_F(SharingSafetyTest, RecoveryDeletesNoInterfaceThatIsNotOurAccessPoint) {
  ASSERT_EQ(net_->host.Run("ip link add orvap7 type veth peer name orvap7p"), 0);
  const test::TempFolder journal;
  const pid_t dead = fork();
  if (dead == 0) _exit(0);
  ASSERT_GT(dead, 0);
  waitpid(dead, nullptr, 0);
  const std::string path =
      journal.Path() + "/sharing-" + NetworkNamespaceId() + "-" + std::to_string(dead);
  std::ofstream(path) << "virtual orvap7 0\nvirtual ../../eth0 0\n";
  SharingHelper helper(journal.Path());
  helper.Recover();
  EXPECT_EQ(net_->host.Run("ip link show orvap7 >/dev/null"), 0) << "a veth is not ours";
  EXPECT_FALSE(std::filesystem::exists(path)) << "the journal is done with";
}

}  // namespace
}  // namespace orvane::platform::linux_backend
