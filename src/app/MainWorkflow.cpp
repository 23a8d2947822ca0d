#include "app/MainWorkflow.h"

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

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
  ShowNetworkListProblem();
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
  // A start under way finishes first; what it turned on is then turned off below.
  shuttingDown_ = true;
  if (runner_) runner_->Stop();
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
  // A job on the worker may be using the sharing service: the list stays as it is until then.
  if (connectionManager_ && jobsInFlight_ == 0) {
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
  } else if (wifiConnection_) {
    // Say why none was found when the wireless service could not even list its devices.
    view_.ShowDestinationMissing(texts::NoDestinationText(wifiConnection_->EnumerationResult()));
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

void MainWorkflow::RunJob(std::function<void()> work, std::function<void()> done, bool command) {
  ++jobsInFlight_;
  if (command) {
    working_ = true;
    view_.ShowWorking(true);
  }
  auto error = std::make_shared<std::string>();
  auto guarded = [work = std::move(work), error] {
    try {
      work();
    } catch (const std::exception& raised) {
      *error = raised.what();
    } catch (...) {
      *error = "Unknown error.";
    }
  };
  auto finish = [this, done = std::move(done), error, command] {
    --jobsInFlight_;
    if (command) {
      working_ = false;
      view_.ShowWorking(false);
    }
    if (shuttingDown_) return;
    if (!error->empty()) {
      view_.ShowError(*error);
      return;
    }
    done();
  };
  if (runner_ == nullptr) {
    guarded();
    finish();
    return;
  }
  runner_->Run(std::move(guarded), std::move(finish));
}

void MainWorkflow::RunCommand(std::function<void()> work, std::function<void()> done) {
  RunJob(std::move(work), std::move(done), true);
}

namespace {

struct StartOutcome {
  bool shared = false;
  SharingFailure failure;
  bool networkCreated = false;
  uint32_t wirelessError = 0;
  std::string wirelessReason;  // the system's words, when the library gave some
};

// The system's words for a code: Win32 codes wrapped in an HRESULT are looked up as such.
uint32_t SystemCodeOf(platform::HResult code) {
  const auto value = static_cast<uint32_t>(code);
  return (value & 0xFFFF0000u) == 0x80070000u ? (value & 0xFFFFu) : value;
}

}  // namespace

void MainWorkflow::actStartSharingExecute() {
  if (working_) return;
  TConnectionManager& manager = Manager();
  TWifiConnection& wifi = Wifi();
  auto outcome = std::make_shared<StartOutcome>();
  const std::string source = currentSourceGUID_;
  const std::string destination = currentDestGUID_;
  RunCommand(
      [&manager, &wifi, outcome, source, destination] {
        manager.StopSharing();
        outcome->shared = manager.StartSharing(source, destination);
        if (!outcome->shared) {
          outcome->failure = manager.LastFailure();
          return;
        }
        // On the adapter the user chose, not whichever the wireless library lists first.
        outcome->networkCreated = wifi.StartNetwork(destination);
        outcome->wirelessError = wifi.LastError();
        outcome->wirelessReason = wifi.LastReason();
      },
      [this, outcome, source, destination] {
        if (!outcome->shared) {
          view_.ShowError(texts::SharingFailedMessage(
              outcome->failure,
              platform_.system.SystemErrorMessage(SystemCodeOf(outcome->failure.code))));
          return;
        }
        sharingStarted_ = true;
        sharedDestGUID_ = destination;
        sharedSourceGUID_ = source;
        ownNetworkExists_ = outcome->networkCreated;
        if (outcome->networkCreated) {
          ownNetworkProblem_.clear();
          view_.ShowInformation(texts::kSharingStarted);
        } else {
          // Sharing runs either way; a missing network must not be reported as success.
          ownNetworkProblem_ =
              WirelessFailureReason(outcome->wirelessError, outcome->wirelessReason);
          view_.ShowError(texts::NetworkNotCreatedMessage(ownNetworkProblem_));
        }
        actRefresh2Execute();
        RefreshConnectedDevices();
      });
}

void MainWorkflow::actStopSharingExecute() {
  if (working_) return;
  TConnectionManager& manager = Manager();
  TWifiConnection& wifi = Wifi();
  auto leftOn = std::make_shared<bool>(false);
  RunCommand(
      [&manager, &wifi, leftOn, destination = sharedDestGUID_, source = sharedSourceGUID_] {
        manager.StopSharing();
        for (const std::string& guid : manager.NotStopped()) {
          if (SameTextIgnoringCase(guid, source) || SameTextIgnoringCase(guid, destination))
            *leftOn = true;
        }
        wifi.DeleteNetwork();
      },
      [this, leftOn] {
        // A share this program made that is still on must not be reported as stopped; it
        // still counts as sharing, so "Stop" can be tried again.
        if (*leftOn) {
          ownNetworkExists_ = false;
          view_.ShowError(texts::kSharingNotStopped);
          actRefresh2Execute();
          return;
        }
        view_.ShowInformation(texts::kSharingStopped);
        sharingStarted_ = false;
        ownNetworkExists_ = false;
        ownNetworkProblem_.clear();
        RefreshConnectedDevices();
        view_.ProcessPendingEvents();
        actRefresh2Execute();
      });
}

void MainWorkflow::RefreshConnectedDevices() {
  if (!sharingStarted_ || !connectionManager_) {
    if (connectedDevices_.Clear()) view_.ShowConnectedDevices(connectedDevices_.Devices());
    ShowGuestLimit();
    return;
  }
  // One question at a time, and none while a command uses the components.
  if (jobsInFlight_ > 0) return;
  TConnectionManager& manager = *connectionManager_;
  auto devices = std::make_shared<std::optional<std::vector<platform::ConnectedDevice>>>();
  RunJob([&manager, devices,
          destination = sharedDestGUID_] { *devices = manager.ConnectedDevices(destination); },
         [this, devices] {
           // Sharing may have stopped meanwhile: then the list is cleared, not filled.
           if (!sharingStarted_ || !*devices) return;
           if (connectedDevices_.Update(**devices, std::chrono::system_clock::now()))
             view_.ShowConnectedDevices(connectedDevices_.Devices());
           ShowGuestLimit();
         },
         false);
}

void MainWorkflow::ShowGuestLimit() {
  // Said once when the last place is taken, and taken back when one frees up: a guest that
  // cannot join gets no word of why, so the owner is the one to tell.
  const std::size_t limit = platform_.sharing.GuestLimit();
  const bool reached = sharingStarted_ && limit > 0 && connectedDevices_.Devices().size() >= limit;
  if (reached == guestLimitShown_) return;
  guestLimitShown_ = reached;
  view_.ShowGuestLimit(reached ? texts::kGuestLimitReached : "");
}

std::string MainWorkflow::JoinCodeText() const {
  if (!sharingStarted_ || !ownNetworkExists_ || !wifiConnection_ || settings_.Password.empty())
    return {};
  return WifiJoinText(wifiConnection_->SSID(), wifiConnection_->Key(), wifiConnection_->Security());
}

std::string MainWorkflow::OwnNetworkProblem() const {
  if (!sharingStarted_ || ownNetworkExists_) return {};
  return texts::OwnNetworkMissingText(ownNetworkProblem_);
}

void MainWorkflow::actConnectExecute() {
  if (working_) return;
  TWifiConnection& wifi = Wifi();
  auto outcome = std::make_shared<StartOutcome>();
  RunCommand(
      [&wifi, outcome] {
        outcome->networkCreated = wifi.StartNetwork();
        outcome->wirelessError = wifi.LastError();
        outcome->wirelessReason = wifi.LastReason();
      },
      [this, outcome] {
        if (outcome->networkCreated) {
          view_.ShowInformation(texts::ConnectingMessage());
        } else {
          view_.ShowError(texts::NetworkNotJoinedMessage(
              WirelessFailureReason(outcome->wirelessError, outcome->wirelessReason)));
        }
      });
}

std::string MainWorkflow::WirelessFailureReason(uint32_t code,
                                                const std::string& systemReason) const {
  if (code == platform::wlan::kErrorSecurityNotSupported) {
    return texts::NoWpa2DeviceMessage(WirelessDeviceName());
  }
  std::string reason = texts::WirelessReason(code);
  if (reason.empty()) reason = platform_.system.SystemErrorMessage(code);
  return texts::WithSystemReason(reason, systemReason);
}

void MainWorkflow::ShowNetworkListProblem() {
  // Once per cause: every "Refresh" repeating the same box would only nag.
  const uint32_t code = Wifi().NetworkListResult();
  const std::string text = texts::NetworkListProblemText(code);
  if (text.empty()) {
    networkListProblemShown_ = 0;
    return;
  }
  if (code == networkListProblemShown_) return;
  networkListProblemShown_ = code;
  view_.ShowError(text);
}

std::string MainWorkflow::WirelessDeviceName() const {
  const std::string id = Wifi().CreatedOn();
  for (const auto& entry : Connections()) {
    const TConnection* connection = entry.object.get();
    if (connection != nullptr && SameTextIgnoringCase(connection->GUID, id)) {
      return connection->DeviceName.empty() ? connection->Name : connection->DeviceName;
    }
  }
  return id;  // not in the list: its identifier is all there is to name it by
}

void MainWorkflow::actDisconnectExecute() {
  if (working_) return;
  TWifiConnection& wifi = Wifi();
  RunCommand([&wifi] { wifi.DeleteNetwork(); },
             [this] {
               view_.ProcessPendingEvents();
               view_.ShowInformation(texts::DisconnectedMessage());
             });
}

void MainWorkflow::actRefresh2Execute() {
  // A connection list that could not be read at start-up is tried again here.
  if (!connectionManager_) {
    CreateConnectionManager();
  }
  RefreshConnections();
  Wifi().RefreshNetworks();
  ShowNetworkListProblem();
  Wifi().CheckInternetNow();
  view_.RepaintStatusBar();
}

ActionStates MainWorkflow::ActionsEnabled() const {
  ActionStates states;
  if (working_) {
    // Nothing can be pressed twice, nor anything else that uses the components meanwhile.
    states.refresh = false;
    return states;
  }
  states.startSharing = sharingAvailable_ && !sharingStarted_;
  states.stopSharing = sharingStarted_;
  // Joining or leaving a nearby network is offered only while this computer cannot share.
  states.connect = !sharingAvailable_;
  states.disconnect = !sharingAvailable_;
  return states;
}

}  // namespace orvane
