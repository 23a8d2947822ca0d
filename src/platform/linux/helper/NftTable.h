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
  std::string AddPublic(const std::string& interfaceName);
  std::string AddPrivate(const std::string& interfaceName, const std::string& network);
  std::string RemovePublic(const std::string& interfaceName);
  std::string RemovePrivate(const std::string& interfaceName, const std::string& network);
  // Deletes the table once no interface is left in it.
  std::string DeleteIfEmpty(bool empty);

  // Live membership, read back from the kernel.
  bool IsPublic(const std::string& interfaceName);
  bool IsPrivate(const std::string& interfaceName);

 private:
  std::string Run(const std::string& commands);
  std::string EnsureTable();
  bool SetHolds(const char* set, const std::string& interfaceName);

  nft_ctx* context_;
  bool exists_ = false;
};

}  // namespace orvane::platform::linux_backend
