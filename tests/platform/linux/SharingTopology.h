#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TestNamespace.h"
#include "network/ConnectionUnit.h"
#include "platform/Platform.h"
#include "platform/linux/SharingHelperClient.h"

namespace orvane::test {

// Three namespaces in a row: "pub" serves a web page on kInternet:8080 (the Internet) and on
// kUplinkLan:8080 (a host of the uplink's local network, on the same link), the sharing host
// sits between (hpub towards pub, with its default route there; hpriv towards the client,
// unaddressed), and "priv" is a client whose cl0 is up but has no address yet.
inline constexpr const char* kInternet = "198.51.100.1";  // a documentation range: public-like
inline constexpr const char* kUplinkLan = "10.77.0.1";
class SharingTopology {
 public:
  // The prefix keeps the namespace names of different users apart; page is what pub serves.
  SharingTopology(const std::string& prefix, const std::string& page);

  // Wires the namespaces and waits for the web server; answers why it failed ("" when ready).
  std::string Build();

  // The client asks for a lease by DHCP, sending up to `discovers` requests a second apart.
  bool ClientGetsAddress(int discovers) const;
  // The same, giving the server the client's name.
  bool ClientGetsAddressAs(const std::string& hostname) const;
  // The client leases anew and then releases its lease, as one leaving politely does.
  bool ClientReleases() const;
  // The client interface's hardware address.
  std::string ClientHardwareAddress() const;
  // What the client fetches from pub's web server on the Internet ("" when it cannot reach it).
  std::string ClientFetch() const;
  // What `from` fetches from a web server on address:8080 ("" when it cannot reach it).
  std::string Fetch(const TestNamespace& from, const std::string& address) const;
  // Whether `from` can open a TCP connection to address:port (bounded to a few seconds).
  static bool Connects(const TestNamespace& from, const std::string& address, int port);
  // The client's leased address ("" when it has none).
  std::string ClientAddress() const;
  // Whether anything on the network of `space`'s interface answers a DHCP request (nothing is
  // configured with the answer).
  static bool DhcpAnswers(const TestNamespace& space, const std::string& interfaceName);
  // Serves the page on address:8080 from `space`.
  void Serve(TestNamespace& space, const std::string& address) const;

  TempFolder folder;
  TestNamespace pub;
  TestNamespace host;
  TestNamespace priv;

 private:
  bool RunDhcpClient(int discovers, const std::string& options) const;
};

// The program's side, as the main window has it: the real backend and a connection manager,
// working in the namespace of the calling thread.
struct SharingProgram {
  explicit SharingProgram(const std::string& helperPath,
                          orvane::platform::linux_backend::SharingHelperLaunch launch = {});

  // The GUID of the connection on the named interface ("" when there is none), freshly listed.
  std::string Guid(const std::string& name);
  // Shares hpub's connection to hpriv.
  bool Start();
  // Whether the sharing service reports sharing on the interface's connection.
  bool Shared(const std::string& name);

  std::unique_ptr<orvane::platform::Platform> platform;
  InterfaceTableBlock ifTable;
  TConnectionManager manager;
};

}  // namespace orvane::test
