#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/IMainView.h"

namespace orvane::testing {

// A main view that remembers what it was told, in order, for the workflow tests.
class RecordingView : public IMainView {
 public:
  void ShowSourceConnection(const ConnectionDisplay& display) override { source = display; }
  void ShowDestinationConnection(const ConnectionDisplay& display) override {
    destination = display;
  }
  void SetSharingGuidance(const std::string& startSharingText,
                          const std::string& connectText) override {
    startSharingGuidance = startSharingText;
    connectGuidance = connectText;
  }
  void ShowInformation(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void InternetStatusChanged(const InternetStatusDisplay& display) override {
    std::lock_guard lock(internetMutex_);
    internetStatuses_.push_back(display);
    internetThreads_.push_back(std::this_thread::get_id());
  }
  void SetNearbySignalText(const std::string& text) override { nearbySignal = text; }
  void ShowConnectedDevices(const std::vector<TConnectedDevice>& devices) override {
    deviceLists.push_back(devices);
  }
  void ShowGuestLimit(const std::string& text) override { guestLimits.push_back(text); }
  void ProcessPendingEvents() override { events.push_back("ProcessPendingEvents"); }
  void RepaintStatusBar() override { events.push_back("RepaintStatusBar"); }
  void ShowWorking(bool working) override { events.push_back(working ? "Working" : "Done"); }
  void ShowDestinationMissing(const std::string& text) override { destinationMissing = text; }
  void ShowSharingWay(const std::string& text) override { sharingWays.push_back(text); }

  std::vector<InternetStatusDisplay> InternetStatuses() const {
    std::lock_guard lock(internetMutex_);
    return internetStatuses_;
  }
  std::vector<std::thread::id> InternetThreads() const {
    std::lock_guard lock(internetMutex_);
    return internetThreads_;
  }

  std::optional<ConnectionDisplay> source;
  std::optional<ConnectionDisplay> destination;
  std::optional<std::string> startSharingGuidance;
  std::optional<std::string> connectGuidance;
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::optional<std::string> nearbySignal;
  std::vector<std::string> events;
  std::optional<std::string> destinationMissing;
  std::vector<std::vector<TConnectedDevice>> deviceLists;  // every list shown, in order
  std::vector<std::string> guestLimits;                    // every limit line shown, in order
  std::vector<std::string> sharingWays;                    // every way line shown, in order

 private:
  mutable std::mutex internetMutex_;
  std::vector<InternetStatusDisplay> internetStatuses_;
  std::vector<std::thread::id> internetThreads_;
};

}  // namespace orvane::testing
