#include "platform/linux/helper/NftTable.h"

#include <nftables/libnftables.h>

#include <sstream>
#include <stdexcept>

namespace orvane::platform::linux_backend {
namespace {

constexpr const char* kTable = "inet orvane";
constexpr const char* kGuardTable = "inet orvane_guard";

// Only what sharing needs passes: the private networks out through the public interfaces
// (masqueraded), and replies back in. The private side reaches nothing else the host routes to,
// nothing else reaches it, and an interface whose forwarding was switched on for sharing
// forwards nothing else. Unless its interface is in lan_ifs, the private side reaches no
// private, shared or link-local range behind the uplink either (the home network, the
// provider's modem). The host itself answers the private side only DHCP, DNS on the gateway
// address, pings and replies to its own connections: the host's other services listen on
// every address, and guests are strangers. IPv4 only: the private side gets no IPv6 path at
// all, neither through the host nor to it. The private gateways' DNS and DHCP answer their own
// interfaces only. Everything else keeps the policy it had before.
// The shared traffic carries kPassedMark from here to the guard's chain, which runs later and
// clears it again.
constexpr const char* kTableDefinition = R"(table inet orvane {
  flags owner
  set public_ifs { type ifname; }
  set opened_ifs { type ifname; }
  set private_ifs { type ifname; }
  set lan_ifs { type ifname; }
  set private_nets { type ipv4_addr; flags interval; }
  set private_gateways { type ipv4_addr; }
  set local_ranges {
    type ipv4_addr; flags interval;
    elements = { 10.0.0.0/8, 100.64.0.0/10, 169.254.0.0/16, 172.16.0.0/12, 192.168.0.0/16 }
  }
  chain forward {
    type filter hook forward priority filter; policy accept;
    iifname @private_ifs iifname != @lan_ifs ip daddr @local_ranges drop
    iifname @private_ifs oifname @public_ifs ip saddr @private_nets meta mark set meta mark | 0x00800000 accept
    iifname @public_ifs oifname @private_ifs ip daddr @private_nets ct state established,related meta mark set meta mark | 0x00800000 accept
    iifname @private_ifs drop
    oifname @private_ifs drop
    iifname @opened_ifs drop
  }
  chain input {
    type filter hook input priority filter; policy accept;
    ip daddr @private_gateways iifname != @private_ifs iifname != "lo" meta l4proto { tcp, udp } th dport { 53, 67 } drop
    iifname != @private_ifs accept
    ct state established,related accept
    meta nfproto ipv4 udp dport 67 accept
    ip daddr @private_gateways meta l4proto { tcp, udp } th dport 53 accept
    icmp type echo-request accept
    drop
  }
  chain postrouting {
    type nat hook postrouting priority srcnat; policy accept;
    oifname @public_ifs ip saddr @private_nets masquerade
  }
}
)";

// Not owned, so it outlives a killed helper: while forwarding that sharing switched on is
// still on and the owner table is gone, nothing is forwarded through those interfaces. With
// the owner table in place it drops only what that table drops too.
constexpr const char* kGuardDefinition = R"(table inet orvane_guard {
  set guarded_ifs { type ifname; }
  chain forward {
    type filter hook forward priority filter + 10; policy accept;
    meta mark & 0x00800000 == 0x00800000 meta mark set meta mark & 0xff7fffff accept
    iifname @guarded_ifs drop
    oifname @guarded_ifs drop
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
                            const std::string& network, const std::string& gateway,
                            bool localNetwork) {
  return Element(verb, "private_ifs", Quoted(interfaceName)) +
         Element(verb, "private_nets", network) + Element(verb, "private_gateways", gateway) +
         (localNetwork ? Element(verb, "lan_ifs", Quoted(interfaceName)) : std::string());
}

