#include "SharingTopology.h"

#include <filesystem>
#include <fstream>
#include <utility>

#include "platform/linux/LinuxPlatform.h"

namespace orvane::test {
namespace {

// busybox's own wget crashes on some builds; a request over nc needs nothing more.
std::string FetchCommand(const std::string& address) {
  return "printf 'GET /index.html HTTP/1.0\\r\\n\\r\\n' | busybox nc -w 3 " + address +
         " 8080 2>/dev/null | sed '1,/^\\r$/d'";
}

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

}  // namespace

SharingTopology::SharingTopology(const std::string& prefix, const std::string& page)
    : pub(prefix + "pub"), host(prefix + "host"), priv(prefix + "priv") {
  std::ofstream(folder.Path() + "/index.html") << page;
  std::ofstream(folder.Path() + "/dhcp.sh") << kDhcpScript;
  std::filesystem::permissions(folder.Path() + "/dhcp.sh", std::filesystem::perms::owner_all);
}

std::string SharingTopology::Build() {
  if (host.Run("ip link add hpub type veth peer name up0 netns " + pub.Name() +
               " && ip link add hpriv type veth peer name cl0 netns " + priv.Name() +
               " && ip addr add 198.51.100.2/24 dev hpub && ip addr add 10.77.0.2/24 dev hpub && "
               "ip link set hpub up && ip link set hpriv up && "
               "ip route add default via 198.51.100.1") != 0 ||
      priv.Run("ip link set cl0 up") != 0 ||
      pub.Run("ip addr add 198.51.100.1/24 dev up0 && ip addr add 10.77.0.1/24 dev up0 && "
              "ip link set up0 up") != 0) {
    return "cannot build the namespaces";
  }
  Serve(pub, kInternet);
  Serve(pub, kUplinkLan);
  if (pub.Run("for i in $(seq 50); do [ -n \"$(" + FetchCommand(kInternet) + ")\" ] && [ -n \"$(" +
              FetchCommand(kUplinkLan) + ")\" ] && exit 0; sleep 0.1; done; exit 1") != 0) {
    return "the web server in the public namespace did not start";
  }
  return {};
}

bool SharingTopology::RunDhcpClient(int discovers, const std::string& options) const {
  return priv.Run("udhcpc -i cl0 -n -q -f -t " + std::to_string(discovers) + " -T 1 -s " +
                  folder.Path() + "/dhcp.sh " + options + " >/dev/null 2>&1") == 0;
}

bool SharingTopology::ClientGetsAddress(int discovers) const {
  return RunDhcpClient(discovers, "");
}

bool SharingTopology::ClientGetsAddressAs(const std::string& hostname) const {
  return RunDhcpClient(10, "-x hostname:" + hostname);
}

bool SharingTopology::ClientReleases() const {
  // udhcpc releases only when it is stopped while bound; quitting once leased (-q) sends nothing.
  return priv.Run("ip addr flush dev cl0 && { udhcpc -i cl0 -f -R -t 10 -T 1 -s " + folder.Path() +
                  "/dhcp.sh >/dev/null 2>&1 & client=$!; for i in $(seq 100); do "
                  "ip -4 -o addr show dev cl0 | grep -q inet && break; sleep 0.1; done; "
                  "ip -4 -o addr show dev cl0 | grep -q inet; bound=$?; "
                  "kill -TERM $client; wait $client; exit $bound; }") == 0;
}

std::string SharingTopology::ClientHardwareAddress() const {
  return priv.Output("cat /sys/class/net/cl0/address");
}

std::string SharingTopology::ClientFetch() const {
  return Fetch(priv, kInternet);
}

std::string SharingTopology::Fetch(const TestNamespace& from, const std::string& address) const {
  return from.Output(FetchCommand(address));
}

bool SharingTopology::Connects(const TestNamespace& from, const std::string& address, int port) {
  return from.Run("timeout 3 bash -c 'exec 3<>/dev/tcp/" + address + "/" + std::to_string(port) +
                  "' 2>/dev/null") == 0;
}

std::string SharingTopology::ClientAddress() const {
  return priv.Output("ip -4 -o addr show dev cl0 | awk '{print $4}' | cut -d/ -f1");
}

bool SharingTopology::DhcpAnswers(const TestNamespace& space, const std::string& interfaceName) {
  return space.Run("udhcpc -i " + interfaceName +
                   " -n -q -f -t 3 -T 1 -s /bin/true >/dev/null 2>&1") == 0;
}

void SharingTopology::Serve(TestNamespace& space, const std::string& address) const {
  space.Spawn("exec busybox httpd -f -p " + address + ":8080 -h " + folder.Path());
}

SharingProgram::SharingProgram(const std::string& helperPath,
                               orvane::platform::linux_backend::SharingHelperLaunch launch)
    : platform(orvane::platform::linux_backend::CreateLinuxPlatform(
          {helperPath, {}, std::move(launch)})),
      ifTable(platform->Adapters()),
      manager(platform->Adapters(), platform->ConnectionKinds(), platform->Sharing(),
              platform->System(), ifTable) {}

std::string SharingProgram::Guid(const std::string& name) {
  manager.Refresh();
  for (std::size_t i = 0; i < manager.Connections().Count(); ++i)
    if (manager.Connections().Strings(i) == name) return manager.Connections().Objects(i)->GUID;
  return {};
}

bool SharingProgram::Start() {
  return manager.StartSharing(Guid("hpub"), Guid("hpriv"));
}

bool SharingProgram::Shared(const std::string& name) {
  using namespace orvane::platform;
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

}  // namespace orvane::test
