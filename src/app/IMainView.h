#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "network/ConnectedDevices.h"

namespace orvane {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kGreen{0, 128, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};

// Caption of every message box the main window shows.
inline constexpr const char* kMessageCaption = "Message";

// What one connection group (source or destination) shows: the description memo, the status
// label with its colour, and which picture of the connected / disconnected pair is visible.
struct ConnectionDisplay {
  std::string description;
  bool connected = false;
  std::string statusText;
  Rgb statusColour;
  friend bool operator==(const ConnectionDisplay&, const ConnectionDisplay&) = default;
};

// The Internet status line: label text and colour, and which Internet picture is visible.
struct InternetStatusDisplay {
  std::string text;
  Rgb colour;
  bool connected = false;
  friend bool operator==(const InternetStatusDisplay&, const InternetStatusDisplay&) = default;
};

// What the main window implements so that the workflow can show its decisions. Every method is
// called on the user-interface thread, except where it says otherwise.
class IMainView {
 public:
  virtual ~IMainView() = default;

  // The "My connection through which Internet goes live" group.
  virtual void ShowSourceConnection(const ConnectionDisplay& display) = 0;
  // The "My Wireless Connection Status" group.
  virtual void ShowDestinationConnection(const ConnectionDisplay& display) = 0;

  // No wireless connection was found: the destination group says why, or what to check.
  virtual void ShowDestinationMissing(const std::string& text) { (void)text; }

  // A command's slow part runs (or ended): the window shows it is working.
  virtual void ShowWorking(bool working) { (void)working; }

  // The guidance line of the sharing page (lblStartSharing) and of the connect page
  // (lblConnectToVelmora); either may be empty.
  virtual void SetSharingGuidance(const std::string& startSharingText,
                                  const std::string& connectText) = 0;

  // A modal box owned by the main window, caption kMessageCaption: the information icon for
  // outcomes, the error icon for errors the workflow caught and still reports.
  virtual void ShowInformation(const std::string& text) = 0;
  virtual void ShowError(const std::string& text) = 0;

  // Called on the Internet monitor thread (and once on the user-interface thread, when StartUp
  // passes on a state the monitor found before the events were assigned): the view hands the
  // display over to its own thread with a queued call, touches no widget here and does not
  // call back into the workflow.
  virtual void InternetStatusChanged(const InternetStatusDisplay& display) = 0;

  // The "signal found nearby" line of the connect page; empty clears it.
  virtual void SetNearbySignalText(const std::string& text) = 0;

  // The devices that use the sharing (empty while it is off), each time the list changes.
  virtual void ShowConnectedDevices(const std::vector<TConnectedDevice>& devices) = 0;
  // Says that the sharing serves as many devices as it can and no other can join (empty: it
  // can take more).
  virtual void ShowGuestLimit(const std::string& text) = 0;

  // The "Share My Internet" page's line on how the running share's wireless network was made
  // (empty: nothing to say).
  virtual void ShowSharingWay(const std::string& text) { (void)text; }

  // Lets the event loop handle what is pending (between the steps of a long command).
  virtual void ProcessPendingEvents() = 0;

  // Redraws the status bar at once; its panels then ask the workflow what to show.
  virtual void RepaintStatusBar() = 0;
};

}  // namespace orvane
