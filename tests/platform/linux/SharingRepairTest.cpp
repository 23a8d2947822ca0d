// Sharing that the machine pulls the rug from under: a server killed, an interface deleted and
// created again, an uplink gone for good. Each ends working again, or reported as not shared
// and removed.

#include <signal.h>

#include "SharingFixture.h"
#include "platform/linux/SharingJournal.h"

namespace orvane::platform::linux_backend {
namespace {

class SharingRepairTest : public SharingTest {
 protected:
  // The client leases again and fetches through the host.
  bool ClientWorks() {
    return Eventually([&] { return ClientGetsAddress() && ClientFetch() == kPage; });
  }
  // The veth pair of a namespace side, deleted (its peer goes with it) and created again.
  bool RecreatePrivateSide() {
    return net_->host.Run("ip link del hpriv") == 0 &&
           net_->host.Run("ip link add hpriv type veth peer name cl0 netns " + net_->priv.Name() +
                          " && ip link set hpriv up") == 0 &&
           net_->priv.Run("ip link set cl0 up") == 0;
  }
  bool DeleteUplink() { return net_->host.Run("ip link del hpub") == 0; }
  // As a connection manager would bring the uplink back: same name, address and way out.
  bool RecreateUplink() {
    return net_->host.Run("ip link add hpub type veth peer name up0 netns " + net_->pub.Name() +
                          " && ip addr add 198.51.100.2/24 dev hpub && ip link set hpub up && "
                          "ip route add default via 198.51.100.1") == 0 &&
           net_->pub.Run("ip addr add 198.51.100.1/24 dev up0 && ip link set up0 up") == 0;
  }
};

TEST_F(SharingRepairTest, AKilledServerIsStartedAgain) {
  Program program;
  ASSERT_TRUE(program.Start());
  const auto servers = net_->host.Processes("dnsmasq");
  ASSERT_EQ(servers.size(), 1u);
  kill(servers[0], SIGKILL);
  EXPECT_TRUE(program.Start());  // asking again is answered truthfully, not just "ok"
  EXPECT_TRUE(program.Shared("hpriv"));
  EXPECT_TRUE(ClientWorks());
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();
}

// A server that is gone is forgotten at once: its id, free for any process to reuse, is not kept
// in the journal for a later stop or a recovery to signal.
TEST_F(SharingRepairTest, AServerThatKeepsDyingLeavesNoIdBehind) {
  Program program;
  ASSERT_TRUE(program.Start());
  const auto helpers = net_->host.Processes("orvane-sharing-");
  ASSERT_EQ(helpers.size(), 1u);
  const std::string journal = std::string(kJournalFolder) + "/sharing-" + NetworkNamespaceId() +
                              "-" + std::to_string(helpers[0]);
  auto journalServers = [&] { return net_->host.Output("grep -c '^dnsmasq ' " + journal); };
  ASSERT_EQ(journalServers(), "1");
  // Killed more often than it is restarted.
  for (int kill = 0; kill < 10 && !net_->host.Processes("dnsmasq").empty(); ++kill) {
    const pid_t server = net_->host.Processes("dnsmasq")[0];
    ::kill(server, SIGKILL);
    Eventually([&] {
      const auto now = net_->host.Processes("dnsmasq");
      return now.empty() || now[0] != server;
    });
    Eventually([&] { return !net_->host.Processes("dnsmasq").empty(); });
  }
  ASSERT_TRUE(net_->host.Processes("dnsmasq").empty());
  EXPECT_TRUE(Eventually([&] { return journalServers() == "0"; })) << journalServers();
  EXPECT_FALSE(program.Shared("hpriv"));
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();
}

TEST_F(SharingRepairTest, APrivateSideCreatedAgainGetsItsRoleBack) {
  Program program;
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(RecreatePrivateSide());
  EXPECT_TRUE(Eventually([&] { return program.Shared("hpriv"); })) << HostState();
  EXPECT_TRUE(ClientWorks());
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();
}

TEST_F(SharingRepairTest, AnUplinkCreatedAgainCarriesTheSharedTrafficAgain) {
  Program program;
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(ClientGetsAddress());
  ASSERT_TRUE(DeleteUplink());
  EXPECT_FALSE(program.Shared("hpub"));
  ASSERT_TRUE(RecreateUplink());
  net_->Serve(net_->pub, test::kInternet);
  EXPECT_TRUE(Eventually([&] { return ClientFetch() == kPage; })) << HostState();
  EXPECT_TRUE(program.Shared("hpub"));
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();
}

TEST_F(SharingRepairTest, StopRemovesEverythingWhenTheUplinkIsGone) {
  Program program;
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(DeleteUplink());
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(OwnTableGone() && net_->host.Processes("dnsmasq").empty() &&
              Forwarding("hpriv") == "0" && PrivateAddresses().empty())
      << HostState();
}

}  // namespace
}  // namespace orvane::platform::linux_backend
