#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "WorkflowFixture.h"
#include "network/ConnectionUnit.h"

namespace orvane::testing {
namespace {

using Failures = WorkflowFixture;

constexpr const char* kFirstSentence = "Sorry, it was failed to share your Internet!\r\n\r\n";

// Each cause the service can name reaches the box after the first sentence, with the error
// icon, and with the service's own words where it gave some.
TEST_F(Failures, EachCauseReachesTheBoxWithWhatToDo) {
  struct Case {
    platform::HResult code;
    std::string words;
    std::string expected;  // what follows the first sentence
  };
  const std::vector<Case> cases = {
      {platform::kHelperMissing, "", "The sharing helper is not installed."},
      {platform::kHelperUntrusted, "/opt/x is writable by others",
       "The sharing helper may not be run"},
      {platform::kElevationToolMissing, "", "pkexec is not installed"},
      {platform::kNoAuthenticationAgent, "", "No authentication agent is running"},
      {platform::kRefusedByUser, "", "The administrator's password was not given."},
      {platform::kEAccessDenied, "", "You are not allowed to share connections."},
      {platform::kSharedByAnother, "", "Another Orvane on this computer is already sharing."},
      // A refusal of the helper is passed on in its own words, whatever it is.
      {platform::kEFail,
       "another firewall drops forwarded traffic (table ip filter, chain FORWARD)",
       "The system refused to share these connections:\r\n\r\nanother firewall drops forwarded "
       "traffic (table ip filter, chain FORWARD)"},
      {static_cast<platform::HResult>(0x80070032u), "", "The system refused with code 0x80070032:"},
  };
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    machine.Log().ClearFailures();
    machine.Log().FailCall(std::string("EnableSharing ") + kWiredGuid + " 0",
                           static_cast<int64_t>(static_cast<uint32_t>(c.code)));
    machine.Sharing().SetErrorDescription(c.words);
    view.errors.clear();
    workflow.actStartSharingExecute();
    ASSERT_EQ(view.errors.size(), 1u);
    EXPECT_EQ(view.errors[0].rfind(kFirstSentence + c.expected, 0), 0u) << view.errors[0];
    if (!c.words.empty()) {
      EXPECT_NE(view.errors[0].find(c.words), std::string::npos);
    }
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(workflow.SharingStarted());
  }
}

TEST_F(Failures, AConnectionGoneBeforeTheStartSaysToRefresh) {
  AddUsualConnections();
  MainWorkflow& workflow = StartAndShow();
  machine.Log().FailCall("Next", platform::kSFalse);  // the walk finds nothing
  workflow.actStartSharingExecute();
  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_NE(view.errors[0].find("Click \"Refresh\""), std::string::npos) << view.errors[0];
}

TEST_F(Failures, NoWirelessServiceIsNamedWhereTheDestinationWouldBe) {
  AddWired();
  machine.Log().FailCall("EnumInterface", 1062);
  StartAndShow();
  ASSERT_TRUE(view.destinationMissing.has_value());
  EXPECT_NE(view.destinationMissing->find("NetworkManager"), std::string::npos);
}

// Holds the jobs until the test lets them run, as a worker busy with a password question would.
class HeldRunner : public IBackgroundRunner {
 public:
  void Run(std::function<void()> work, std::function<void()> done) override {
    jobs.emplace_back(std::move(work), std::move(done));
  }
  void Stop() override {
    for (auto& job : jobs) job.first();  // the work completes; nobody is told any more
    jobs.clear();
  }
  void Finish() {
    auto pending = std::move(jobs);
    for (auto& job : pending) {
      job.first();
      job.second();
    }
  }
  std::vector<std::pair<std::function<void()>, std::function<void()>>> jobs;
};

TEST_F(Failures, WhileAStartIsPendingNothingCanBePressedAndItEndsOnTheWindowsTurn) {
  AddUsualConnections();
  HeldRunner runner;
  MainWorkflow& workflow = StartAndShow();
  workflow.SetRunner(&runner);
  ASSERT_TRUE(workflow.ActionsEnabled().startSharing);

  workflow.actStartSharingExecute();
  EXPECT_TRUE(workflow.Working());
  EXPECT_EQ(workflow.ActionsEnabled(), (ActionStates{false, false, false, false, false}));
  workflow.actStartSharingExecute();  // pressed again: nothing more is queued
  EXPECT_EQ(runner.jobs.size(), 1u);
  EXPECT_EQ(machine.Log().Count("EnableSharing"), 0u) << "nothing ran on the window's thread";

  runner.Finish();
  EXPECT_FALSE(workflow.Working());
  EXPECT_TRUE(workflow.SharingStarted());
  EXPECT_EQ(view.messages, std::vector<std::string>{"Your sharing was started successfully!"});
  EXPECT_TRUE(workflow.ActionsEnabled().stopSharing);
}

TEST_F(Failures, ADevicesQuestionAskedWhileAJobRunsIsAskedWhenItEnds) {
  AddUsualConnections();
  HeldRunner runner;
  MainWorkflow& workflow = StartAndShow();
  workflow.SetRunner(&runner);
  workflow.actStartSharingExecute();
  runner.Finish();  // the start; its first devices question is now held
  ASSERT_EQ(runner.jobs.size(), 1u);

  const platform::ConnectedDevice phone{"phone", "aa:00:00:00:00:01", "192.168.0.10"};
  machine.Sharing().SetConnectedDevices(kUsbWifiGuid, {phone});
  workflow.RefreshConnectedDevices();  // the timer's question, while the first is out
  EXPECT_EQ(runner.jobs.size(), 1u) << "one question at a time";
  runner.Finish();
  ASSERT_EQ(runner.jobs.size(), 1u) << "the waiting question follows the first";
  runner.Finish();
  ASSERT_FALSE(view.deviceLists.empty());
  EXPECT_EQ(view.deviceLists.back().size(), 1u);
  EXPECT_TRUE(runner.jobs.empty()) << "and is asked only once";
}

TEST_F(Failures, ShuttingDownDuringAPendingStartWaitsForItAndUndoesIt) {
  AddUsualConnections();
  HeldRunner runner;
  MainWorkflow& workflow = StartAndShow();
  workflow.SetRunner(&runner);
  workflow.actStartSharingExecute();
  machine.Log().ClearCalls();

  workflow.ShutDown();

  const auto calls = machine.Log().Calls();
  const auto at = [&](const std::string& prefix) {
    for (std::size_t i = 0; i < calls.size(); ++i)
      if (calls[i].rfind(prefix, 0) == 0) return i;
    return calls.size();
  };
  ASSERT_LT(at("AddSsid"), calls.size()) << "the start completed";
  EXPECT_LT(at("AddSsid"), at("DeleteSsid")) << "then the network went";
  EXPECT_FALSE(SharingOf(kWiredGuid).sharingEnabled);
  EXPECT_FALSE(SharingOf(kUsbWifiGuid).sharingEnabled);
  EXPECT_TRUE(view.messages.empty()) << "no box for a start that ended with the program";
}

}  // namespace
}  // namespace orvane::testing
