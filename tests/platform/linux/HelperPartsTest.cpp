// The helper's pure decisions: which names it accepts, which addresses it hands out, and how
// its journal reads back and where it may be written.

#include <gtest/gtest.h>

#include "TestNamespace.h"
#include "platform/linux/HelperTrust.h"
#include "platform/linux/InterfaceInventory.h"
#include "platform/linux/SharingHelperClient.h"
#include "platform/linux/SharingJournal.h"
#include "platform/linux/helper/Dnsmasq.h"
#include "platform/linux/helper/NftTable.h"
#include "platform/linux/helper/PrivateNetwork.h"
#include "platform/linux/helper/SharingHelper.h"

#include <linux/if.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace orvane::platform::linux_backend {
namespace {

TEST(HelperPartsTest, InterfaceNamesThatCouldBreakOutAreRefused) {
  EXPECT_TRUE(ValidInterfaceName("eth0"));
  EXPECT_TRUE(ValidInterfaceName("wlp2s0"));
  EXPECT_TRUE(ValidInterfaceName("br-lan.10"));
  EXPECT_FALSE(ValidInterfaceName(""));
  EXPECT_FALSE(ValidInterfaceName(".."));
  EXPECT_FALSE(ValidInterfaceName("a\" } flush"));
  EXPECT_FALSE(ValidInterfaceName("a b"));
  EXPECT_FALSE(ValidInterfaceName("a\\b"));
  EXPECT_FALSE(ValidInterfaceName("sixteen-chars-xx"));
}

TEST(HelperPartsTest, LeaseRangeLeavesOutTheGatewayAndTheNetworkEnds) {
  LeaseRange range = LeaseRangeOf({192, 168, 137, 1}, 24);
  EXPECT_EQ(Ipv4Text(range.first), "192.168.137.2");
  EXPECT_EQ(Ipv4Text(range.last), "192.168.137.254");
  range = LeaseRangeOf({10, 0, 0, 254}, 24);
  EXPECT_EQ(Ipv4Text(range.first), "10.0.0.1");
  EXPECT_EQ(Ipv4Text(range.last), "10.0.0.253");
  range = LeaseRangeOf({10, 1, 2, 3}, 16);
  EXPECT_EQ(Ipv4Text(range.first), "10.1.0.1");
  EXPECT_EQ(Ipv4Text(range.last), "10.1.255.254");
  range = LeaseRangeOf({10, 0, 0, 1}, 31);  // no room for clients
  EXPECT_GT(Ipv4Text(range.first), Ipv4Text(range.last));
}

TEST(HelperPartsTest, JournalReadsBackAndSkipsGarbage) {
  JournalEntries entries;
  entries.forwarding.push_back({"eth0", "0"});
  entries.addresses.push_back({"wlan0", "192.168.137.1/24"});
  entries.servers.push_back({"wlan0", 4242, 987654321});
  const JournalEntries read = ParseJournal(JournalText(entries) + "nonsense\ndnsmasq x notapid\n");
  ASSERT_EQ(read.forwarding.size(), 1u);
  EXPECT_EQ(read.forwarding[0].interfaceName, "eth0");
  EXPECT_EQ(read.forwarding[0].originalValue, "0");
  ASSERT_EQ(read.addresses.size(), 1u);
  EXPECT_EQ(read.addresses[0].cidr, "192.168.137.1/24");
  ASSERT_EQ(read.servers.size(), 1u);
  EXPECT_EQ(read.servers[0].pid, 4242);
  EXPECT_EQ(read.servers[0].startTime, 987654321u);
  // A server line without a start time is never matched to a process.
  EXPECT_EQ(ParseJournal("dnsmasq wlan0 4242\n").servers.at(0).startTime, 0u);
  EXPECT_FALSE(IsDnsmasqFor({getpid(), 0}, "wlan0"));
  EXPECT_TRUE(ParseJournal("").Empty());
}

// Root acts on what the journal folder holds, so a folder another user could write to or swap
// for a link must never be written through.
TEST(HelperPartsTest, JournalRefusesAFolderOtherUsersCouldSteer) {
  namespace fs = std::filesystem;
  const test::TempFolder temporary;
  const fs::path base = temporary.Path();
  fs::create_directory(base / "elsewhere");
  JournalEntries entries;
  entries.forwarding.push_back({"eth0", "0"});

  // A link planted where the folder belongs.
  fs::create_directory_symlink(base / "elsewhere", base / "linked");
  EXPECT_FALSE(SharingJournal((base / "linked").string(), "1_2", 42).Save(entries));
  EXPECT_TRUE(fs::is_empty(base / "elsewhere"));

  // A folder of ours left open to everyone is closed before use.
  fs::create_directory(base / "open");
  chmod((base / "open").c_str(), 0777);
  SharingJournal open((base / "open").string(), "1_2", 42);
  EXPECT_TRUE(open.Save(entries));
  struct stat info {};
  ASSERT_EQ(stat((base / "open").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0755u);
  std::ifstream written(base / "open" / "sharing-1_2-42");
  std::string line;
  std::getline(written, line);
  EXPECT_EQ(line, "forwarding eth0 0");

  // A folder someone else owns.
  if (geteuid() == 0) {
    fs::create_directory(base / "theirs");
    ASSERT_EQ(chown((base / "theirs").c_str(), 65534, 65534), 0);
    EXPECT_FALSE(SharingJournal((base / "theirs").string(), "1_2", 42).Save(entries));
    EXPECT_TRUE(fs::is_empty(base / "theirs"));
  }
}

// A change the journal cannot record would outlive a crash of the helper: it is not made.
TEST(HelperPartsTest, NoChangeIsMadeThatTheJournalCannotRecord) {
  SKIP_WITHOUT_NAMESPACES();
  namespace fs = std::filesystem;
  test::TestNamespace space("journal");
  ASSERT_EQ(space.Run("ip link add s0 type veth peer name s1 && ip link set s0 up"), 0);
  const std::string forwarding = space.Output("cat /proc/sys/net/ipv4/conf/s0/forwarding");
  ASSERT_EQ(forwarding, "0");
  const test::TempFolder temporary;
  const fs::path base = temporary.Path();
  fs::create_directory(base / "elsewhere");
  fs::create_directory_symlink(base / "elsewhere", base / "linked");
  {
    test::NamespaceEntry entry(space);
    SharingHelper helper((base / "linked").string());
    EXPECT_NE(helper.EnablePublic("s0"), "");
    EXPECT_NE(helper.EnablePrivate("s0"), "");
  }
  EXPECT_EQ(space.Output("cat /proc/sys/net/ipv4/conf/s0/forwarding"), forwarding);
  EXPECT_EQ(space.Output("ip -4 addr show dev s0"), "");
  EXPECT_TRUE(fs::is_empty(base / "elsewhere"));
}

// The owner table goes in with the first elements, in one transaction: elements nftables
// refuses leave no table behind, and a later addition still creates it.
TEST(HelperPartsTest, TheFirstAdditionBringsItsTableOrNothing) {
  SKIP_WITHOUT_NAMESPACES();
  test::TestNamespace space("nft");
  test::NamespaceEntry entry(space);
  NftTable table;
  EXPECT_NE(table.AddPrivate("p0", "not-a-network", "192.168.137.1", false), "");
  EXPECT_FALSE(table.OwnerTableExists());
  EXPECT_EQ(table.AddPublic("u0", true), "");
  EXPECT_TRUE(table.OwnerTableExists());
  EXPECT_TRUE(table.IsPublic("u0"));
  EXPECT_EQ(table.AddPrivate("p0", "192.168.137.0/24", "192.168.137.1", false), "");
  EXPECT_TRUE(table.IsPrivate("p0"));
  EXPECT_EQ(table.AddGuard("p0"), "");
  EXPECT_TRUE(table.GuardExists());
  EXPECT_EQ(table.RemoveGuard("p0"), "");
  EXPECT_FALSE(table.GuardExists());
}

// A helper that died but was not reaped yet has lost its table and its server already: what
// it left is to be undone now.
TEST(HelperPartsTest, AZombieHelpersJournalIsAnOrphan) {
  const test::TempFolder folder;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(0);
  // Waits until the child is a zombie, without reaping it.
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
  JournalEntries entries;
  entries.forwarding.push_back({"eth0", "0"});
  ASSERT_TRUE(SharingJournal(folder.Path(), "1_2", child).Save(entries));
  EXPECT_TRUE(SharingJournal(folder.Path(), "1_2", getpid()).HasOrphans());
  waitpid(child, nullptr, 0);
}

// pkexec gives root to whatever file it is pointed at: only a helper nobody but root can change
// may be run that way.
TEST(HelperPartsTest, OnlyARootOwnedHelperIsTrusted) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to own files as root and as others";
  namespace fs = std::filesystem;
  // Not under /tmp, which everyone can write to.
  std::string pattern = "/run/orvane-trust-XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern;
  const fs::path helper = folder / "orvane-sharing-helper";
  std::ofstream(helper) << "#!/bin/sh\n";
  chmod(folder.c_str(), 0755);
  chmod(helper.c_str(), 0755);

  EXPECT_EQ(HelperTrustProblem(helper.string()), "");
  EXPECT_NE(HelperTrustProblem((folder / "missing").string()), "");
  chmod(helper.c_str(), 0757);
  EXPECT_NE(HelperTrustProblem(helper.string()), "");
  chmod(helper.c_str(), 0755);
  ASSERT_EQ(chown(helper.c_str(), 65534, 65534), 0);
  EXPECT_NE(HelperTrustProblem(helper.string()), "");
  ASSERT_EQ(chown(helper.c_str(), 0, 0), 0);
  // A link to the trusted file, or a path through "..", could be re-pointed between the check
  // and pkexec's own look: only the canonical path is run.
  const fs::path link = folder / "link";
  fs::create_symlink(helper, link);
  EXPECT_NE(HelperTrustProblem(link.string()), "");
  EXPECT_NE(HelperTrustProblem((folder / "." / "orvane-sharing-helper").string()), "");
  chmod(folder.c_str(), 0777);  // the file could be swapped
  EXPECT_NE(HelperTrustProblem(helper.string()), "");
  EXPECT_NE(HelperTrustProblem("/tmp"), "");
  fs::remove_all(folder);
}

// As a normal user the helper is checked and then reached through the pkexec found on PATH. A
// stand-in pkexec answers as the real one does; SharingClientTest tells its other outcomes apart.
TEST(HelperPartsTest, AsAUserTheHelperIsCheckedAndRunThroughPkexec) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  namespace fs = std::filesystem;
  std::string pattern = "/run/orvane-pkexec-XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern;
  chmod(folder.c_str(), 0755);
  const fs::path helper = folder / "orvane-sharing-helper";
  std::ofstream(helper) << "#!/bin/sh\n";
  chmod(helper.c_str(), 0755);
  // Runs the client as nobody against a pkexec that says `said` and exits with `code`.
  auto outcome = [&](const fs::path& target, const std::string& said, int code) {
    std::ofstream(folder / "pkexec")
        << "#!/bin/sh\necho '" << said << "' >&2\nexit " << code << "\n";
    chmod((folder / "pkexec").c_str(), 0755);
    int fds[2];
    if (pipe(fds) != 0) return HResult{0};
    const pid_t child = fork();
    if (child == 0) {
      setenv("PATH", folder.c_str(), 1);
      HResult hr = kSOk;
      if (setgid(65534) == 0 && setuid(65534) == 0) {
        SharingHelperClient client(target.string());
        std::string answer;
        hr = client.Call("state", "eth0", true, answer);
      }
      (void)!write(fds[1], &hr, sizeof hr);
      _exit(0);
    }
    close(fds[1]);
    HResult hr = kSOk;
    (void)!read(fds[0], &hr, sizeof hr);
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return hr;
  };
  EXPECT_EQ(outcome(helper,
                    "Error executing command as another user: No authentication agent "
                    "found.",
                    127),
            kNoAuthenticationAgent);
  ASSERT_EQ(chown(helper.c_str(), 65534, 65534), 0);
  EXPECT_EQ(outcome(helper, "", 0), kHelperUntrusted);  // pkexec is never asked
  fs::remove_all(folder);
}

