// The program's end of the sharing helper against stand-ins for pkexec and the helper: every
// reason a start can fail reaches the caller as its own code, with words, and a start that waits
// for a password nobody gives ends after the client's bound.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SharingFixture.h"
#include "app/WorkflowTexts.h"
#include "network/ConnectionUnit.h"
#include "platform/linux/SharingHelperClient.h"

namespace orvane::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

// A stand-in helper that speaks the protocol: ready, then `reply` to every request.
std::string HelperAnswering(const std::string& reply) {
  return "#!/bin/sh\necho ready\nwhile read -r line; do echo '" + reply + "'; done\n";
}
// A stand-in pkexec that runs what it is given, as the real one does once authorised.
constexpr const char* kPkexecRuns = "#!/bin/sh\nexec \"$@\"\n";
// Sleeps in short steps, so that nothing of it outlives the test by long once it is killed.
constexpr const char* kSleepLong = "for i in $(seq 300); do sleep 0.1; done\n";

// Fakes in a folder of root's under /run (not /tmp, which everyone can write to), so that the
// helper's trust check passes unless a case spoils it.
class SharingClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to own the stand-in helper as root";
    folder_ = std::make_unique<test::TempFolder>("/run");
    chmod(Dir().c_str(), 0755);
  }

  fs::path Dir() const { return folder_->Path(); }
  fs::path Write(const std::string& name, const std::string& script) const {
    const fs::path path = Dir() / name;
    std::ofstream(path) << script;
    chmod(path.c_str(), 0755);
    return path;
  }
  // A launch through the stand-in pkexec, even though the test runs as root.
  SharingHelperLaunch Elevated(const std::string& pkexecScript) const {
    SharingHelperLaunch launch;
    launch.elevationTool = Write("pkexec", pkexecScript).string();
    launch.elevateAsRoot = true;
    return launch;
  }

  std::unique_ptr<test::TempFolder> folder_;
};

