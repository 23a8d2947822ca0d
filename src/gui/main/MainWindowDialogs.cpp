#include <QPushButton>

#include "app/OptionsSettings.h"
#include "common/UnitGlobal.h"
#include "dialogs/AboutUnit.h"
#include "gui/kit/ExternalLinks.h"
#include "gui/kit/Hourglass.h"
#include "gui/kit/MessagePresenter.h"
#include "gui/kit/Translation.h"
#include "gui/main/ConnectToPage.h"
#include "gui/main/MainDialogs.h"
#include "gui/main/MainWindow.h"
#include "gui/main/PageControl.h"
#include "network/ConnectionUnit.h"

// The main window's handlers that open dialogs or other programs.
namespace orvane::ui {

void TForm1::btnSourceClick() {
  if (dialogs_ == nullptr) return;
  Handle([this] {
    const TConnection* chosen = dialogs_->SelectConnection(
        Translate("Please select the connection through which Internet is connected."),
        workflow_->Connections());
    if (chosen == nullptr) return;
    workflow_->ShowSource(*chosen);
    workflow_->SetSourceGUID(chosen->GUID);
    workflow_->UpdateSharingState();
  });
}

void TForm1::btnSelectDestClick() {
  if (dialogs_ == nullptr) return;
  Handle([this] {
    const TConnection* chosen = dialogs_->SelectConnection(
        Translate("Please select the wireless connection which will broadcast the WiFi signal."),
        workflow_->Connections());
    if (chosen == nullptr) return;
    workflow_->SetDestGUID(chosen->GUID);
    workflow_->ShowDestination(*chosen);
    workflow_->UpdateSharingState();
  });
}

void TForm1::actOptionsExecute() {
  if (dialogs_ == nullptr) return;
  Handle([this] {
    const auto values = dialogs_->EditOptions(CurrentOptions(*workflow_));
    if (!values) return;
    ApplyOptions(*workflow_, *values);
    // The Options button sits on the "Connect to" page: show the new values there at once.
    if (pageControl_->ActivePage() == tbConnectToVelmora) tbConnectToVelmoraShow();
  });
}

void TForm1::actAboutExecute() {
  if (dialogs_ != nullptr) dialogs_->ShowAbout();
}

void TForm1::actCheckUpdateExecute() {
  {
    Hourglass busy;
    sleeper_(std::chrono::milliseconds(kUpdateCheckWaitMs));
  }
  messages_.Show(this, Translate(kMessageCaption), Translate(kNoUpdatesMessage),
                 QMessageBox::Information);
}

void TForm1::actWriteToUsExecute() {
  OpenLink(FeedbackMailLink(SupportAddress(), ApplicationName()));
}

}  // namespace orvane::ui