// The private side may keep only the address of Orvane's own access point, and only where it
// clashes with no other network of the machine; default routes count in every table.
TEST(HelperPartsTest, APrivateSideKeepsOnlyItsOwnAccessPointsAddress) {
  NetlinkSnapshot machine;
  machine.addresses.push_back({1, {192, 168, 1, 20}, 24, true});   // the uplink, a home LAN
  machine.networkRoutes.push_back({3, {10, 8, 0, 0}, 16});         // a VPN's network
  machine.addresses.push_back({2, {192, 168, 137, 1}, 24, true});  // the access point
  EXPECT_EQ(PrivateSideReason(machine, 2, "wlan0", true), "");
  EXPECT_NE(PrivateSideReason(machine, 2, "wlan0", false), "");  // a static address of a LAN
  machine.addresses.back().address = {192, 168, 1, 1};           // inside the uplink's network
  EXPECT_NE(PrivateSideReason(machine, 2, "wlan0", true), "");
  machine.addresses.back() = {2, {10, 8, 3, 1}, 24, true};  // behind the VPN's route
  EXPECT_NE(PrivateSideReason(machine, 2, "wlan0", true), "");
  machine.addresses.pop_back();
  EXPECT_EQ(PrivateSideReason(machine, 2, "wlan0", false), "");  // nothing on it: ours to add
  machine.otherTableDefaultRoutes.push_back({2, {}});
  EXPECT_NE(PrivateSideReason(machine, 2, "wlan0", false), "");
}

