#include "app/WorkflowTexts.h"

#include "common/UnitGlobal.h"
#include "network/ConnectionUnit.h"
#include "platform/SharingService.h"

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

std::string NetworkNotCreatedMessage(const std::string& reason) {
  return "Your sharing was started, but the wireless network could not be created.\r\n\r\n" +
         reason;
}

std::string NetworkNotJoinedMessage(const std::string& reason) {
  return "The wireless network could not be joined.\r\n\r\n" + reason;
}

std::string NoWpa2DeviceMessage(const std::string& device) {
  return "The wireless adapter \"" + device +
         "\" cannot run a network with WPA2 security. Use another adapter, or choose WEP in "
         "Options if the devices that join accept it.";
}

ConnectionDisplay ConnectionDisplayOf(const TConnection& connection) {
  const bool connected = connection.Status == platform::kNcsConnected;
  return {connection.Name + " - " + connection.DeviceName, connected,
          connected ? "Connected" : "Disconnected", connected ? kGreen : kRed};
}

}  // namespace orvane::texts