TEST_F(SharingClientTest, EachStartFailureReachesTheCallerAsItsOwnCode) {
  const fs::path helper = Write("orvane-sharing-helper", HelperAnswering("ok none"));
  const fs::path asked = Dir() / "pkexec-asked";
  // Notes that it was asked, says `said` and exits with `code`, as pkexec does when it refuses.
  const std::string runs = "#!/bin/sh\ntouch '" + asked.string() + "'\nexec \"$@\"\n";
  auto refusing = [&](const std::string& said, int code) {
    return "#!/bin/sh\ntouch '" + asked.string() + "'\necho '" + said + "' >&2\nexit " +
           std::to_string(code) + "\n";
  };
  struct Case {
    std::string name;
    std::function<void()> arrange;  // spoils the setup for this case; undone by the next
    fs::path helperPath;
    std::string pkexec;  // empty: not installed
    bool elevated;
    HResult code;
    std::string words;  // part of LastErrorText
    bool pkexecAsked;
  };
  const auto none = [] {};
  const std::vector<Case> cases = {
      {"a helper that answers", none, helper, runs, true, kSOk, "", true},
      {"helper missing", none, Dir() / "missing", runs, true, kHelperMissing, "missing", false},
      {"helper missing, run as root", none, Dir() / "missing", runs, false, kHelperMissing,
       "cannot run", false},
      {"helper group-writable", [&] { chmod(helper.c_str(), 0775); }, helper, runs, true,
       kHelperUntrusted, "can be changed by other users", false},
      {"helper of another user",
       [&] {
         chmod(helper.c_str(), 0755);
         ASSERT_EQ(chown(helper.c_str(), 65534, 65534), 0);
       },
       helper, runs, true, kHelperUntrusted, "does not belong to root", false},
      {"folder open to others",
       [&] {
         ASSERT_EQ(chown(helper.c_str(), 0, 0), 0);
         chmod(Dir().c_str(), 0777);
       },
       helper, runs, true, kHelperUntrusted, "can be changed by other users", false},
      {"path through a dot", [&] { chmod(Dir().c_str(), 0755); }, Dir() / "." / helper.filename(),
       runs, true, kHelperUntrusted, "not canonical", false},
      {"path through a link", [&] { fs::create_symlink(helper, Dir() / "link"); }, Dir() / "link",
       runs, true, kHelperUntrusted, "not canonical", false},
      {"pkexec not installed", none, helper, "", true, kElevationToolMissing, "not installed",
       false},
      {"no authentication agent", none, helper,
       refusing("Error executing command as another user: No authentication agent found.", 127),
       true, kNoAuthenticationAgent, "No authentication agent found.", true},
      {"not authorised", none, helper, refusing("Not authorized.", 127), true, kEAccessDenied,
       "Not authorized.", true},
      {"password question dismissed", none, helper, refusing("", 126), true, kRefusedByUser,
       "password was not given", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    fs::remove(asked);
    SharingHelperLaunch launch = Elevated(c.pkexec.empty() ? runs : c.pkexec);
    if (c.pkexec.empty()) launch.elevationTool = (Dir() / "no-pkexec").string();
    launch.elevateAsRoot = c.elevated;
    SharingHelperClient client(c.helperPath.string(), launch);
    std::string answer;
    EXPECT_EQ(client.Call("state", "eth0", true, answer), c.code);
    EXPECT_NE(SharingHelperClient::LastErrorText().find(c.words), std::string::npos)
        << SharingHelperClient::LastErrorText();
    EXPECT_EQ(fs::exists(asked), c.pkexecAsked);
    if (c.code == kSOk) {
      EXPECT_EQ(answer, "none");
    }
  }
}

// A refusal of the helper keeps its code and its words, whatever they are.
TEST_F(SharingClientTest, TheHelpersOwnRefusalReachesTheCallerInItsWords) {
  const std::string words = "no free private network from 192.168.137.0/24 to 192.168.254.0/24";
  const fs::path helper =
      Write("orvane-sharing-helper", HelperAnswering("error 80070032 " + words));
  SharingHelperClient client(helper.string(), Elevated(kPkexecRuns));
  std::string answer;
  EXPECT_EQ(client.Call("private", "eth0", true, answer), static_cast<HResult>(0x80070032u));
  EXPECT_EQ(SharingHelperClient::LastErrorText(), words);
}

// pkexec waits as long as its password question is open; the client gives it a bound and then a
// code, rather than holding "Start Sharing" for ever.
TEST_F(SharingClientTest, AStartThatWaitsEndsWithinTheBound) {
  const fs::path helper = Write("orvane-sharing-helper", HelperAnswering("ok none"));
  std::string answer;
  {  // a password given after a while: the helper starts
    SharingHelperLaunch launch = Elevated("#!/bin/sh\nsleep 0.5\nexec \"$@\"\n");
    launch.readyTimeout = std::chrono::seconds(20);
    SharingHelperClient client(helper.string(), launch);
    EXPECT_EQ(client.Call("state", "eth0", true, answer), kSOk);
  }
  {  // never given: the client stops waiting long before the stand-in would go on
    const fs::path woke = Dir() / "woke";
    SharingHelperLaunch launch =
        Elevated(std::string("#!/bin/sh\n") + kSleepLong + "touch '" + woke.string() + "'\n");
    launch.readyTimeout = std::chrono::seconds(1);
    SharingHelperClient client(helper.string(), launch);
    EXPECT_EQ(client.Call("state", "eth0", true, answer), kRefusedByUser);
    EXPECT_NE(SharingHelperClient::LastErrorText().find("not given within 1 s"), std::string::npos)
        << SharingHelperClient::LastErrorText();
    EXPECT_FALSE(fs::exists(woke));
  }
  {  // run as root, a helper that never gets ready is a failure of its own
    const fs::path stuck = Write("stuck-helper", std::string("#!/bin/sh\n") + kSleepLong);
    SharingHelperLaunch launch;
    launch.readyTimeout = std::chrono::seconds(1);
    SharingHelperClient client(stuck.string(), launch);
    EXPECT_EQ(client.Call("state", "eth0", true, answer), kEFail);
    EXPECT_NE(SharingHelperClient::LastErrorText().find("not ready within 1 s"), std::string::npos)
        << SharingHelperClient::LastErrorText();
  }
}

// Through the connection manager on the real machine, as the window asks for it: the box says
// what happened and what to do, with pkexec's or the helper's own words.
using SharingClientBoxTest = SharingTest;

TEST_F(SharingClientBoxTest, StartFailuresReachTheBoxWithTheirRemedy) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to own the stand-in helper as root";
  const test::TempFolder folder("/run");
  const fs::path dir = folder.Path();
  auto write = [&](const std::string& name, const std::string& script) {
    std::ofstream(dir / name) << script;
    chmod((dir / name).c_str(), 0755);
    return (dir / name).string();
  };
  struct Case {
    std::string pkexec;
    std::string helperReply;
    std::string box;  // what follows the first sentence
  };
  const std::string noAgent = "Error executing command as another user: No authentication agent";
  const std::string refusal = "another firewall drops forwarded traffic (table ip filter)";
  const std::vector<Case> cases = {
      {"#!/bin/sh\necho '" + noAgent + "' >&2\nexit 127\n", "ok",
       "No authentication agent is running to ask for the administrator's password. Log in to "
       "a desktop session with a polkit agent, or run Orvane as root.\r\n\r\n" +
           noAgent},
      {kPkexecRuns, "error 80004005 " + refusal,
       "The system refused to share these connections:\r\n\r\n" + refusal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    SharingHelperLaunch launch;
    launch.elevationTool = write("pkexec", c.pkexec);
    launch.elevateAsRoot = true;
    test::SharingProgram program(write("orvane-sharing-helper", HelperAnswering(c.helperReply)),
                                 launch);
    ASSERT_FALSE(program.Start());
    EXPECT_EQ(texts::SharingFailedMessage(program.manager.LastFailure(), ""),
              std::string(texts::kSharingFailed) + "\r\n\r\n" + c.box);
  }
  EXPECT_TRUE(HostIsClean()) << HostState();
}

}  // namespace
}  // namespace orvane::platform::linux_backend
