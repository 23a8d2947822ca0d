#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "SharingTopology.h"
#include "TestNamespace.h"

namespace orvane::platform::linux_backend {

inline constexpr const char* kPage = "hello from the public side";

// The program's side, run with the helper this build made.
struct Program : test::SharingProgram {
  Program() : SharingProgram(ORVANE_TEST_SHARING_HELPER) {}
};

class SharingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_WITHOUT_NAMESPACES();
    net_ = std::make_unique<test::SharingTopology>("", kPage);
    ASSERT_EQ(net_->Build(), "");
    entry_ = std::make_unique<test::NamespaceEntry>(net_->host);
  }
  void TearDown() override {
    entry_.reset();
    net_.reset();
  }

  bool ClientGetsAddress() { return net_->ClientGetsAddress(10); }
  std::string ClientFetch() { return net_->ClientFetch(); }
  std::string HostTables() { return net_->host.Output("nft list tables"); }
  std::string Forwarding(const std::string& name) {
    return net_->host.Output("cat /proc/sys/net/ipv4/conf/" + name + "/forwarding");
  }
  std::string PrivateAddresses() { return net_->host.Output("ip -4 -o addr show dev hpriv"); }
  // What is left on the host, for failure messages.
  std::string HostState() {
    return "tables: [" + HostTables() +
           "] dnsmasq: " + std::to_string(net_->host.Processes("dnsmasq").size()) +
           " forwarding: " + Forwarding("hpub") + "/" + Forwarding("hpriv") +
           " private addresses: [" + PrivateAddresses() + "]";
  }
  bool OwnTableGone() { return net_->host.Run("nft list table ip orvane >/dev/null 2>&1") != 0; }
  // No table of ours is left, the guard included.
  bool HostIsClean() {
    return HostTables().find("orvane") == std::string::npos &&
           net_->host.Processes("dnsmasq").empty() && Forwarding("hpub") == "0" &&
           Forwarding("hpriv") == "0" && PrivateAddresses().empty();
  }
  // Waits (bounded) for the kernel and the helpers to finish tidying up.
  bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (; std::chrono::steady_clock::now() < deadline;
         std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
      if (condition()) return true;
    }
    return condition();
  }

  std::unique_ptr<test::SharingTopology> net_;
  std::unique_ptr<test::NamespaceEntry> entry_;
};

}  // namespace orvane::platform::linux_backend
