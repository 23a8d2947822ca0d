// The real NetworkManager checks every setting of a profile when it is added: it validates the
// exact profiles the wireless library builds. It runs in a network and mount namespace of the
// test's own, on the test's private bus, and the profiles stay in its memory only.

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "PrivateBus.h"
#include "platform/linux/wireless/NmBus.h"
#include "platform/linux/wireless/NmProfiles.h"
#include "support/Processes.h"

namespace orvane::platform::linux_backend {
namespace {

// NetworkManager in namespace orvane-nm-<pid>, with /sys read-only and /run, its state and its
// configuration on memory file systems, so it neither reads nor changes the machine's own.
class NamespacedNetworkManager {
 public:
  explicit NamespacedNetworkManager(const orvane::testing::PrivateBus& bus)
      : name_("orvane-nm-" + std::to_string(getpid())), log_(bus.Folder() + "/networkmanager.log") {
    if (orvane::testing::Run("ip", {"netns", "add", name_}, log_) != 0) return;
    created_ = true;
    const std::string script = bus.Folder() + "/networkmanager.sh";
    std::ofstream(script)
        << "set -e\n"
           "mount -o remount,ro /sys 2>/dev/null || mount -t sysfs -o ro sysfs /sys\n"
           "for d in /run /var/lib/NetworkManager /etc/NetworkManager; do\n"
           "  mount -t tmpfs tmpfs $d\n"
           "done\n"
           "printf '[main]\\nplugins=keyfile\\nno-auto-default=*\\n' > "
           "/etc/NetworkManager/NetworkManager.conf\n"
           "export DBUS_SYSTEM_BUS_ADDRESS='"
        << bus.Address()
        << "'\n"
           "exec NetworkManager --no-daemon\n";
    manager_ = orvane::testing::Spawn("ip", {"netns", "exec", name_, "sh", script}, log_);
  }
  ~NamespacedNetworkManager() {
    orvane::testing::Stop(manager_);
    if (created_) orvane::testing::Run("ip", {"netns", "del", name_}, log_);
  }

  bool NamespaceCreated() const { return created_; }
  // True once NetworkManager answers on the bus and has started.
  bool WaitUntilRunning() {
    if (manager_ <= 0) return false;
    for (int i = 0; i < 300; ++i) {
      sd_bus* bus = nullptr;
      if (sd_bus_open_system(&bus) >= 0) {
        // Settings are taken only once it has finished starting.
        int starting = 1;
        const bool ready = sd_bus_get_property_trivial(bus, kNmService, kNmPath, kNmService,
                                                       "Startup", nullptr, 'b', &starting) >= 0 &&
                           starting == 0;
        sd_bus_flush_close_unref(bus);
        if (ready) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

 private:
  std::string name_;
  std::string log_;
  bool created_ = false;
  pid_t manager_ = -1;
};

// Adds the profile in memory; NetworkManager's refusal, or empty when it took it.
std::string Refusal(const WifiProfile& profile) {
  sd_bus* raw = nullptr;
  if (sd_bus_open_system(&raw) < 0) return "no bus";
  BusPtr bus(raw);
  sd_bus_message* call = nullptr;
  sd_bus_message_new_method_call(raw, &call, kNmService, kNmSettingsPath, kNmSettings,
                                 "AddConnectionUnsaved");
  MessagePtr owned(call);
  if (AppendProfile(call, profile) < 0) return "profile not written";
  BusError error;
  sd_bus_message* reply = nullptr;
  const int result = sd_bus_call(raw, call, 10'000'000, error.get(), &reply);
  MessagePtr answer(reply);
  if (result >= 0) return {};
  return error.get()->message != nullptr ? error.get()->message : "refused";
}

TEST(RealNetworkManagerTest, AcceptsEveryProfileTheLibraryBuilds) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root for a network namespace";
  if (orvane::testing::Run("sh", {"-c", "command -v NetworkManager"}, "/dev/null") != 0)
    GTEST_SKIP() << "needs Debian's network-manager";
  orvane::testing::PrivateBus bus;
  if (const std::string why = bus.Start(); !why.empty()) GTEST_SKIP() << why;
  NamespacedNetworkManager manager(bus);
  if (!manager.NamespaceCreated()) GTEST_SKIP() << "this machine allows no network namespace";
  ASSERT_TRUE(manager.WaitUntilRunning()) << "NetworkManager did not start";

  struct Case {
    const char* what;
    uint32_t built;
    WifiProfile profile;
  };
  std::vector<Case> cases(9);
  const Ipv4Setting sharing{{192, 168, 137, 1}, 24};
  cases[0].what = "own network with the sharing's address";
  cases[0].built = AccessPointProfile("wlan0", u"Velmora", u"73915", WifiSecurity::Wep, "", sharing,
                                      cases[0].profile);
  cases[1].what = "own network, 13-character key, no address, one user";
  cases[1].built = AccessPointProfile("wlp2s0", u"Café Ω", u"abcdefghijklm", WifiSecurity::Wep,
                                      "nobody", std::nullopt, cases[1].profile);
  cases[2].what = "joining a nearby own network (access point)";
  cases[2].built = JoinProfile("wlan0", u"Velmora", u"73915", 1, 2, 0, "", cases[2].profile);
  cases[3].what = "joining a nearby own network (ad hoc)";
  cases[3].built = JoinProfile("wlan0", u"Velmora", u"73915", 1, 1, 0, "", cases[3].profile);
  cases[4].what = "joining a WPA network";
  cases[4].built =
      JoinProfile("wlan0", u"Cafe", u"secret-words", 2, 2, 0x108, "", cases[4].profile);
  cases[5].what = "joining a WPA3 network";
  cases[5].built =
      JoinProfile("wlan0", u"Cafe", u"secret-words", 2, 2, 0x400, "", cases[5].profile);
  cases[6].what = "joining an open network";
  cases[6].built = JoinProfile("wlan0", u"Park", u"", 3, 2, 0, "nobody", cases[6].profile);
  cases[7].what = "own network a second time";
  cases[7].built = AccessPointProfile("wlan0", u"Velmora", u"73915", WifiSecurity::Wep, "", sharing,
                                      cases[7].profile);
  cases[8].what = "own network with WPA2 (RSN, CCMP only)";
  cases[8].built = AccessPointProfile("wlan0", u"Velmora", u"k7Pq2mZx9aBc ~!",
                                      WifiSecurity::Wpa2Psk, "", sharing, cases[8].profile);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(c.built, 0u);
    EXPECT_EQ(Refusal(c.profile), "");
  }

  // The check is real: a key WEP cannot use is refused.
  WifiProfile broken = cases[0].profile;
  broken.key = "123";
  EXPECT_NE(Refusal(broken), "");
}

}  // namespace
}  // namespace orvane::platform::linux_backend
