// Connection sharing end to end: "pub" serves a web page (the Internet), the sharing host sits
// between, and "priv" is a client asking for an address by DHCP. The backend runs in the host.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "SharingFixture.h"
#include "platform/linux/SharingJournal.h"

namespace orvane::platform::linux_backend {
namespace {

using SharingEndToEndTest = SharingTest;

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
  EXPECT_FALSE(net_->host.Processes("dnsmasq").empty());
  EXPECT_EQ(Forwarding("hpriv"), "1");

  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(Eventually([&] { return HostIsClean(); })) << HostState();

  Program next;  // the next start shares again from a clean machine
  EXPECT_TRUE(next.Start());
  EXPECT_TRUE(next.manager.StopSharing());
}

// The helper and its server run as root: a descriptor the program left open must not reach
// either of them.
TEST_F(SharingEndToEndTest, HelperAndServerGetNoneOfTheProgramsDescriptors) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);  // deliberately not close-on-exec
  struct stat info {};
  ASSERT_EQ(fstat(fds[0], &info), 0);
  const std::string pipeLink = "pipe:[" + std::to_string(info.st_ino) + "]";
  {
    Program program;
    ASSERT_TRUE(program.Start());
    std::vector<pid_t> roots = net_->host.Processes("orvane-sharing-");
    const std::vector<pid_t> servers = net_->host.Processes("dnsmasq");
    ASSERT_EQ(roots.size(), 1u);
    ASSERT_EQ(servers.size(), 1u);
    roots.push_back(servers[0]);
    for (pid_t pid : roots) {
      std::error_code error;
      const std::filesystem::path folder = "/proc/" + std::to_string(pid) + "/fd";
      for (std::filesystem::directory_iterator fd(folder, error), end; !error && fd != end;
           fd.increment(error)) {
        std::error_code linkError;
        EXPECT_NE(std::filesystem::read_symlink(fd->path(), linkError).string(), pipeLink)
            << "process " << pid << " holds the program's pipe";
      }
    }
    EXPECT_TRUE(program.manager.StopSharing());
  }
  close(fds[0]);
  close(fds[1]);
}

TEST_F(SharingEndToEndTest, KilledHelperIsUndoneAtTheNextStart) {
  ASSERT_EQ(net_->pub.Run("ip route add 192.168.137.0/24 via 198.51.100.2"), 0);
  {
    Program program;
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(ClientGetsAddress());
    net_->Serve(net_->priv, net_->ClientAddress());
    ASSERT_EQ(ClientFetch(), kPage);
    const auto helpers = net_->host.Processes("orvane-sharing-");  // the name as the kernel cuts it
    ASSERT_EQ(helpers.size(), 1u);
    kill(helpers[0], SIGKILL);
    // The kernel takes the owned table, and dnsmasq dies with its parent...
    EXPECT_TRUE(Eventually([&] {
      return OwnTableGone() && net_->host.Processes("dnsmasq").empty();
    })) << HostState();
    // ...but the forwarding setting and the gateway address wait for the next helper...
    EXPECT_EQ(Forwarding("hpriv"), "1");
    EXPECT_EQ(Forwarding("hpub"), "1");
  }
  // ...and meanwhile the guard forwards nothing: neither the uplink's side to the guest (pub
  // routes the private network through the host) nor the guest out un-masqueraded.
  EXPECT_EQ(HostTables(), "table inet orvane_guard");
  EXPECT_EQ(ClientFetch(), "");
  EXPECT_FALSE(test::SharingTopology::Connects(net_->pub, net_->ClientAddress(), 8080));
  const SharingJournal journal(kJournalFolder, NetworkNamespaceId(), getpid());
  EXPECT_TRUE(journal.HasOrphans());
  Program next;
  EXPECT_TRUE(next.manager.StopSharing());
  EXPECT_TRUE(HostIsClean()) << HostState();  // the guard went with the recovery
  EXPECT_FALSE(journal.HasOrphans());
}

}  // namespace
}  // namespace orvane::platform::linux_backend