std::string GuardElement(const std::string& verb, const std::string& interfaceName) {
  return verb + " element " + kGuardTable + " guarded_ifs { " + Quoted(interfaceName) + " }\n";
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

std::string NftTable::AddToTable(const std::string& elements) {
  // The table, while it is missing, goes in the same transaction as the first elements: one
  // round trip to the kernel instead of two, and a failure leaves neither.
  std::string error = Run(exists_ ? elements : kTableDefinition + elements);
  if (error.empty()) exists_ = true;
  return error;
}

std::string NftTable::AddPublic(const std::string& interfaceName, bool opened) {
  return AddToTable(PublicElements("add", interfaceName, opened));
}

std::string NftTable::AddPrivate(const std::string& interfaceName, const std::string& network,
                                 const std::string& gateway, bool localNetwork) {
  // One transaction: all elements or none.
  return AddToTable(PrivateElements("add", interfaceName, network, gateway, localNetwork));
}

std::string NftTable::RemovePublic(const std::string& interfaceName, bool opened) {
  if (!exists_) return {};
  return Run(PublicElements("delete", interfaceName, opened));
}

std::string NftTable::RemovePrivate(const std::string& interfaceName, const std::string& network,
                                    const std::string& gateway, bool localNetwork) {
  if (!exists_) return {};
  return Run(PrivateElements("delete", interfaceName, network, gateway, localNetwork));
}

std::string NftTable::AddGuard(const std::string& interfaceName) {
  // "add table" with a body adds only what is missing: a guard a dead helper left keeps its
  // elements until the recovery takes it away. Table and element in one transaction.
  return Run(kGuardDefinition + GuardElement("add", interfaceName));
}

std::string NftTable::RemoveGuard(const std::string& interfaceName) {
  if (nft_run_cmd_from_buffer(
          context_, (std::string("list set ") + kGuardTable + " guarded_ifs").c_str()) != 0) {
    nft_ctx_get_error_buffer(context_);
    return {};  // no guard, nothing to remove
  }
  const std::string listing = nft_ctx_get_output_buffer(context_);
  if (listing.find(Quoted(interfaceName)) != std::string::npos)
    if (std::string error = Run(GuardElement("delete", interfaceName)); !error.empty())
      return error;
  if (SetHolds(kGuardTable, "guarded_ifs", "\"")) return {};  // others still guarded
  return Run(std::string("delete table ") + kGuardTable);
}

std::string NftTable::DeleteGuard() {
  if (!GuardExists()) return {};
  return Run(std::string("delete table ") + kGuardTable);
}

bool NftTable::GuardExists() {
  return Exists(kGuardTable);
}

bool NftTable::OwnerTableExists() {
  return Exists(kTable);
}

bool NftTable::Exists(const char* table) {
  if (nft_run_cmd_from_buffer(context_, (std::string("list table ") + table).c_str()) != 0) {
    nft_ctx_get_error_buffer(context_);
    return false;
  }
  nft_ctx_get_output_buffer(context_);
  return true;
}

std::string NftTable::DeleteIfEmpty(bool empty) {
  if (!exists_ || !empty) return {};
  std::string error = Run(std::string("delete table ") + kTable);
  if (error.empty()) exists_ = false;
  return error;
}

bool NftTable::SetHolds(const char* table, const char* set, const std::string& text) {
  if (nft_run_cmd_from_buffer(context_, (std::string("list set ") + table + " " + set).c_str()) !=
      0) {
    nft_ctx_get_error_buffer(context_);  // drop the "no such table" text
    return false;
  }
  const std::string listing = nft_ctx_get_output_buffer(context_);
  // Only the elements count, not the set's own header.
  const auto elements = listing.find("elements");
  return elements != std::string::npos && listing.find(text, elements) != std::string::npos;
}

bool NftTable::IsPublic(const std::string& interfaceName) {
  return SetHolds(kTable, "public_ifs", Quoted(interfaceName));
}

bool NftTable::IsPrivate(const std::string& interfaceName) {
  return SetHolds(kTable, "private_ifs", Quoted(interfaceName));
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
      forward = table != "inet orvane" && table != "inet orvane_guard" &&
                (table.rfind("ip ", 0) == 0 || table.rfind("inet ", 0) == 0);
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
