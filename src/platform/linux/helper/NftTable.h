#pragma once

#include <string>

struct nft_ctx;

namespace orvane::platform::linux_backend {

// The helper's one nftables table. It is created with the owner flag on the context's own
// netlink socket, so the kernel deletes it the moment this process dies.
class NftTable {
 public:
  NftTable();
  ~NftTable();
  NftTable(const NftTable&) = delete;
  NftTable& operator=(const NftTable&) = delete;

  // Each answers an empty text on success, else nftables' error text.
  // opened: the interface forwards only because sharing switched it on, so nothing but the
  // shared traffic may pass through it.
  std::string AddPublic(const std::string& interfaceName, bool opened);
  // localNetwork: its clients may reach the private ranges behind the public side.
  std::string AddPrivate(const std::string& interfaceName, const std::string& network,
                         const std::string& gateway, bool localNetwork);
  std::string RemovePublic(const std::string& interfaceName, bool opened);
  std::string RemovePrivate(const std::string& interfaceName, const std::string& network,
                            const std::string& gateway, bool localNetwork);
  // Deletes the table once no interface is left in it.
  std::string DeleteIfEmpty(bool empty);

  // The guard: a table that is not owned, so it outlives this process, and that drops what is
  // forwarded through its interfaces unless the owner table let it pass. It is put in place
  // before forwarding is switched on and taken away after it is put back; the last interface
  // removed deletes it.
  std::string AddGuard(const std::string& interfaceName);
  std::string RemoveGuard(const std::string& interfaceName);
  std::string DeleteGuard();
  bool GuardExists();
  bool OwnerTableExists();

  // Another firewall's forward chain that drops by default or ends in a rule that drops
  // everything ("table ip filter, chain FORWARD"), "" when there is none: clients would get an
  // address and nothing more.
  std::string ForeignForwardDrop();

  // Live membership, read back from the kernel.
  bool IsPublic(const std::string& interfaceName);
  bool IsPrivate(const std::string& interfaceName);

 private:
  std::string Run(const std::string& commands);
  // Adds elements, and the table with them while it is missing.
  std::string AddToTable(const std::string& elements);
  bool SetHolds(const char* table, const char* set, const std::string& text);
  bool Exists(const char* table);

  nft_ctx* context_;
  bool exists_ = false;
};

}  // namespace orvane::platform::linux_backend
