#pragma once

#include <chrono>
#include <string>

#include "TestNamespace.h"

namespace orvane::bench {

// A guest that does what udhcpc, its script and busybox nc do for the sharing benchmark, in
// this process: no program started per step, so what is timed is the host's part. It asks for
// a lease (discover, offer, request, acknowledgement), gives its interface the address, mask
// and default route it was offered, and fetches a page over TCP.
struct GuestTimes {
  std::chrono::steady_clock::time_point leased;
  std::chrono::steady_clock::time_point fetched;
  std::string page;   // the body fetched, "" when none
  std::string error;  // "" when both steps worked
};

// Runs on a thread of its own that enters space's network, so the caller stays where it is.
// Gives up after about discoverSeconds without a lease and fetchAttempts failed fetches.
GuestTimes LeaseAndFetch(const test::TestNamespace& space, const std::string& interfaceName,
                         const std::string& server, int port, int discoverSeconds,
                         int fetchAttempts);

}  // namespace orvane::bench
