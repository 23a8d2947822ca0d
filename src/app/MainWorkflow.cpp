#include "app/MainWorkflow.h"

#include <chrono>
#include <stdexcept>

#include "app/ConnectionChoice.h"
#include "app/WorkflowTexts.h"
#include "common/Settings.h"
#include "common/SystemHelpers.h"
#include "network/ConnectionUnit.h"
#include "network/GuidText.h"
#include "wireless/WifiJoinCode.h"
#include "wireless/WifiNetwork.h"

namespace orvane {
namespace {

const StringObjectList<TConnection>& NoConnections() {
  static const StringObjectList<TConnection> empty;
  return empty;
}

}  // namespace

WorkflowPlatform WorkflowPlatformOf(platform::Platform& platform) {
  return {platform.System(),   platform.Adapters(), platform.ConnectionKinds(), platform.Sharing(),
          platform.Internet(), platform.Wireless(), platform.AutoRun()};
}

MainWorkflow::MainWorkflow(IMainView& view, const WorkflowPlatform& platform,
                           InterfaceTableBlock& ifTable)
    : view_(view), platform_(platform), ifTable_(ifTable) {}

MainWorkflow::~MainWorkflow() {
  // The wireless component goes first: it stops the monitor thread that reports to the view.
  wifiConnection_.reset();
  connectionManager_.reset();
}

void MainWorkflow::StartUp() {
  exeDir_ = FolderOf(platform_.system.ExecutablePath());
  settings_ = orvane::LoadSettings(platform_.system.SettingsFolder());
  platform_.sharing.SetGuestsReachLocalNetwork(settings_.GuestsReachLocalNetwork);

  wifiConnection_ =
      std::make_unique<TWifiConnection>(platform_.wireless, platform_.internet, platform_.system);
  wifiConnection_->OnInternetStateChange = [this](uint8_t state) { InternetStateChanged(state); };
  wifiConnection_->OnNetworkFound = [this](const std::u16string& ssid, uint8_t state,
                                           uint8_t kind) { NetworkFound(ssid, state, kind); };
  wifiConnection_->OnBeforeRefresh = [this](TWifiConnection&) { BeforeNetworkRefresh(); };
  wifiConnection_->OnConnected = [](const std::u16string&) {};
  wifiConnection_->OnDisconnected = [](const std::u16string&) {};
  // The monitor checks as soon as the component exists; a result it found before the event
  // was assigned would otherwise not be shown until the state changes.
  {
    std::lock_guard lock(internetStateLock_);
    ShowInternetState(wifiConnection_->InternetState());
  }
  wifiConnection_->RefreshNetworks();
  wifiConnection_->SetSSID(settings_.SSID);
  wifiConnection_->SetSecurity(settings_.Security);  // first: it decides which keys fit
  wifiConnection_->SetKey(settings_.Password);

  // Without a connection list the window still works: sharing stays unavailable until a
  // "Refresh" manages to read the adapters.
  try {
    CreateConnectionManager();
  } catch (const std::exception& error) {
    view_.ShowError(error.what());
  }
}

void MainWorkflow::ShutDown() {
  // Unsaved settings are reported, but the own network and sharing must still go away.
  try {
    orvane::SaveSettings(platform_.system.SettingsFolder(), settings_);
  } catch (const std::exception& error) {
    view_.ShowError(error.what());
  }
  if (wifiConnection_) {
    try {
      wifiConnection_->DeleteNetwork();
    } catch (...) {
    }
  }
  // Sharing left on by an earlier run goes too, even if the list could never be read.
  try {
    if (!connectionManager_) {
      CreateConnectionManager();
    }
    connectionManager_->StopSharing();
  } catch (...) {
  }
  wifiConnection_.reset();
  connectionManager_.reset();
}

void MainWorkflow::CreateConnectionManager() {
  connectionManager_ = std::make_unique<TConnectionManager>(
      platform_.adapters, platform_.connectionKinds, platform_.sharing, platform_.system, ifTable_);
}

const StringObjectList<TConnection>& MainWorkflow::Connections() const {
  return connectionManager_ ? connectionManager_->Connections() : NoConnections();
}

TWifiConnection& MainWorkflow::Wifi() const {
  if (!wifiConnection_) {
    throw std::logic_error("The wireless component is not running.");
  }
  return *wifiConnection_;
}

TConnectionManager& MainWorkflow::Manager() const {
  if (!connectionManager_) {
    throw std::runtime_error(texts::kNoConnectionList);
  }
  return *connectionManager_;
}

void MainWorkflow::RefreshConnections() {
  if (connectionManager_) {
    connectionManager_->Refresh();
  }

  sourceConnected_ = false;
  currentSourceGUID_.clear();
  const TConnection* source = FindConnection(settings_.SourceGUID);
  if (!source) {
    source = DefaultSource();
  }
  if (source) {
    ShowSource(*source);
  }

  currentDestGUID_.clear();
  const TConnection* destination = FindConnection(settings_.DestGUID);
  if (!destination) {
    destination = DefaultDestination();
  }
  if (destination) {
    ShowDestination(*destination);
  }

  UpdateSharingState();
}

const TConnection* MainWorkflow::FindConnection(const std::string& guid) const {
  return orvane::FindConnection(Connections(), guid);
}

const TConnection* MainWorkflow::DefaultSource() const {
  return orvane::DefaultSource(Connections());
}

const TConnection* MainWorkflow::DefaultDestination() const {
  return orvane::DefaultDestination(Connections());
}

void MainWorkflow::ShowSource(const TConnection& connection) {
  currentSourceGUID_ = connection.GUID;
  sourceConnected_ = connection.Status == platform::kNcsConnected;
  view_.ShowSourceConnection(texts::ConnectionDisplayOf(connection));
}

void MainWorkflow::ShowDestination(const TConnection& connection) {
  currentDestGUID_ = connection.GUID;
  view_.ShowDestinationConnection(texts::ConnectionDisplayOf(connection));
}

void MainWorkflow::UpdateSharingState() {
  // The probe blocks this thread, so it runs only when everything else already holds.
  sharingAvailable_ = !currentSourceGUID_.empty() && !currentDestGUID_.empty() &&
                      sourceConnected_ && IsInternetAvailable(platform_.internet);
  if (sharingAvailable_) {
    view_.SetSharingGuidance(texts::kSharingAvailable, texts::kAlreadyConnected);
  } else {
    view_.SetSharingGuidance(texts::kSharingNotAvailable, "");
  }
}

void MainWorkflow::actStartSharingExecute() {
  TConnectionManager& manager = Manager();
  manager.StopSharing();
  if (!manager.StartSharing(currentSourceGUID_, currentDestGUID_)) {
    view_.ShowInformation(texts::kSharingFailed);
    return;
  }
  // Sharing runs either way; a missing network must not be reported as success.
  view_.ShowInformation(Wifi().StartNetwork()
                            ? texts::kSharingStarted
                            : texts::NetworkNotCreatedMessage(WirelessFailureReason()));
  sharingStarted_ = true;
  sharedDestGUID_ = currentDestGUID_;
  actRefresh2Execute();
  RefreshConnectedDevices();
}

void MainWorkflow::actStopSharingExecute() {
  Manager().StopSharing();
  Wifi().DeleteNetwork();
  view_.ShowInformation(texts::kSharingStopped);
  sharingStarted_ = false;
  RefreshConnectedDevices();
  view_.ProcessPendingEvents();
  actRefresh2Execute();
}

void MainWorkflow::RefreshConnectedDevices() {
  bool changed = false;
  if (!sharingStarted_ || !connectionManager_) {
    changed = connectedDevices_.Clear();
  } else if (auto devices = connectionManager_->ConnectedDevices(sharedDestGUID_)) {
    changed = connectedDevices_.Update(*devices, std::chrono::system_clock::now());
  }
  if (changed) view_.ShowConnectedDevices(connectedDevices_.Devices());
}

std::string MainWorkflow::JoinCodeText() const {
  if (!sharingStarted_ || !wifiConnection_ || settings_.Password.empty()) return {};
  return WifiJoinText(wifiConnection_->SSID(), wifiConnection_->Key(), wifiConnection_->Security());
}

void MainWorkflow::actConnectExecute() {
  view_.ShowInformation(Wifi().StartNetwork()
                            ? texts::ConnectingMessage()
                            : texts::NetworkNotJoinedMessage(WirelessFailureReason()));
}

std::string MainWorkflow::WirelessFailureReason() const {
  const uint32_t code = Wifi().LastError();
  if (code == platform::wlan::kErrorSecurityNotSupported) {
    return texts::NoWpa2DeviceMessage(WirelessDeviceName());
  }
  return code == TWifiConnection::kNoInterface ? texts::kNoWirelessInterface
                                               : platform_.system.SystemErrorMessage(code);
}

std::string MainWorkflow::WirelessDeviceName() const {
  const std::string id = platform_.system.FromUtf16(Wifi().FirstInterfaceId());
  for (const auto& entry : Connections()) {
    const TConnection* connection = entry.object.get();
    if (connection != nullptr && SameTextIgnoringCase(connection->GUID, id)) {
      return connection->DeviceName.empty() ? connection->Name : connection->DeviceName;
    }
  }
  return id;  // not in the list: its identifier is all there is to name it by
}

void MainWorkflow::actDisconnectExecute() {
  Wifi().DeleteNetwork();
  view_.ProcessPendingEvents();
  view_.ShowInformation(texts::DisconnectedMessage());
}

void MainWorkflow::actRefresh2Execute() {
  // A connection list that could not be read at start-up is tried again here.
  if (!connectionManager_) {
    CreateConnectionManager();
  }
  RefreshConnections();
  Wifi().RefreshNetworks();
  Wifi().CheckInternetNow();
  view_.RepaintStatusBar();
}

ActionStates MainWorkflow::ActionsEnabled() const {
  ActionStates states;
  states.startSharing = sharingAvailable_ && !sharingStarted_;
  states.stopSharing = sharingStarted_;
  // Joining or leaving a nearby network is offered only while this computer cannot share.
  states.connect = !sharingAvailable_;
  states.disconnect = !sharingAvailable_;
  return states;
}

}  // namespace orvane
