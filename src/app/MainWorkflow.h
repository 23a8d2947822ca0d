#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "app/BackgroundRunner.h"
#include "app/IMainView.h"
#include "common/Settings.h"
#include "common/StringObjectList.h"
#include "network/ConnectedDevices.h"
#include "platform/Platform.h"
#include "wireless/OwnNetworkWay.h"

namespace orvane {

class InterfaceTableBlock;
class TConnectionManager;
struct TConnection;
class TWifiConnection;

// The platform services the main window's components need, and nothing more.
struct WorkflowPlatform {
  platform::ISystemInfo& system;
  platform::IAdapterQuery& adapters;
  platform::IConnectionKindSource& connectionKinds;
  platform::ISharingService& sharing;
  platform::IInternetProbe& internet;
  const platform::WirelessLibrary& wireless;
  platform::IAutoRunStore& autoRun;
  // Windows' Mobile Hotspot, where the system has one.
  platform::IMobileHotspot* hotspot = nullptr;
};

WorkflowPlatform WorkflowPlatformOf(platform::Platform& platform);

// One drawn status-bar panel: its text and the index of its picture. Panel 1 (sharing) takes
// its picture from the side bar's small images, panel 2 (Internet) from the 16 x 16 list.
struct StatusPanelContent {
  std::string text;
  int imageIndex = 0;
  friend bool operator==(const StatusPanelContent&, const StatusPanelContent&) = default;
};

// Whether each action of the main window can run now; recomputed when the window goes idle.
struct ActionStates {
  bool startSharing = false;
  bool stopSharing = false;
  bool connect = false;
  bool disconnect = false;
  bool refresh = true;
  bool shareMyInternet = true;
  bool connectToPage = true;
  friend bool operator==(const ActionStates&, const ActionStates&) = default;
};

// The network name and key shown on the "Connect to" page, and whether to warn that the
// network uses WEP.
struct ConnectPageValues {
  std::string ssid;
  std::string password;
  bool weakSecurity = false;
};

// The main window's decisions without the window: start-up and shut-down steps, the choice of
// source and destination, whether sharing is available, the sharing and connecting commands
// and the texts the window shows. The window owns one, forwards its handlers to it (wrapping
// each command in the hourglass guard and catching errors at the handler's edge) and shows
// what it is told through IMainView.
//
// Threads: everything runs on the user-interface thread except InternetStateChanged, which the
// wireless component raises on its Internet monitor thread (it only computes the display and
// passes it to IMainView::InternetStatusChanged, under a lock of its own so that the displays
// reach the view in the order of the states), and the slow part of the sharing and connecting
// commands and of the connected-devices question, which runs on the background runner. While
// such a job runs, the commands are disabled and nothing else touches the components.
class MainWorkflow {
 public:
  // The view, the platform services and the program's interface-table block must outlive the
  // workflow; call ShutDown before the view goes, as the monitor thread reports to it until then.
  MainWorkflow(IMainView& view, const WorkflowPlatform& platform, InterfaceTableBlock& ifTable);
  ~MainWorkflow();
  MainWorkflow(const MainWorkflow&) = delete;
  MainWorkflow& operator=(const MainWorkflow&) = delete;

  // Where the slow parts of the commands run; without one (or with null) they run at once, on
  // the calling thread. The runner must outlive the workflow's jobs (ShutDown stops it).
  void SetRunner(IBackgroundRunner* runner) { runner_ = runner; }
  // A command's slow part is under way.
  bool Working() const { return working_; }

  // The start-up steps that are not the window's own: ExeDir, load the settings, create the
  // wireless component and assign its events, RefreshNetworks, hand over SSID and key, create
  // the connection manager. When the first adapter query fails, the error is shown and
  // start-up completes without a connection list; the next "Refresh" tries again.
  void StartUp();

  // Shut-down in order: wait for a command under way (a start that then completes is undone
  // below like any other sharing), save the settings (a failure is shown as an error and does not
  // stop the rest), delete the own network, stop sharing on every connection (errors of those two
  // swallowed; a connection manager that could not be created at start-up is tried once more),
  // then free the wireless component and the connection manager.
  void ShutDown();

