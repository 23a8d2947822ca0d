// Connection sharing end to end: "pub" serves a web page (the Internet), the sharing host sits
// between, and "priv" is a client asking for an address by DHCP. The backend runs in the host.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "TestNamespace.h"
#include "network/ConnectionUnit.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/SharingJournal.h"

namespace orvane::platform::linux_backend {
namespace {

using namespace std::chrono_literals;

constexpr const char* kPage = "hello from the public side";
// busybox's own wget crashes on some builds; a request over nc needs nothing more.
constexpr const char* kFetch =
    "printf 'GET /index.html HTTP/1.0\\r\\n\\r\\n' | busybox nc -w 3 10.77.0.1 8080 "
    "2>/dev/null | sed '1,/^\\r$/d'";

// Configures only the client's own interface: nothing of the machine (resolv.conf) is touched.
constexpr const char* kDhcpScript = R"(#!/bin/sh
case "$1" in
  deconfig) ip addr flush dev "$interface" ;;
  bound|renew)
    ip addr flush dev "$interface"
    ip addr add "$ip/${mask:-24}" dev "$interface"
    [ -n "$router" ] && ip route replace default via "${router%% *}" dev "$interface" ;;
esac
exit 0
)";

// The program's side: a platform and a connection manager, as the main window has them.
struct Program {
  Program()
      : platform(CreateLinuxPlatform({ORVANE_TEST_SHARING_HELPER, {}})),
        ifTable(platform->Adapters()),
        manager(platform->Adapters(), platform->ConnectionKinds(), platform->Sharing(),
                platform->System(), ifTable) {}

  std::string Guid(const std::string& name) {
    manager.Refresh();
    for (std::size_t i = 0; i < manager.Connections().Count(); ++i)
      if (manager.Connections().Strings(i) == name) return manager.Connections().Objects(i)->GUID;
    return {};
  }
  bool Start() { return manager.StartSharing(Guid("hpub"), Guid("hpriv")); }

  // Whether the sharing service reports sharing on the interface's connection.
  bool Shared(const std::string& name) {
    std::unique_ptr<ISharingManager> sharing;
    std::unique_ptr<IConnectionEnumerator> connections;
    if (Failed(platform->Sharing().CreateSharingManager(sharing)) ||
        Failed(sharing->EnumEveryConnection(connections))) {
      return false;
    }
    std::unique_ptr<INetConnection> connection;
    while (connections->Next(connection) == kSOk) {
      if (platform->System().FromUtf16(connection->GetProperties().name) != name) continue;
      std::unique_ptr<ISharingConfiguration> configuration;
      bool enabled = false;
      return Succeeded(sharing->GetConfiguration(*connection, configuration)) &&
             Succeeded(configuration->GetSharingEnabled(enabled)) && enabled;
    }
    return false;
  }

  std::unique_ptr<Platform> platform;
  InterfaceTableBlock ifTable;
  TConnectionManager manager;
};

class SharingEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_WITHOUT_NAMESPACES();
    pub_ = std::make_unique<test::TestNamespace>("pub");
    host_ = std::make_unique<test::TestNamespace>("host");
    priv_ = std::make_unique<test::TestNamespace>("priv");
    ASSERT_EQ(host_->Run("ip link add hpub type veth peer name up0 netns " + pub_->Name() +
                         " && ip link add hpriv type veth peer name cl0 netns " + priv_->Name() +
                         " && ip addr add 10.77.0.2/24 dev hpub && ip link set hpub up && "
                         "ip link set hpriv up && ip route add default via 10.77.0.1"),
              0);
    ASSERT_EQ(priv_->Run("ip link set cl0 up"), 0);
    std::ofstream(folder_.Path() + "/index.html") << kPage;
    std::ofstream(folder_.Path() + "/dhcp.sh") << kDhcpScript;
    std::filesystem::permissions(folder_.Path() + "/dhcp.sh", std::filesystem::perms::owner_all);
    ASSERT_EQ(pub_->Run("ip addr add 10.77.0.1/24 dev up0 && ip link set up0 up"), 0);
    pub_->Spawn("exec busybox httpd -f -p 10.77.0.1:8080 -h " + folder_.Path());
    ASSERT_EQ(pub_->Run("for i in $(seq 50); do [ -n \"$(" + std::string(kFetch) +
                        ")\" ] && exit 0; sleep 0.1; done; exit 1"),
              0)
        << "the web server in the public namespace did not start";
    entry_ = std::make_unique<test::NamespaceEntry>(*host_);
  }
  void TearDown() override {
    entry_.reset();
    priv_.reset();
    host_.reset();
    pub_.reset();
  }

  bool ClientGetsAddress() {
    return priv_->Run("udhcpc -i cl0 -n -q -f -t 10 -T 1 -s " + folder_.Path() +
                      "/dhcp.sh >/dev/null 2>&1") == 0;
  }
  std::string ClientFetch() { return priv_->Output(kFetch); }
  std::string HostTables() { return host_->Output("nft list tables"); }
  std::string Forwarding(const std::string& name) {
    return host_->Output("cat /proc/sys/net/ipv4/conf/" + name + "/forwarding");
  }
  std::string PrivateAddresses() { return host_->Output("ip -4 -o addr show dev hpriv"); }
  // What is left on the host, for failure messages.
  std::string HostState() {
    return "tables: [" + HostTables() +
           "] dnsmasq: " + std::to_string(host_->Processes("dnsmasq").size()) +
           " forwarding: " + Forwarding("hpub") + "/" + Forwarding("hpriv") +
           " private addresses: [" + PrivateAddresses() + "]";
  }
  bool HostIsClean() {
    return HostTables().empty() && host_->Processes("dnsmasq").empty() &&
           Forwarding("hpub") == "0" && Forwarding("hpriv") == "0" && PrivateAddresses().empty();
  }
  // Waits (bounded) for the kernel and the helpers to finish tidying up.
  bool Eventually(const std::function<bool()>& condition) {
    for (auto deadline = std::chrono::steady_clock::now() + 10s;
         std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(50ms)) {
      if (condition()) return true;
    }
    return condition();
  }

  test::TempFolder folder_;
  std::unique_ptr<test::TestNamespace> pub_;
  std::unique_ptr<test::TestNamespace> host_;
  std::unique_ptr<test::TestNamespace> priv_;
  std::unique_ptr<test::NamespaceEntry> entry_;
};

