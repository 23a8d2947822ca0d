// The devices a private share serves, as the program lists them: read from the DHCP server's
// leases through the helper, gone when they leave, and never read through something put in the
// lease file's place.

#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "SharingFixture.h"
#include "platform/linux/SharingJournal.h"

namespace orvane::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

class SharingDevicesTest : public SharingTest {
 protected:
  // As the program asks: through the connection manager, by the connection's GUID.
  static std::vector<ConnectedDevice> Devices(Program& program, const std::string& name) {
    auto devices = program.manager.ConnectedDevices(program.Guid(name));
    EXPECT_TRUE(devices.has_value()) << name;
    return devices.value_or(std::vector<ConnectedDevice>{});
  }
};

TEST_F(SharingDevicesTest, LeasesAreListedUntilReleasedAndNeverReadThroughALinkOrAPipe) {
  const std::string decoy = net_->folder.Path() + "/decoy";
  std::string leases;
  {
    Program program;
    // Asking starts no helper: none running means nothing is shared.
    EXPECT_TRUE(Devices(program, "hpriv").empty());
    EXPECT_TRUE(net_->host.Processes("orvane-sharing-").empty());
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(Devices(program, "hpriv").empty());

    ASSERT_TRUE(net_->ClientGetsAddressAs("guest-phone"));
    const std::vector<ConnectedDevice> expected = {
        {"guest-phone", net_->ClientHardwareAddress(), net_->ClientAddress()}};
    EXPECT_EQ(Devices(program, "hpriv"), expected);
    EXPECT_TRUE(Devices(program, "hpub").empty());  // shared, but as public
    // The release is not answered, so the server may take a moment after the client has gone.
    ASSERT_TRUE(net_->ClientReleases());
    EXPECT_TRUE(Eventually([&] { return Devices(program, "hpriv").empty(); }));

    ASSERT_TRUE(net_->ClientGetsAddressAs("guest-phone"));
    const auto helpers = net_->host.Processes("orvane-sharing-");
    ASSERT_EQ(helpers.size(), 1u);
    leases = SharingJournal(kJournalFolder, NetworkNamespaceId(), helpers[0]).LeaseFile("hpriv");
    // A device that leaves without a word is dropped within ten minutes.
    long long expiry = 0;
    std::ifstream(leases) >> expiry;
    EXPECT_GT(expiry, time(nullptr) + 500);
    EXPECT_LE(expiry, time(nullptr) + 600);

    // root's own file, which reads as a lease, linked from where the leases were.
    std::ofstream(decoy) << "0 aa:bb:cc:dd:ee:ff 192.168.137.99 decoy *\n";
    fs::create_symlink(decoy, leases + ".link");
    fs::rename(leases + ".link", leases);
    EXPECT_TRUE(Devices(program, "hpriv").empty());
    // A pipe nobody writes to must not hang the helper (the call would time out).
    ASSERT_EQ(mkfifo((leases + ".fifo").c_str(), 0600), 0);
    fs::rename(leases + ".fifo", leases);
    EXPECT_TRUE(Devices(program, "hpriv").empty());

    EXPECT_TRUE(program.manager.StopSharing());
    EXPECT_TRUE(Devices(program, "hpriv").empty());
  }
  // The helper took away what stood in the lease file's place, and nothing through it.
  EXPECT_FALSE(fs::exists(fs::symlink_status(leases)));
  EXPECT_TRUE(fs::exists(decoy));
  EXPECT_TRUE(HostIsClean()) << HostState();
}

}  // namespace
}  // namespace orvane::platform::linux_backend