  // Texts set once at start-up (after StartUp, as they name ApplicationName).
  std::string ApplicationTitle() const;       // application title, window caption, tray hint
  std::string ConnectCaption() const;         // actConnectToVelmora, actConnect and their tab
  std::string ConnectDescription() const;     // lblDesc31
  std::string HeaderCaption() const;          // pnlTop
  std::string BackgroundBalloonText() const;  // tray balloon on the first hide
  bool ShowMainFormAtStart() const { return !settings_.StartMinimized; }

  // Re-reads the connections and chooses and shows source and destination. With no connection
  // manager (its creation failed) the list is empty and nothing is found.
  void RefreshConnections();
  // The connection manager's list, or an empty one while there is no manager. Records live
  // until the next refresh.
  const StringObjectList<TConnection>& Connections() const;
  // The first connection whose GUID equals guid exactly; null for an empty text or no match.
  // Records live until the next refresh of the list.
  const TConnection* FindConnection(const std::string& guid) const;
  const TConnection* DefaultSource() const;
  const TConnection* DefaultDestination() const;
  // Make the connection the current source / destination and show it; the picker calls these
  // and then UpdateSharingState.
  void ShowSource(const TConnection& connection);
  void ShowDestination(const TConnection& connection);
  void UpdateSharingState();

  // Command bodies. Errors of the components escape to the caller, or, raised in the slow
  // part, are shown as errors when it ends. A command while another is under way does nothing.
  void actStartSharingExecute();
  void actStopSharingExecute();
  void actConnectExecute();
  void actDisconnectExecute();
  void actRefresh2Execute();

  ActionStates ActionsEnabled() const;

  // Status bar panels 1 (sharing) and 2 (Internet); empty: draw nothing (panel 1's text is
  // then cleared).
  std::optional<StatusPanelContent> SharingPanel() const;
  std::optional<StatusPanelContent> InternetPanel() const;

  // Handlers of the wireless component's events.
  void InternetStateChanged(uint8_t state);  // called on the monitor thread
  void NetworkFound(const std::u16string& ssid, uint8_t state, uint8_t kind);
  void BeforeNetworkRefresh();
  // Tells the user once why the networks nearby could not be listed, when they can act on it.
  void ShowNetworkListProblem();

  // The "Connect to" page's values: the settings in memory, so edits show at once.
  ConnectPageValues ConnectToPageValues() const {
    return {settings_.SSID, settings_.Password, settings_.Security == NetworkSecurity::Wep};
  }

  // Asks the system who uses the sharing and shows the list when it changed; nobody while
  // sharing is off. The window calls it at the Internet check's pace and after the sharing
  // commands. A failed question keeps the list as it was.
  void RefreshConnectedDevices();
  const std::vector<TConnectedDevice>& ConnectedDevices() const {
    return connectedDevices_.Devices();
  }
  // What a phone scans to join the own network, while sharing runs and the page shows a key:
  // the name and key the network was made with. Empty otherwise.
  std::string JoinCodeText() const;
  // While sharing runs without the own network (it could not be created): what the "Connect to"
  // page says instead of the join code. Empty otherwise.
  std::string OwnNetworkProblem() const;