TEST_F(SharingEndToEndTest, ClientReachesThePublicSideOnlyWhileSharing) {
  ASSERT_TRUE(HostIsClean());
  Program program;
  EXPECT_FALSE(program.Shared("hpub"));
  ASSERT_TRUE(program.Start());
  EXPECT_TRUE(program.Shared("hpub"));
  EXPECT_TRUE(program.Shared("hpriv"));
  EXPECT_NE(PrivateAddresses().find("192.168.137.1/24"), std::string::npos);

  ASSERT_TRUE(ClientGetsAddress());
  EXPECT_EQ(ClientFetch(), kPage);

  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_FALSE(program.Shared("hpub"));
  EXPECT_FALSE(program.Shared("hpriv"));
  EXPECT_EQ(ClientFetch(), "");
  EXPECT_TRUE(HostIsClean()) << HostState();
}

TEST_F(SharingEndToEndTest, AddressAlreadyOnThePrivateSideIsKeptAndUsed) {
  ASSERT_EQ(host_->Run("ip addr add 10.88.0.1/24 dev hpriv"), 0);
  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(PrivateAddresses().find("192.168.137.1"), std::string::npos);
  ASSERT_TRUE(ClientGetsAddress());
  EXPECT_NE(priv_->Output("ip -4 -o addr show dev cl0").find("10.88.0."), std::string::npos);
  EXPECT_EQ(ClientFetch(), kPage);
  EXPECT_TRUE(program.manager.StopSharing());
  EXPECT_NE(PrivateAddresses().find("10.88.0.1/24"), std::string::npos);
}

TEST_F(SharingEndToEndTest, NothingOutlivesAKilledProgram) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // the program, in the host namespace like its parent
    close(fds[0]);
    char started = 0;
    try {
      Program program;
      started = program.Start() ? 1 : 0;
      if (write(fds[1], &started, 1) != 1) _exit(1);
      for (;;) pause();
    } catch (...) {
    }
    _exit(1);
  }
  close(fds[1]);
  pollfd ready{fds[0], POLLIN, 0};
  char started = 0;
  const bool answered = poll(&ready, 1, 60'000) == 1 && read(fds[0], &started, 1) == 1;
  close(fds[0]);
  EXPECT_TRUE(answered && started == 1);
  EXPECT_FALSE(HostTables().empty());
  EXPECT_FALSE(host_->Processes("dnsmasq").empty());
  EXPECT_EQ(Forwarding("hpriv"), "1");

  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(Eventually([&] { return HostIsClean(); })) << HostState();

  Program next;  // the next start shares again from a clean machine
  EXPECT_TRUE(next.Start());
  EXPECT_TRUE(next.manager.StopSharing());
}

TEST_F(SharingEndToEndTest, KilledHelperIsUndoneAtTheNextStart) {
  {
    Program program;
    ASSERT_TRUE(program.Start());
    const auto helpers = host_->Processes("orvane-sharing-");  // the name as the kernel cuts it
    ASSERT_EQ(helpers.size(), 1u);
    kill(helpers[0], SIGKILL);
    // The kernel takes the owned table, and dnsmasq dies with its parent...
    EXPECT_TRUE(Eventually([&] {
      return HostTables().empty() && host_->Processes("dnsmasq").empty();
    })) << HostState();
    // ...but the forwarding setting and the gateway address wait for the next helper.
    EXPECT_EQ(Forwarding("hpriv"), "1");
  }
  const SharingJournal journal(kJournalFolder, NetworkNamespaceId(), getpid());
  EXPECT_TRUE(journal.HasOrphans());
  Program next;
  EXPECT_TRUE(next.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();
  EXPECT_FALSE(journal.HasOrphans());
}

}  // namespace
}  // namespace orvane::platform::linux_backend
