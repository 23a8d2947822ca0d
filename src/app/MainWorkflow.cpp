#include "app/MainWorkflow.h"

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "app/ConnectionChoice.h"
#include "app/HotspotTexts.h"
#include "app/WorkflowTexts.h"
#include "common/Settings.h"
#include "common/SystemHelpers.h"
#include "network/ConnectionUnit.h"
#include "network/GuidText.h"
#include "wireless/ApBesideStation.h"
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
  return {platform.System(),  platform.Adapters(),     platform.ConnectionKinds(),
          platform.Sharing(), platform.Internet(),     platform.Wireless(),
          platform.AutoRun(), platform.MobileHotspot()};
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
  // A Mobile Hotspot outlives the program unless it is turned off; Stop does nothing when off.
  if (platform_.hotspot != nullptr) {
    try {
      platform_.hotspot->Stop();
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

namespace {

const char* OneCardRefusal(ApBesideStation verdict) {
  switch (verdict) {
    case ApBesideStation::kPossible:
      return nullptr;
    case ApBesideStation::kNotConnected:
      return texts::kOneCardNotConnected;
    case ApBesideStation::kNoAccessPointMode:
      return texts::kOneCardNoAccessPoint;
    case ApBesideStation::kNoCombination:
      return texts::kOneCardNoCombination;
    case ApBesideStation::kCardUnknown:
      break;
  }
  return texts::kOneCardUnknown;
}

}  // namespace

void MainWorkflow::UpdateSharingState() {
  // One Wi-Fi card for both sides: only where it can run its own network beside its station.
  const bool oneCard = !currentSourceGUID_.empty() && currentSourceGUID_ == currentDestGUID_;
  if (oneCard && sourceConnected_) {
    const char* refusal = OneCardRefusal(
        CheckApBesideStation(platform_.connectionKinds.ReadWirelessCardFacts(currentDestGUID_)));
    if (refusal != nullptr) {
      sharingAvailable_ = false;
      view_.SetSharingGuidance(refusal, "");
      return;
    }
  }
  // The probe blocks this thread, so it runs only when everything else already holds.
  sharingAvailable_ = !currentSourceGUID_.empty() && !currentDestGUID_.empty() &&
                      sourceConnected_ && IsInternetAvailable(platform_.internet);
  if (sharingAvailable_) {
    view_.SetSharingGuidance(oneCard ? texts::kOneCardSharingAvailable : texts::kSharingAvailable,
                             texts::kAlreadyConnected);
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
    } else {
      done();
    }
    // A devices question that had to wait is asked now, so the list does not wait a whole
    // check interval for an answer that was asked for.
    if (jobsInFlight_ == 0 && devicesRefreshWaiting_) {
      devicesRefreshWaiting_ = false;
      RefreshConnectedDevices();
    }
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
  OwnNetworkWay way = OwnNetworkWay::AdHoc;
  std::string keyProblem;           // the Mobile Hotspot's, found before it was asked
  platform::HotspotAnswer hotspot;  // its start's answer
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

// The first sentence, then why the Mobile Hotspot said no.
std::string HotspotMessage(const char* first, const std::string& reason) {
  return std::string(first) + "\r\n\r\n" + reason;
}
std::string HotspotMessage(const char* first, const platform::HotspotAnswer& answer,
                           platform::ISystemInfo& system) {
  return HotspotMessage(first, texts::HotspotFailureReason(
                                   answer, system.SystemErrorMessage(SystemCodeOf(answer.code))));
}

}  // namespace

void MainWorkflow::actStartSharingExecute() {
  if (working_) return;
  TConnectionManager& manager = Manager();
  TWifiConnection& wifi = Wifi();
  auto outcome = std::make_shared<StartOutcome>();
  const std::string source = currentSourceGUID_;
  const std::string destination = currentDestGUID_;
  platform::IMobileHotspot* hotspot = platform_.hotspot;
  RunCommand(
      [&manager, &wifi, outcome, source, destination, hotspot, ssid = wifi.SSID(), key = wifi.Key(),
       security = wifi.Security()] {
        if (hotspot != nullptr) {
          std::vector<platform::AuthCipherPair> pairs;
          const uint32_t code = hotspot->QueryAdHocPairs(destination, pairs);
          outcome->way = ChooseOwnNetworkWay(true, code, pairs, security);
        }
        if (outcome->way == OwnNetworkWay::MobileHotspot) {
          outcome->keyProblem = texts::HotspotKeyProblem(key);
          if (!outcome->keyProblem.empty()) return;
          // Windows shares the source itself; a share left on from before would be in its way.
          manager.StopSharing();
          outcome->hotspot = hotspot->Start(source, ssid, key);
          return;
        }
        manager.StopSharing();
        outcome->shared = manager.StartSharing(source, destination);
        if (!outcome->shared) {
          outcome->failure = manager.LastFailure();
          return;
        }
        // On the adapter the user chose, not whichever the wireless library lists first; one
        // card for both stays connected to the network it shares.
        outcome->networkCreated = wifi.StartNetwork(destination, source == destination);
        outcome->wirelessError = wifi.LastError();
        outcome->wirelessReason = wifi.LastReason();
      },
      [this, outcome, source, destination] {
        if (outcome->way == OwnNetworkWay::MobileHotspot) {
          if (!outcome->keyProblem.empty()) {
            view_.ShowError(HotspotMessage(texts::kHotspotNotStarted, outcome->keyProblem));
            return;
          }
          if (!texts::HotspotSucceeded(outcome->hotspot)) {
            view_.ShowError(
                HotspotMessage(texts::kHotspotNotStarted, outcome->hotspot, platform_.system));
            return;
          }
        } else if (!outcome->shared) {
          view_.ShowError(texts::SharingFailedMessage(
              outcome->failure,
              platform_.system.SystemErrorMessage(SystemCodeOf(outcome->failure.code))));
          return;
        }
        sharingStarted_ = true;
        sharedDestGUID_ = destination;
        sharedSourceGUID_ = source;
        sharedWay_ = outcome->way;
        ownNetworkExists_ = outcome->networkCreated || outcome->way == OwnNetworkWay::MobileHotspot;
        ShowSharingWay();
        if (ownNetworkExists_) {
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
  StopSharing(std::nullopt);
}

void MainWorkflow::StopSharing(const std::optional<std::string>& lostNetwork) {
  if (working_) return;
  if (sharingStarted_ && sharedWay_ == OwnNetworkWay::MobileHotspot && platform_.hotspot) {
    auto answer = std::make_shared<platform::HotspotAnswer>();
    RunCommand(
        [hotspot = platform_.hotspot, answer] { *answer = hotspot->Stop(); },
        [this, answer] {
          // Still on: it still counts as sharing, so "Stop" can be tried again.
          if (!texts::HotspotSucceeded(*answer)) {
            view_.ShowError(HotspotMessage(texts::kHotspotNotStopped, *answer, platform_.system));
            actRefresh2Execute();
            return;
          }
          view_.ShowInformation(texts::kSharingStopped);
          SharingEnded();
        });
    return;
  }
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
      [this, leftOn, lostNetwork] {
        // A share this program made that is still on must not be reported as stopped; it
        // still counts as sharing, so "Stop" can be tried again.
        if (*leftOn) {
          ownNetworkExists_ = false;
          ShowSharingWay();
          view_.ShowError(texts::kSharingNotStopped);
          actRefresh2Execute();
          return;
        }
        if (lostNetwork) {
          view_.ShowError(texts::SharedNetworkLostMessage(*lostNetwork));
        } else {
          view_.ShowInformation(texts::kSharingStopped);
        }
        SharingEnded();
      });
}

void MainWorkflow::SharingEnded() {
  sharingStarted_ = false;
  ownNetworkExists_ = false;
  ownNetworkProblem_.clear();
  ShowSharingWay();
  RefreshConnectedDevices();
  view_.ProcessPendingEvents();
  actRefresh2Execute();
}

void MainWorkflow::RefreshConnectedDevices() {
  if (!sharingStarted_ || !connectionManager_) {
    if (connectedDevices_.Clear()) view_.ShowConnectedDevices(connectedDevices_.Devices());
    ShowGuestLimit();
    return;
  }
  // One question at a time, and none while a command uses the components: it waits for them.
  if (jobsInFlight_ > 0) {
    devicesRefreshWaiting_ = true;
    return;
  }
  TConnectionManager& manager = *connectionManager_;
  auto devices = std::make_shared<std::optional<std::vector<platform::ConnectedDevice>>>();
  auto failure = std::make_shared<SharingFailure>();
  platform::IMobileHotspot* hotspot =
      sharedWay_ == OwnNetworkWay::MobileHotspot ? platform_.hotspot : nullptr;
  RunJob(
      [&manager, devices, failure, hotspot, destination = sharedDestGUID_] {
        if (hotspot == nullptr) {
          *devices = manager.ConnectedDevices(destination);
          *failure = manager.LastDevicesFailure();
          return;
        }
        std::vector<platform::ConnectedDevice> clients;
        if (platform::Succeeded(hotspot->Clients(clients))) *devices = std::move(clients);
      },
      [this, devices, failure] {
        // Sharing may have stopped meanwhile: then the list is cleared, not filled.
        if (!sharingStarted_) return;
        // One card shared its own connection and that network went or moved: the own
        // network beside it is closed already, so the rest is stopped with the reason.
        if (failure->code == platform::kSharedNetworkLost) {
          StopSharing(failure->description);
          return;
        }
        if (!*devices) return;
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
  // The Mobile Hotspot is WPA2 whatever the setting says.
  const NetworkSecurity security = sharedWay_ == OwnNetworkWay::MobileHotspot
                                       ? NetworkSecurity::Wpa2
                                       : wifiConnection_->Security();
  return WifiJoinText(wifiConnection_->SSID(), wifiConnection_->Key(), security);
}

void MainWorkflow::ShowSharingWay() {
  // Where there was no choice, there is nothing to tell.
  if (platform_.hotspot == nullptr) return;
  if (!sharingStarted_ || !ownNetworkExists_) {
    view_.ShowSharingWay("");
    return;
  }
  view_.ShowSharingWay(sharedWay_ == OwnNetworkWay::MobileHotspot ? texts::kMadeByMobileHotspot
                                                                  : texts::kMadeAsAdHoc);
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
