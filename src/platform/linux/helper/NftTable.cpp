#include "platform/linux/helper/NftTable.h"

#include <nftables/libnftables.h>

#include <stdexcept>

namespace orvane::platform::linux_backend {
namespace {

constexpr const char* kTable = "ip orvane";

// Forwarding between the private and public interfaces, replies only back in, and the private
// networks masqueraded as the public interface's address.
constexpr const char* kTableDefinition = R"(table ip orvane {
  flags owner
  set public_ifs { type ifname; }
  set private_ifs { type ifname; }
  set private_nets { type ipv4_addr; flags interval; }
  chain forward {
    type filter hook forward priority filter; policy accept;
    iifname @private_ifs oifname @public_ifs accept
    iifname @public_ifs oifname @private_ifs ct state established,related accept
  }
  chain postrouting {
    type nat hook postrouting priority srcnat; policy accept;
    oifname @public_ifs ip saddr @private_nets masquerade
  }
}
)";

std::string Quoted(const std::string& interfaceName) {
  return "\"" + interfaceName + "\"";
}

}  // namespace

NftTable::NftTable() : context_(nft_ctx_new(NFT_CTX_DEFAULT)) {
  if (context_ == nullptr) throw std::runtime_error("nftables cannot be used");
  nft_ctx_buffer_output(context_);
  nft_ctx_buffer_error(context_);
}

NftTable::~NftTable() {
  nft_ctx_free(context_);
}

std::string NftTable::Run(const std::string& commands) {
  if (nft_run_cmd_from_buffer(context_, commands.c_str()) == 0) return {};
  std::string error = nft_ctx_get_error_buffer(context_);
  return error.empty() ? "nftables refused: " + commands : error;
}

std::string NftTable::EnsureTable() {
  if (exists_) return {};
  std::string error = Run(kTableDefinition);
  exists_ = error.empty();
  return error;
}

std::string NftTable::AddPublic(const std::string& interfaceName) {
  if (std::string error = EnsureTable(); !error.empty()) return error;
  return Run(std::string("add element ") + kTable + " public_ifs { " + Quoted(interfaceName) +
             " }");
}

std::string NftTable::AddPrivate(const std::string& interfaceName, const std::string& network) {
  if (std::string error = EnsureTable(); !error.empty()) return error;
  // One transaction: both elements or neither.
  return Run(std::string("add element ") + kTable + " private_ifs { " + Quoted(interfaceName) +
             " }\nadd element " + kTable + " private_nets { " + network + " }");
}

std::string NftTable::RemovePublic(const std::string& interfaceName) {
  if (!exists_) return {};
  return Run(std::string("delete element ") + kTable + " public_ifs { " + Quoted(interfaceName) +
             " }");
}

std::string NftTable::RemovePrivate(const std::string& interfaceName, const std::string& network) {
  if (!exists_) return {};
  return Run(std::string("delete element ") + kTable + " private_ifs { " + Quoted(interfaceName) +
             " }\ndelete element " + kTable + " private_nets { " + network + " }");
}

std::string NftTable::DeleteIfEmpty(bool empty) {
  if (!exists_ || !empty) return {};
  std::string error = Run(std::string("delete table ") + kTable);
  if (error.empty()) exists_ = false;
  return error;
}

bool NftTable::SetHolds(const char* set, const std::string& interfaceName) {
  if (nft_run_cmd_from_buffer(context_, (std::string("list set ") + kTable + " " + set).c_str()) !=
      0) {
    nft_ctx_get_error_buffer(context_);  // drop the "no such table" text
    return false;
  }
  std::string listing = nft_ctx_get_output_buffer(context_);
  return listing.find(Quoted(interfaceName)) != std::string::npos;
}

bool NftTable::IsPublic(const std::string& interfaceName) {
  return SetHolds("public_ifs", interfaceName);
}

bool NftTable::IsPrivate(const std::string& interfaceName) {
  return SetHolds("private_ifs", interfaceName);
}

}  // namespace orvane::platform::linux_backend