TEST(InterfaceStateTest, KernelStatesMapToTheComponentsNumbering) {
  EXPECT_EQ(OperStatusOf(0, IF_OPER_DOWN), kOperNonOperational);
  EXPECT_EQ(OperStatusOf(IFF_UP | IFF_LOWER_UP, IF_OPER_UP), kOperOperational);
  EXPECT_EQ(OperStatusOf(IFF_UP, IF_OPER_LOWERLAYERDOWN), kOperDisconnected);
  EXPECT_EQ(OperStatusOf(IFF_UP | IFF_LOWER_UP, IF_OPER_UNKNOWN), kOperOperational);  // tun, lo
  EXPECT_EQ(OperStatusOf(IFF_UP, IF_OPER_UNKNOWN), kOperDisconnected);
  EXPECT_EQ(OperStatusOf(IFF_UP | IFF_LOWER_UP, IF_OPER_DORMANT), kOperConnecting);

  EXPECT_EQ(NetconStatusOf(0, IF_OPER_DOWN), kNcsDisconnected);
  EXPECT_EQ(NetconStatusOf(IFF_UP | IFF_LOWER_UP, IF_OPER_UP), kNcsConnected);
  EXPECT_EQ(NetconStatusOf(IFF_UP, IF_OPER_DOWN), kNcsMediaDisconnected);

  EXPECT_EQ(AdapterTypeOf(1, false), kIfTypeEthernet);
  EXPECT_EQ(AdapterTypeOf(1, true), kIfTypeIeee80211);
  EXPECT_EQ(AdapterTypeOf(512, false), kIfTypePpp);
  EXPECT_EQ(AdapterTypeOf(772, false), kIfTypeLoopback);
  EXPECT_EQ(AdapterTypeOf(65534, false), kIfTypeTunnel);
  EXPECT_EQ(MediaTypeOf(kIfTypePpp, ""), kNcmPhone);
  EXPECT_EQ(MediaTypeOf(kIfTypeEthernet, "bridge"), kNcmBridge);
  EXPECT_EQ(MediaTypeOf(kIfTypeIeee80211, ""), kNcmLan);
}

}  // namespace
}  // namespace orvane::platform::linux_backend
