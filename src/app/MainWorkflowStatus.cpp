#include "app/MainWorkflow.h"
#include "app/WorkflowTexts.h"
#include "common/UnitGlobal.h"
#include "wireless/WifiNetwork.h"

namespace orvane {

std::string MainWorkflow::ApplicationTitle() const {
  return ApplicationName();
}
std::string MainWorkflow::ConnectCaption() const {
  return texts::ConnectCaption();
}
std::string MainWorkflow::ConnectDescription() const {
  return texts::ConnectDescription();
}
std::string MainWorkflow::HeaderCaption() const {
  return texts::HeaderCaption();
}
std::string MainWorkflow::BackgroundBalloonText() const {
  return texts::BackgroundBalloonText();
}

std::optional<StatusPanelContent> MainWorkflow::SharingPanel() const {
  if (!sharingAvailable_) {
    return std::nullopt;
  }
  if (sharingStarted_) {
    return StatusPanelContent{texts::kSharingEnabledPanel, texts::kSharingEnabledImage};
  }
  return StatusPanelContent{texts::kReadyPanel, texts::kReadyImage};
}

std::optional<StatusPanelContent> MainWorkflow::InternetPanel() const {
  // Before the wireless component exists nothing is known yet.
  switch (wifiConnection_ ? wifiConnection_->InternetState() : kInternetUnknown) {
    case kInternetUnknown:
      return StatusPanelContent{"Unavailable", 1};
    case kInternetReachable:
      return StatusPanelContent{"Connected to Internet", 0};
    case kInternetUnreachable:
    case 3:
      return StatusPanelContent{"Internet Disconnected", 1};
    default:
      return std::nullopt;
  }
}

// Runs on the monitor thread: it touches nothing of this object but the view reference, which
// never changes, and the lock that keeps the states in order.
void MainWorkflow::InternetStateChanged(uint8_t state) {
  std::lock_guard lock(internetStateLock_);
  ShowInternetState(state);
}

void MainWorkflow::ShowInternetState(uint8_t state) {
  if (state == kInternetReachable) {
    view_.InternetStatusChanged({"Internet is connected.", kGreen, true});
  } else if (state == kInternetUnreachable) {
    view_.InternetStatusChanged({"Internet is disconnected.", kRed, false});
  }
}

void MainWorkflow::NetworkFound(const std::u16string& ssid, uint8_t /*state*/, uint8_t /*kind*/) {
  if (ssid == platform_.system.ToUtf16(Wifi().SSID())) {
    view_.SetNearbySignalText(texts::NearbySignalText());
  }
}

void MainWorkflow::BeforeNetworkRefresh() {
  view_.SetNearbySignalText("");
}

}  // namespace orvane
