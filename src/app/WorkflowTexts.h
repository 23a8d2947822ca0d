#pragma once

#include <string>

#include "app/IMainView.h"

namespace orvane {

struct TConnection;
struct SharingFailure;

// The texts the main window shows, exactly as the user sees them.
namespace texts {

inline constexpr const char* kSharingAvailable =
    "Your current connection is available for sharing your Internet,\r\nclick \"Start "
    "Sharing\" to share your Internet now.";
inline constexpr const char* kAlreadyConnected =
    "Your Internet has been already connected via your wired connection.";
inline constexpr const char* kSharingNotAvailable =
    "Your current connection is not available for sharing your Internet.";
// One Wi-Fi card shares the network it is connected to through a second network of its own.
inline constexpr const char* kOneCardSharingAvailable =
    "Your Wi-Fi connection is available for sharing through the same card,\r\nclick \"Start "
    "Sharing\" to open your own network beside it, on the same channel.";
inline constexpr const char* kOneCardUnknown =
    "Your Wi-Fi connection cannot be shared through the same card: the system does not tell "
    "what the card can do. Choose another adapter for your own network.";
inline constexpr const char* kOneCardNotConnected =
    "Your Wi-Fi connection cannot be shared through the same card: the card is not connected "
    "to a Wi-Fi network now.";
inline constexpr const char* kOneCardNoAccessPoint =
    "Your Wi-Fi connection cannot be shared through the same card: the card cannot run a "
    "network of its own. Choose another adapter for your own network.";
inline constexpr const char* kOneCardNoCombination =
    "Your Wi-Fi connection cannot be shared through the same card: the card cannot run a "
    "network of its own while it is connected to another one. Choose another adapter for your "
    "own network.";
inline constexpr const char* kSharingStarted = "Your sharing was started successfully!";
inline constexpr const char* kSharingFailed = "Sorry, it was failed to share your Internet!";
inline constexpr const char* kSharingNotStopped =
    "Your sharing could not be stopped: the system refused to turn it off on a connection it "
    "shares. Click \"Stop\" again, or turn sharing off in the connection's settings.";
inline constexpr const char* kGuestLimitReached =
    "The sharing serves as many devices as it can: no other device can join until one leaves.";
inline constexpr const char* kSharingStopped = "Your sharing was stopped successfully!";
inline constexpr const char* kNoWirelessInterface = "No wireless network adapter was found.";
inline constexpr const char* kNoConnectionList =
    "The network connections could not be read. Click \"Refresh\" to try again.";

inline constexpr const char* kSharingEnabledPanel = "Internet Sharing Enabled";
inline constexpr const char* kReadyPanel = "Ready for Sharing";
inline constexpr int kSharingEnabledImage = 29;
inline constexpr int kReadyImage = 30;

// The network a Wi-Fi connection shared through its own card was lost or changed its channel;
// reason: the service's words, shown under the message.
std::string SharedNetworkLostMessage(const std::string& reason);

// These name ApplicationName, so they are built when asked for.
std::string ConnectCaption();
std::string ConnectDescription();
std::string HeaderCaption();
std::string BackgroundBalloonText();
std::string ConnectingMessage();
std::string DisconnectedMessage();
std::string NearbySignalText();

// "Start Sharing" failed: the first sentence, why, what to do, and the system's own words when
// it gave some. `systemText` is the system's message for a code no reason here knows.
std::string SharingFailedMessage(const SharingFailure& failure, const std::string& systemText);

// Why the wireless library refused (its code), and what to do; empty for a code without a
// reason of its own, for which the system's message text is shown instead.
std::string WirelessReason(uint32_t code);
// The destination group when no wireless connection was found, given why the wireless service
// could not list its interfaces (0: it listed none).
std::string NoDestinationText(uint32_t enumerationCode);
// What to do when the wireless service refused to list the networks nearby; empty for a code
// with no remedy of its own.
std::string NetworkListProblemText(uint32_t listCode);
// A wireless failure's reason with the system's own words for it, when it gave some.
std::string WithSystemReason(const std::string& reason, const std::string& systemReason);

// When the own network failed: sharing runs but phones have nothing to join, or this
// computer did not join; `reason` is the system's text for the wireless library's code.
std::string NetworkNotCreatedMessage(const std::string& reason);
std::string NetworkNotJoinedMessage(const std::string& reason);
// Why a WPA2 network could not be made on the named wireless adapter.
std::string NoWpa2DeviceMessage(const std::string& device);
// The "Connect to" page's line while sharing runs without the own network.
std::string OwnNetworkMissingText(const std::string& reason);

// The memo, status label and picture of a source or destination group.
ConnectionDisplay ConnectionDisplayOf(const TConnection& connection);

}  // namespace texts
}  // namespace orvane
