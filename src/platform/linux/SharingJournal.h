#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::platform::linux_backend {

// What a helper changed outside its own table: forwarding settings, addresses and dnsmasq
// children. The kernel undoes the table when a helper dies; the journal lets the next helper of
// the same network namespace undo the rest.
struct JournalEntries {
  struct Forwarding {
    std::string interfaceName;
    std::string originalValue;
  };
  struct Address {
    std::string interfaceName;
    std::string cidr;  // "192.168.137.1/24"
  };
  struct Server {
    std::string interfaceName;
    int pid = 0;
    // Its start time (clock ticks since boot): a later process with the same id is not it.
    unsigned long long startTime = 0;
  };
  // An access point interface added beside a Wi-Fi station on the same radio.
  struct VirtualInterface {
    std::string interfaceName;
    uint32_t wiphy = 0;
  };
  std::vector<Forwarding> forwarding;
  std::vector<Address> addresses;
  std::vector<Server> servers;
  std::vector<VirtualInterface> virtualInterfaces;
  bool Empty() const {
    return forwarding.empty() && addresses.empty() && servers.empty() && virtualInterfaces.empty();
  }
};

std::string JournalText(const JournalEntries& entries);
// Lines it does not understand are skipped.
JournalEntries ParseJournal(const std::string& text);

// One helper's journal file, "<folder>/sharing-<namespace id>-<pid>".
inline constexpr const char* kJournalFolder = "/run/orvane";

class SharingJournal {
 public:
  SharingJournal(std::string folder, const std::string& namespaceId, int pid);
  // Writes the entries (atomically), or removes the file when there are none.
  bool Save(const JournalEntries& entries);
  // The journals of dead helpers of the same namespace, each with its file path.
  std::vector<std::pair<std::string, JournalEntries>> Orphans() const;
  // Whether a dead helper of this namespace left something to undo. Readable without
  // privilege, so the program knows when to start a helper just to clean up.
  bool HasOrphans() const;
  // Whether another helper of this namespace, still alive, has changed something: another
  // program is sharing, and the kernel keeps its table from this one.
  bool OtherHelperSharing() const;
  static void Remove(const std::string& path);
  // Creates the folder, or checks that the one there is ours and closed to other users' writes.
  bool PrepareFolder() const;

  // The DHCP lease file of one private interface, kept while this helper lives.
  std::string LeaseFile(const std::string& interfaceName) const;
  // Removes this helper's lease files (at its end) or those of dead helpers (on recovery).
  void RemoveLeaseFiles() const;
  void RemoveOrphanLeaseFiles() const;

 private:
  std::vector<std::string> OrphanPaths() const;
  // The journals of other helpers of the namespace that are alive, or that are dead.
  std::vector<std::string> JournalPaths(bool alive) const;

  std::string folder_;
  std::string prefix_;
  std::string path_;
  std::string leasePrefix_;  // "leases-<namespace id>-"
  int pid_;
};

// The calling process's network namespace, as a stable text.
std::string NetworkNamespaceId();

}  // namespace orvane::platform::linux_backend
