#include "platform/linux/helper/NftTable.h"

#include <nftables/libnftables.h>

#include <sstream>
#include <stdexcept>

namespace orvane::platform::linux_backend {
namespace {

constexpr const char* kTable = "ip orvane";

// Only what sharing needs passes: the private networks out through the public interfaces
// (masqueraded), and replies back in. The private side reaches nothing else the host routes to,
// nothing else reaches it, and an interface whose forwarding was switched on for sharing
// forwards nothing else. The private gateways' DNS and DHCP answer their own interfaces only.
// Everything else keeps the policy it had before.
constexpr const char* kTableDefinition = R"(table ip orvane {
  flags owner
  set public_ifs { type ifname; }
  set opened_ifs { type ifname; }
  set private_ifs { type ifname; }
  set private_nets { type ipv4_addr; flags interval; }
  set private_gateways { type ipv4_addr; }
  chain forward {
    type filter hook forward priority filter; policy accept;
    iifname @private_ifs oifname @public_ifs ip saddr @private_nets accept
    iifname @public_ifs oifname @private_ifs ct state established,related accept
    iifname @private_ifs drop
    oifname @private_ifs drop
    iifname @opened_ifs drop
  }
  chain input {
    type filter hook input priority filter; policy accept;
    ip daddr @private_gateways iifname != @private_ifs iifname != "lo" meta l4proto { tcp, udp } th dport { 53, 67 } drop
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

std::string Element(const std::string& verb, const char* set, const std::string& value) {
  return verb + " element " + kTable + " " + set + " { " + value + " }\n";
}

std::string PublicElements(const std::string& verb, const std::string& interfaceName, bool opened) {
  return Element(verb, "public_ifs", Quoted(interfaceName)) +
         (opened ? Element(verb, "opened_ifs", Quoted(interfaceName)) : std::string());
}

std::string PrivateElements(const std::string& verb, const std::string& interfaceName,
                            const std::string& network, const std::string& gateway) {
  return Element(verb, "private_ifs", Quoted(interfaceName)) +
         Element(verb, "private_nets", network) + Element(verb, "private_gateways", gateway);
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

std::string NftTable::AddPublic(const std::string& interfaceName, bool opened) {
  if (std::string error = EnsureTable(); !error.empty()) return error;
  return Run(PublicElements("add", interfaceName, opened));
}

std::string NftTable::AddPrivate(const std::string& interfaceName, const std::string& network,
                                 const std::string& gateway) {
  if (std::string error = EnsureTable(); !error.empty()) return error;
  // One transaction: all elements or none.
  return Run(PrivateElements("add", interfaceName, network, gateway));
}

std::string NftTable::RemovePublic(const std::string& interfaceName, bool opened) {
  if (!exists_) return {};
  return Run(PublicElements("delete", interfaceName, opened));
}

std::string NftTable::RemovePrivate(const std::string& interfaceName, const std::string& network,
                                    const std::string& gateway) {
  if (!exists_) return {};
  return Run(PrivateElements("delete", interfaceName, network, gateway));
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

std::string NftTable::ForeignForwardDrop() {
  if (nft_run_cmd_from_buffer(context_, "list ruleset") != 0) {
    nft_ctx_get_error_buffer(context_);
    return {};  // nothing listed, nothing known to be in the way
  }
  std::istringstream listing(nft_ctx_get_output_buffer(context_));
  std::string line, table, chain;
  bool forward = false;
  while (std::getline(listing, line)) {
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string::npos) continue;
    line.erase(0, start);
    if (line.rfind("table ", 0) == 0) {
      table = line.substr(6, line.find(" {") - 6);
      forward = false;
    } else if (line.rfind("chain ", 0) == 0) {
      chain = line.substr(6, line.find(" {") - 6);
      forward = false;
    } else if (line == "}") {
      forward = false;
    } else if (line.find("hook forward") != std::string::npos) {
      forward =
          table != "ip orvane" && (table.rfind("ip ", 0) == 0 || table.rfind("inet ", 0) == 0);
      if (forward && line.find("policy drop") != std::string::npos)
        return "table " + table + ", chain " + chain;
    } else if (forward && (line.rfind("drop", 0) == 0 || line.rfind("reject", 0) == 0)) {
      // A rule that drops whatever reaches it (firewalld ends its chains so).
      return "table " + table + ", chain " + chain;
    }
  }
  return {};
}

}  // namespace orvane::platform::linux_backend
