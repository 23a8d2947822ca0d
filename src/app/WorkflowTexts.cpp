#include "app/WorkflowTexts.h"

#include <cstdio>

#include "common/UnitGlobal.h"
#include "network/ConnectionUnit.h"
#include "platform/SharingService.h"
#include "wireless/WifiNetwork.h"

namespace orvane::texts {

std::string ConnectCaption() {
  return "Connect to " + ApplicationName();
}

std::string ConnectDescription() {
  return "If there is a " + ApplicationName() + " running nearby" +
         " and sharing its Internet connection, click the button below to connect" +
         " to Internet through its sharing.";
}

std::string HeaderCaption() {
  return "        " + ApplicationName();
}

std::string BackgroundBalloonText() {
  return ApplicationName() + " is running in the background!";
}

std::string ConnectingMessage() {
  return "Done! Please wait a few seconds to finish the connecting...\r\n\r\n[Note] If there is "
         "no " +
         ApplicationName() + " running nearby, it will result in failure.";
}

std::string DisconnectedMessage() {
  return "Disconnected from " + ApplicationName() + " successfully!";
}

std::string NearbySignalText() {
  return ApplicationName() + " signal found nearby";
}

namespace {

// The wireless library's codes that have a remedy of their own (system error numbers).
constexpr uint32_t kWirelessNotSupported = 50;
constexpr uint32_t kWirelessServiceNotActive = 1062;
constexpr uint32_t kWirelessNoDevice = 1167;
constexpr uint32_t kWirelessAccessDenied = 5;
// The wireless library's codes for a join or creation whose outcome was not a connection.
constexpr uint32_t kWirelessAttemptFailed = 1236;
constexpr uint32_t kWirelessNoOutcome = 1460;

// Why, and what to do, for the codes a user can act on; empty for the others.
std::string SharingReason(platform::HResult code) {
  switch (code) {
    case SharingFailure::kConnectionNotFound:
      return "The source or the destination connection is no longer there. Click \"Refresh\" "
             "and choose them again.";
    case platform::kHelperMissing:
      return "The sharing helper is not installed. Install the Orvane package, or run Orvane as "
             "root.";
    case platform::kHelperUntrusted:
      return "The sharing helper may not be run with an administrator's rights, as others could "
             "change it. Install the Orvane package, or run Orvane as root.";
    case platform::kElevationToolMissing:
      return "pkexec is not installed, so the administrator's password cannot be asked for. "
             "Install the \"pkexec\" package, or run Orvane as root.";
    case platform::kNoAuthenticationAgent:
      return "No authentication agent is running to ask for the administrator's password. Log "
             "in to a desktop session with a polkit agent, or run Orvane as root.";
    case platform::kRefusedByUser:
      return "The administrator's password was not given. Click \"Start Sharing\" again and "
             "enter it.";
    case platform::kEAccessDenied:
      return "You are not allowed to share connections. Ask an administrator to allow it, or "
             "run Orvane as root.";
    case platform::kSharedByAnother:
      return "Another Orvane on this computer is already sharing. Stop sharing there first.";
    case platform::kEFail:
      return "The system refused to share these connections:";
    default:
      return {};
  }
}

std::string Paragraphs(const std::string& first, const std::string& second) {
  if (second.empty()) return first;
  return first + "\r\n\r\n" + second;
}

}  // namespace

std::string SharingFailedMessage(const SharingFailure& failure, const std::string& systemText) {
  std::string reason = SharingReason(failure.code);
  // A plain failure says something only with the service's own words.
  if (failure.code == platform::kEFail && failure.description.empty()) reason.clear();
  if (reason.empty()) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(failure.code));
    reason = "The system refused with code " + std::string(code) + ":";
    return Paragraphs(Paragraphs(kSharingFailed, reason),
                      failure.description.empty() ? systemText : failure.description);
  }
  return Paragraphs(Paragraphs(kSharingFailed, reason), failure.description);
}

std::string WirelessReason(uint32_t code) {
  switch (code) {
    case kWirelessServiceNotActive:
      return "The wireless service is not running (NetworkManager on Linux). Start it, or "
             "install it, and click \"Refresh\".";
    case kWirelessNoDevice:
      return "The wireless service has no Wi-Fi device to use. Turn the Wi-Fi switch on, or plug "
             "in a Wi-Fi adapter, and click \"Refresh\".";
    case kWirelessNotSupported:
      return "This Wi-Fi device cannot be an access point. Choose a wireless connection whose "
             "adapter supports access-point mode as the destination.";
    case TWifiConnection::kNoInterface:
      return kNoWirelessInterface;
    case kWirelessAttemptFailed:
      return "The wireless network refused the connection.";
    case kWirelessNoOutcome:
      return "The wireless service did not say in time whether the network is up.";
    default:
      return {};
  }
}

std::string NoDestinationText(uint32_t enumerationCode) {
  const std::string reason = WirelessReason(enumerationCode);
  return reason.empty() || enumerationCode == TWifiConnection::kNoInterface
             ? "Please make sure the Wi-Fi switch is turned on."
             : reason;
}

std::string NetworkListProblemText(uint32_t listCode) {
  if (listCode != kWirelessAccessDenied) return {};
  return "Windows does not let programs see the wireless networks nearby without your consent. "
         "Open Settings > Privacy & security > Location, turn on \"Location services\" and "
         "\"Let desktop apps access your location\", then click \"Refresh\".";
}

std::string WithSystemReason(const std::string& reason, const std::string& systemReason) {
  return systemReason.empty() ? reason : Paragraphs(reason, systemReason);
}

std::string NetworkNotCreatedMessage(const std::string& reason) {
  return "Your sharing was started, but the wireless network could not be created.\r\n\r\n" +
         reason;
}

std::string SharedNetworkLostMessage(const std::string& reason) {
  std::string message =
      "The Wi-Fi network you shared through the same card was lost or changed its channel, so "
      "your own network was closed and sharing was stopped. Click \"Start Sharing\" to share "
      "it again.";
  if (!reason.empty()) message += "\r\n\r\n" + reason;
  return message;
}

std::string NetworkNotJoinedMessage(const std::string& reason) {
  return "The wireless network could not be joined.\r\n\r\n" + reason;
}

std::string NoWpa2DeviceMessage(const std::string& device) {
  return "The wireless adapter \"" + device +
         "\" cannot run a network with WPA2 security. Use another adapter, or choose WEP in "
         "Options if the devices that join accept it.";
}

std::string OwnNetworkMissingText(const std::string& reason) {
  return Paragraphs("The wireless network could not be created, so there is nothing to join.",
                    reason);
}

ConnectionDisplay ConnectionDisplayOf(const TConnection& connection) {
  const bool connected = connection.Status == platform::kNcsConnected;
  return {connection.Name + " - " + connection.DeviceName, connected,
          connected ? "Connected" : "Disconnected", connected ? kGreen : kRed};
}

}  // namespace orvane::texts
