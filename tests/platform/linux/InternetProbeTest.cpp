// The Internet probe against a listener in a namespace of the test: reachable, refused, and an
// address that never answers (a peer namespace that drops everything); and the monitor noticing
// a lost link or default route from the kernel's announcements.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "TestNamespace.h"
#include "platform/linux/LinuxInternetProbe.h"
#include "wireless/ThreadCheckInternet.h"

namespace orvane::platform::linux_backend {
namespace {

using namespace std::chrono_literals;

// A listening TCP socket: connections complete in the kernel's backlog (room for every probe of
// a test), nothing is served.
class Listener {
 public:
  explicit Listener(const char* address) : fd_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, address, &local.sin_addr);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 || listen(fd_, 128) != 0)
      throw std::runtime_error("cannot listen");
    socklen_t size = sizeof local;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &size);
    port_ = ntohs(local.sin_port);
  }
  ~Listener() { close(fd_); }
  uint16_t Port() const { return port_; }

 private:
  int fd_;
  uint16_t port_ = 0;
};

class InternetProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_WITHOUT_NAMESPACES();
    probe_ = std::make_unique<test::TestNamespace>("probe");
    hole_ = std::make_unique<test::TestNamespace>("hole");
    ASSERT_EQ(probe_->Run("ip link add p0 type veth peer name p1 netns " + hole_->Name() +
                          " && ip addr add 10.30.0.1/24 dev p0 && ip link set p0 up"),
              0);
    ASSERT_EQ(hole_->Run("ip addr add 10.30.0.2/24 dev p1 && ip link set p1 up && "
                         "nft add table ip hole && "
                         "nft add chain ip hole in '{ type filter hook input priority 0; "
                         "policy drop; }'"),
              0);
    entry_ = std::make_unique<test::NamespaceEntry>(*probe_);
  }
  void TearDown() override {
    entry_.reset();
    hole_.reset();
    probe_.reset();
  }

  std::unique_ptr<test::TestNamespace> probe_;
  std::unique_ptr<test::TestNamespace> hole_;
  std::unique_ptr<test::NamespaceEntry> entry_;
};

TEST_F(InternetProbeTest, ConnectsToAListeningHostAndPort) {
  Listener listener("10.30.0.1");
  LinuxInternetProbe probe;
  const std::string port = std::to_string(listener.Port());
  EXPECT_TRUE(probe.CheckConnection("http://10.30.0.1:" + port + "/generate_204", 3s));
  // Only TCP is tried: an https address reaches a plain listener too.
  EXPECT_TRUE(probe.CheckConnection("https://10.30.0.1:" + port + "/", 3s));
}

TEST_F(InternetProbeTest, RefusedPortAndBadAddressesAreUnreachable) {
  LinuxInternetProbe probe;
  EXPECT_FALSE(probe.CheckConnection("http://10.30.0.1:1/", 3s));
  EXPECT_FALSE(probe.CheckConnection("not a url at all", 3s));
  EXPECT_FALSE(probe.CheckConnection("", 3s));
}

TEST_F(InternetProbeTest, SilentAddressGivesUpWithinTheTimeout) {
  LinuxInternetProbe probe;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(probe.CheckConnection("http://10.30.0.2:80/", 1s));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  // A bound on correctness, not speed: without one the call would hang for minutes.
  EXPECT_LT(elapsed, 1s + 2s);
}

TEST_F(InternetProbeTest, ProbesFromSeveralThreadsAtOnce) {
  Listener listener("10.30.0.1");
  const std::string url = "http://10.30.0.1:" + std::to_string(listener.Port()) + "/";
  LinuxInternetProbe probe;
  std::atomic<int> reached{0}, stateAnswers{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 5; ++i) {
        if (probe.CheckConnection(url, 3s)) ++reached;
        uint32_t state = 0;
        if (probe.QueryConnectedState(state)) ++stateAnswers;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(reached, 20);
  EXPECT_EQ(stateAnswers, 20);
}

TEST_F(InternetProbeTest, ConnectedStateFollowsTheDefaultRoute) {
  LinuxInternetProbe probe;
  uint32_t state = 0;
  ASSERT_TRUE(probe.QueryConnectedState(state));
  EXPECT_EQ(state, kInternetStateDisconnected);
  ASSERT_EQ(probe_->Run("ip route add default via 10.30.0.2"), 0);
  ASSERT_TRUE(probe.QueryConnectedState(state));
  EXPECT_NE(state & kInternetStateDisconnected, kInternetStateDisconnected);
}

// The real probe with its forced attempt sent to the test's listener instead of the public
// address, so nothing leaves the test's namespaces.
class LocalTarget : public IInternetProbe {
 public:
  LocalTarget(IInternetProbe& inner, std::string url) : inner_(inner), url_(std::move(url)) {}
  bool CheckConnection(const std::string&, std::chrono::milliseconds timeout) override {
    return inner_.CheckConnection(url_, timeout);
  }
  bool QueryConnectedState(uint32_t& state) override { return inner_.QueryConnectedState(state); }
  std::unique_ptr<ILinkWatch> WatchLinks(const std::function<void(bool)>& changed) override {
    return inner_.WatchLinks(changed);
  }

 private:
  IInternetProbe& inner_;
  std::string url_;
};

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds bound = 10s) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

TEST_F(InternetProbeTest, ALostLinkOrDefaultRouteIsNoticedWithoutWaitingForTheNextCheck) {
  Listener listener("10.30.0.1");
  ASSERT_EQ(probe_->Run("ip route add default via 10.30.0.2"), 0);
  LinuxInternetProbe real;
  LocalTarget probe(real, "http://10.30.0.1:" + std::to_string(listener.Port()) + "/");
  // Only an announcement can end an hour's wait within the test's bounds.
  TThreadCheckInternet monitor(probe, std::chrono::hours(1));
  monitor.Start();
  ASSERT_TRUE(WaitUntil([&] { return monitor.LastState() == kInternetReachable; }));

  struct Loss {
    const test::TestNamespace& where;
    const char* cut;
    const char* restore;
  };
  for (const Loss& loss :
       {Loss{*hole_, "ip link set p1 down", "ip link set p1 up"},
        Loss{*probe_, "ip route del default", "ip route add default via 10.30.0.2"}}) {
    ASSERT_EQ(loss.where.Run(loss.cut), 0);
    EXPECT_TRUE(WaitUntil([&] { return monitor.LastState() == kInternetUnreachable; })) << loss.cut;
    ASSERT_EQ(loss.where.Run(loss.restore), 0);
    EXPECT_TRUE(WaitUntil([&] { return monitor.LastState() == kInternetReachable; }))
        << loss.restore;
  }
  monitor.Terminate();
  monitor.WaitFor();
}

}  // namespace
}  // namespace orvane::platform::linux_backend