  // The window's fields.
  const std::string& ExeDir() const { return exeDir_; }
  bool AutoRun() const { return settings_.AutoRun; }
  void SetAutoRun(bool value) { settings_.AutoRun = value; }
  bool StartMinimized() const { return settings_.StartMinimized; }
  void SetStartMinimized(bool value) { settings_.StartMinimized = value; }
  bool CheckForUpdates() const { return settings_.CheckForUpdates; }
  void SetCheckForUpdates(bool value) { settings_.CheckForUpdates = value; }
  bool GuestsReachLocalNetwork() const { return settings_.GuestsReachLocalNetwork; }
  // Takes effect at the next start of sharing.
  void SetGuestsReachLocalNetwork(bool value) {
    settings_.GuestsReachLocalNetwork = value;
    platform_.sharing.SetGuestsReachLocalNetwork(value);
  }
  const std::string& SSID() const { return settings_.SSID; }
  void SetSSID(const std::string& value) { settings_.SSID = value; }
  const std::string& Password() const { return settings_.Password; }
  void SetPassword(const std::string& value) { settings_.Password = value; }
  NetworkSecurity Security() const { return settings_.Security; }
  void SetSecurity(NetworkSecurity value) { settings_.Security = value; }
  const std::string& SourceGUID() const { return settings_.SourceGUID; }
  void SetSourceGUID(const std::string& value) { settings_.SourceGUID = value; }
  const std::string& DestGUID() const { return settings_.DestGUID; }
  void SetDestGUID(const std::string& value) { settings_.DestGUID = value; }
  const std::string& CurrentSourceGUID() const { return currentSourceGUID_; }
  const std::string& CurrentDestGUID() const { return currentDestGUID_; }
  bool SourceConnected() const { return sourceConnected_; }
  bool SharingAvailable() const { return sharingAvailable_; }
  bool SharingStarted() const { return sharingStarted_; }
  // How the running share's wireless network was made.
  OwnNetworkWay SharedWay() const { return sharedWay_; }

  const WorkflowPlatform& Platform() const { return platform_; }

  // The owned components; null before StartUp, after ShutDown, and (the manager) while its
  // creation keeps failing.
  TWifiConnection* WifiConnection() const { return wifiConnection_.get(); }
  TConnectionManager* ConnectionManager() const { return connectionManager_.get(); }

 private:
  void CreateConnectionManager();
  // Passes a state on to the view; called with internetStateLock_ held.
  void ShowInternetState(uint8_t state);
  // The components, or a clear error when a command runs without them.
  TWifiConnection& Wifi() const;
  // Tells the view whether the sharing serves as many devices as it can.
  void ShowGuestLimit();
  // "Stop", saying so with the success message, or, given `lostNetwork` (the service's reason,
  // perhaps empty), that the network a Wi-Fi connection shared through its own card was lost.
  void StopSharing(const std::optional<std::string>& lostNetwork);
  // What every way of stopping does once the share is off: the page, the list and the state.
  void SharingEnded();
  // The reason and remedy for a wireless library code, else the system's text for it.
  std::string WirelessFailureReason(uint32_t code, const std::string& systemReason = {}) const;
  // The adapter the own network was last made on, as the connection list names it.
  std::string WirelessDeviceName() const;
  // Runs work on the runner, then done; an error raised by work is shown instead of running
  // done. As a command, the commands are disabled meanwhile and the view shows it is working.
  void RunJob(std::function<void()> work, std::function<void()> done, bool command);
  void RunCommand(std::function<void()> work, std::function<void()> done);
  TConnectionManager& Manager() const;
  // Tells the view how the running share's network was made, where there was a choice.
  void ShowSharingWay();

  IMainView& view_;
  WorkflowPlatform platform_;
  InterfaceTableBlock& ifTable_;

  std::string exeDir_;
  Settings settings_;

  std::string currentSourceGUID_;
  std::string currentDestGUID_;
  bool sourceConnected_ = false;
  bool sharingAvailable_ = false;
  bool sharingStarted_ = false;
  std::string sharedSourceGUID_;  // the source sharing was started from
  std::string sharedDestGUID_;    // the destination sharing was started on; may differ from current
  bool ownNetworkExists_ = false;
  std::string ownNetworkProblem_;
  OwnNetworkWay sharedWay_ = OwnNetworkWay::AdHoc;  // meaningful while sharing runs

  IBackgroundRunner* runner_ = nullptr;
  bool working_ = false;                // a command's slow part is under way
  int jobsInFlight_ = 0;                // any job, the devices question included
  bool devicesRefreshWaiting_ = false;  // asked for while a job was in flight
  bool shuttingDown_ = false;

  TConnectedDeviceList connectedDevices_;
  bool guestLimitShown_ = false;
  uint32_t networkListProblemShown_ = 0;

  std::mutex internetStateLock_;
  std::unique_ptr<TWifiConnection> wifiConnection_;
  std::unique_ptr<TConnectionManager> connectionManager_;
};

}  // namespace orvane
