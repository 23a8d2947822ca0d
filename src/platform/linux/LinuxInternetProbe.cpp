#include "platform/linux/LinuxInternetProbe.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "platform/linux/LinkWatch.h"
#include "platform/linux/Netlink.h"
#include "platform/linux/NetworkManagerClient.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr uint32_t kInternetStateConnected = 1;
constexpr uint32_t kNmStateConnectedLocal = 50;

struct EasyDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct UrlDeleter {
  void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};

// The address as a plain TCP target: same host and port (the scheme's default when none is
// given), so https probes test reachability without a TLS handshake.
std::string TcpTarget(const std::string& url) {
  std::unique_ptr<CURLU, UrlDeleter> parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) return {};
  char* port = nullptr;
  if (curl_url_get(parsed.get(), CURLUPART_PORT, &port, CURLU_DEFAULT_PORT) != CURLUE_OK) return {};
  std::string portText = port;
  curl_free(port);
  if (curl_url_set(parsed.get(), CURLUPART_SCHEME, "http", 0) != CURLUE_OK ||
      curl_url_set(parsed.get(), CURLUPART_PORT, portText.c_str(), 0) != CURLUE_OK) {
    return {};
  }
  char* target = nullptr;
  if (curl_url_get(parsed.get(), CURLUPART_URL, &target, 0) != CURLUE_OK) return {};
  std::string text = target;
  curl_free(target);
  return text;
}

}  // namespace

LinuxInternetProbe::LinuxInternetProbe() {
  // curl's global set-up is not thread-safe; do it once before any probe thread exists.
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool LinuxInternetProbe::CheckConnection(const std::string& url,
                                         std::chrono::milliseconds timeout) {
  const std::string target = TcpTarget(url);
  if (target.empty()) return false;
  std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
  if (!curl) return false;
  const long milliseconds = static_cast<long>(timeout.count() > 0 ? timeout.count() : 1);
  curl_easy_setopt(curl.get(), CURLOPT_URL, target.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CONNECT_ONLY, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);  // probes run on several threads
  curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT_MS, milliseconds);
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, milliseconds);
  curl_easy_setopt(curl.get(), CURLOPT_NOPROXY, "*");  // the machine's own route is tested
  return curl_easy_perform(curl.get()) == CURLE_OK;
}

bool LinuxInternetProbe::QueryConnectedState(uint32_t& state) {
  NetworkManagerClient networkManager;
  if (auto nmState = networkManager.State()) {
    state =
        *nmState >= kNmStateConnectedLocal ? kInternetStateConnected : kInternetStateDisconnected;
    return true;
  }
  try {
    NetlinkSnapshot snapshot = ReadNetlinkSnapshot();
    state = !snapshot.defaultRoutes.empty() || snapshot.hasIpv6DefaultRoute
                ? kInternetStateConnected
                : kInternetStateDisconnected;
    return true;
  } catch (const NetlinkError&) {
    return false;
  }
}

std::unique_ptr<ILinkWatch> LinuxInternetProbe::WatchLinks(
    const std::function<void(bool)>& changed) {
  return LinkWatch::Start(changed);
}

}  // namespace orvane::platform::linux_backend
