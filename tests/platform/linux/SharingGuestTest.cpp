// What a guest on the private side reaches: the Internet, and of the host only DHCP, DNS on the
// gateway and pings. Not the host's other services, not the uplink's local network unless that
// is allowed, no IPv6, no name the host alone knows, no name that steers the other guests.

#include <sys/mount.h>
#include <unistd.h>

#include <fstream>

#include "SharingFixture.h"
#include "platform/linux/SharingJournal.h"
#include "platform/linux/helper/Dnsmasq.h"
#include "platform/linux/helper/SharingHelper.h"

namespace orvane::platform::linux_backend {
namespace {

using SharingGuestTest = SharingTest;
using test::SharingTopology;

// A web server in the host on address:port.
void HostServes(test::SharingTopology& net, const std::string& address, int port) {
  net.host.Spawn("exec busybox httpd -f -p " + address + ":" + std::to_string(port) + " -h " +
                 net.folder.Path());
}

// What the guest's name lookup of `name` at the gateway answers (its output, "" on failure).
// IPv4 only: nothing answers the other types, which would leave a lookup of both waiting.
std::string GuestLooksUp(const test::SharingTopology& net, const std::string& name) {
  return net.priv.Output("busybox timeout 3 busybox nslookup -type=a " + name +
                         " 192.168.137.1 2>/dev/null | sed -n '/^Name:/,$p'");
}

TEST_F(SharingGuestTest, TheHostAnswersGuestsOnlyDhcpDnsAndPings) {
  HostServes(*net_, "198.51.100.2", 8080);  // the uplink's address
  HostServes(*net_, "0.0.0.0", 8081);       // every address
  Program program;
  ASSERT_TRUE(program.Start());
  HostServes(*net_, "192.168.137.1", 8082);  // the gateway address itself
  ASSERT_TRUE(ClientGetsAddress());
  const std::string client = net_->ClientAddress();
  net_->Serve(net_->priv, client);

  EXPECT_TRUE(SharingTopology::Connects(net_->priv, "192.168.137.1", 53));
  EXPECT_EQ(net_->priv.Run("busybox ping -c 1 -W 2 192.168.137.1 >/dev/null 2>&1"), 0);
  // The host's own connections to a guest get their replies.
  EXPECT_EQ(net_->Fetch(net_->host, client), kPage);
  const std::pair<const char*, int> closed[] = {{"198.51.100.2", 8080},
                                                {"192.168.137.1", 8081},
                                                {"198.51.100.2", 8081},
                                                {"127.0.0.1", 8081},
                                                {"192.168.137.1", 8082}};
  for (const auto& [address, port] : closed) {
    // Each listener answers from the host itself, so a refusal below is the table's doing.
    EXPECT_TRUE(SharingTopology::Connects(net_->host, address, port)) << address << ":" << port;
    EXPECT_FALSE(SharingTopology::Connects(net_->priv, address, port)) << address << ":" << port;
  }
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();
}

// The uplink's local network (a home router, a printer) sits on 10.77.0.0/24 next to the
// Internet: off limits by default, open on request, the Internet open either way.
TEST_F(SharingGuestTest, TheLocalNetworkIsClosedUnlessAllowed) {
  for (const bool allowed : {false, true}) {
    SCOPED_TRACE(allowed ? "allowed" : "closed");
    const test::TempFolder journal;
    {
      SharingHelper helper(journal.Path());
      ASSERT_EQ(helper.EnablePublic("hpub"), "");
      ASSERT_EQ(helper.EnablePrivate("hpriv", allowed), "");
      ASSERT_TRUE(ClientGetsAddress());
      EXPECT_EQ(ClientFetch(), kPage);
      EXPECT_EQ(net_->Fetch(net_->priv, test::kUplinkLan), allowed ? kPage : "");
      // Names are still asked of the gateway.
      EXPECT_TRUE(SharingTopology::Connects(net_->priv, "192.168.137.1", 53));
    }
    EXPECT_TRUE(HostIsClean()) << HostState();
    net_->priv.Run("ip addr flush dev cl0");
  }
}

// Guests get no IPv6 at all: not to the host over link-local addresses, not out through it
// where the host forwards IPv6 already (as Docker or libvirt set it up).
TEST_F(SharingGuestTest, NoIpv6ReachesOrLeavesThePrivateSide) {
  ASSERT_EQ(net_->host.Run("sysctl -qw net.ipv6.conf.all.forwarding=1 && "
                           "ip -6 addr add 2001:db8:1::2/64 dev hpub nodad && "
                           "ip -6 addr add 2001:db8:2::1/64 dev hpriv nodad"),
            0);
  ASSERT_EQ(net_->pub.Run("ip -6 addr add 2001:db8:1::1/64 dev up0 nodad && "
                          "ip -6 route add 2001:db8:2::/64 via 2001:db8:1::2"),
            0);
  ASSERT_EQ(net_->priv.Run("ip -6 addr add 2001:db8:2::2/64 dev cl0 nodad && "
                           "ip -6 route add default via 2001:db8:2::1"),
            0);
  net_->pub.Spawn("exec busybox httpd -f -p [2001:db8:1::1]:8080 -h " + net_->folder.Path());
  HostServes(*net_, "[::]", 8083);
  const std::string hostLinkLocal =
      net_->host.Output("ip -6 -o addr show dev hpriv scope link | awk '{print $4}' | cut -d/ -f1");
  ASSERT_NE(hostLinkLocal, "");
  auto outward = [&] { return SharingTopology::Connects(net_->priv, "2001:db8:1::1", 8080); };
  auto toHost = [&] { return SharingTopology::Connects(net_->priv, hostLinkLocal + "%cl0", 8083); };
  EXPECT_TRUE(Eventually(outward));  // both open before sharing: the test's paths work
  EXPECT_TRUE(toHost());

  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_FALSE(outward());
  EXPECT_FALSE(toHost());
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_TRUE(outward());  // and open again after: sharing took nothing of the host's away
  EXPECT_TRUE(toHost());
}

// The host resolves through a local stub that knows names guests must not learn (the hosts
// file, a VPN's internal zone): dnsmasq asks only the real upstream.
TEST_F(SharingGuestTest, GuestsResolveThroughTheUpstreamOnlyNotTheHostsStub) {
  // pub's name server, the Internet's; a stub on the host's loopback with a secret.
  net_->pub.Spawn(
      "exec dnsmasq --keep-in-foreground --conf-file=/dev/null --pid-file --no-resolv "
      "--no-hosts --user=root --listen-address=198.51.100.1 --bind-interfaces "
      "--address=/www.example.test/198.51.100.7");
  net_->host.Spawn(
      "exec dnsmasq --keep-in-foreground --conf-file=/dev/null --pid-file --no-resolv "
      "--no-hosts --user=root --listen-address=127.0.0.53 --bind-interfaces "
      "--address=/secret.example.test/10.1.1.1 --address=/www.example.test/10.1.1.2");
  const test::TempFolder folder;
  const std::string resolver = folder.Path() + "/resolv.conf";
  std::ofstream(resolver) << "nameserver 127.0.0.53\nnameserver 198.51.100.1\noptions edns0\n";
  // Only in this thread's mount namespace, which the helper inherits.
  ASSERT_EQ(mount(resolver.c_str(), "/etc/resolv.conf", nullptr, MS_BIND, nullptr), 0);
  {
    Program program;
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(ClientGetsAddress());
    EXPECT_TRUE(Eventually([&] {
      return GuestLooksUp(*net_, "www.example.test").find("198.51.100.7") != std::string::npos;
    })) << GuestLooksUp(*net_, "www.example.test");
    EXPECT_EQ(GuestLooksUp(*net_, "secret.example.test").find("10.1.1.1"), std::string::npos);
    EXPECT_TRUE(program.manager.StopSharing());
  }
  umount("/etc/resolv.conf");
}

TEST(UpstreamNameServersTest, LoopbackAndUnreadableServersAreLeftOut) {
  EXPECT_EQ(NameServersOf("nameserver 127.0.0.53\noptions edns0\n"), std::vector<std::string>{});
  EXPECT_EQ(NameServersOf("# comment\nnameserver 127.0.1.1\nnameserver 192.0.2.53\n"
                          "nameserver ::1\nnameserver 2001:db8::53\nnameserver fe80::1%eth0\n"
                          "nameserver fe80::1\nnameserver bad;--server\nnameserver 192.0.2.53\n"),
            (std::vector<std::string>{"192.0.2.53", "2001:db8::53"}));
  EXPECT_EQ(NameServersOf("nameserver 192.0.2.1\nnameserver 192.0.2.2\nnameserver 192.0.2.3\n"
                          "nameserver 192.0.2.4\nnameserver 192.0.2.5\n")
                .size(),
            4u);
}

// One guest calling itself wpad would become every other guest's proxy configuration.
TEST_F(SharingGuestTest, ADiscoveryNameIsNotGivenToAGuest) {
  Program program;
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(net_->ClientGetsAddressAs("wpad"));
  const std::string client = net_->ClientAddress();
  ASSERT_NE(client, "");
  EXPECT_EQ(GuestLooksUp(*net_, "wpad").find(client), std::string::npos);
  // An ordinary name is still known, so the lookup above could have found it.
  ASSERT_TRUE(net_->ClientGetsAddressAs("phone"));
  EXPECT_NE(GuestLooksUp(*net_, "phone").find(net_->ClientAddress()), std::string::npos);
  EXPECT_TRUE(program.manager.StopSharing());
}

// One guest with many hardware addresses takes no more than the cap.
TEST_F(SharingGuestTest, LeasesAreCapped) {
  Program program;
  ASSERT_TRUE(program.Start());
  int leased = 0;
  for (int i = 1; i <= kMaxLeases + 1; ++i) {
    char mac[32];
    std::snprintf(mac, sizeof mac, "02:00:00:00:01:%02x", i);
    ASSERT_EQ(
        net_->priv.Run(std::string("ip addr flush dev cl0 && ip link set cl0 address ") + mac), 0);
    // Bounded: a server that is full may offer and then refuse, and udhcpc would ask forever.
    if (net_->priv.Run("timeout 5 udhcpc -i cl0 -n -q -f -t 2 -T 1 -s " + net_->folder.Path() +
                       "/dhcp.sh >/dev/null 2>&1") == 0)
      ++leased;
  }
  EXPECT_EQ(leased, kMaxLeases);
  EXPECT_TRUE(program.manager.StopSharing());
}

}  // namespace
}  // namespace orvane::platform::linux_backend
