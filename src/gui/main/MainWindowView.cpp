#include <QLabel>
#include <QPlainTextEdit>

#include "gui/kit/MessagePresenter.h"
#include "gui/kit/Palette.h"
#include "gui/kit/PicturePair.h"
#include "gui/kit/Translation.h"
#include "gui/main/ConnectToPage.h"
#include "gui/main/ConnectedDevicesGroup.h"
#include "gui/main/InternetStatusPage.h"
#include "gui/main/MainWindow.h"
#include "gui/main/PanelStatusBar.h"
#include "gui/main/ShareMyInternetPage.h"
#include "gui/main/TrayIcon.h"

// The main window's side of IMainView: what the workflow decided, put on the widgets.
namespace orvane::ui {
namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// The tray hint: the title, and while sharing runs, how many devices use it.
QString TrayHint(const QString& title, bool sharing, std::size_t devices) {
  if (!sharing) return title;
  const QString count = devices == 0   ? Translate("No device connected")
                        : devices == 1 ? Translate("1 device connected")
                                       : Translate("%1 devices connected").arg(devices);
  return title + QLatin1Char('\n') + count;
}

}  // namespace

void TForm1::ShowSharingExtras() {
  const bool sharing = workflow_->SharingStarted();
  tbShareMyInternet->grpConnectedDevices->setVisible(sharing);
  tbConnectToVelmora->ShowJoinCode(Text(workflow_->JoinCodeText()));
  tbConnectToVelmora->ShowNetworkProblem(TranslateMessage(workflow_->OwnNetworkProblem()));
  tray_->SetHint(
      TrayHint(Text(workflow_->ApplicationTitle()), sharing, workflow_->ConnectedDevices().size()));
}

void TForm1::ShowSourceConnection(const ConnectionDisplay& display) {
  tbShareMyInternet->mmoSrcConnDescription->setPlainText(Text(display.description));
  tbShareMyInternet->lblWiredStatus->setText(Translate(Text(display.statusText)));
  SetTextColour(tbShareMyInternet->lblWiredStatus, ToColor(display.statusColour));
  tbShareMyInternet->wiredPictures->ShowConnected(display.connected);
}

void TForm1::ShowDestinationConnection(const ConnectionDisplay& display) {
  tbShareMyInternet->mmoWirelessDescription->setPlainText(Text(display.description));
  tbShareMyInternet->lblWirelessStatus->setText(Translate(Text(display.statusText)));
  SetTextColour(tbShareMyInternet->lblWirelessStatus, ToColor(display.statusColour));
  tbShareMyInternet->wirelessPictures->ShowConnected(display.connected);
}

void TForm1::ShowDestinationMissing(const std::string& text) {
  tbShareMyInternet->lblWirelessStatus->setText(Translate("Not found."));
  SetTextColour(tbShareMyInternet->lblWirelessStatus, ToColor(kRed));
  tbShareMyInternet->mmoWirelessDescription->setPlainText(TranslateMessage(text));
  tbShareMyInternet->wirelessPictures->ShowConnected(false);
}

void TForm1::ShowWorking(bool working) {
  // The window stays usable: only the pointer and the status bar say that something runs.
  if (working) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
  }
  statusBar_->SetPanelText(0, working ? Translate("Working, please wait...") : QString());
}

void TForm1::SetSharingGuidance(const std::string& startSharingText,
                                const std::string& connectText) {
  tbShareMyInternet->lblStartSharing->setText(Translate(Text(startSharingText)));
  tbConnectToVelmora->lblConnectToVelmora->setText(Translate(Text(connectText)));
}

void TForm1::ShowInformation(const std::string& text) {
  messages_.Show(this, Translate(kMessageCaption), TranslateMessage(text),
                 QMessageBox::Information);
}

void TForm1::ShowError(const std::string& text) {
  messages_.Show(this, Translate(kMessageCaption), TranslateMessage(text), QMessageBox::Critical);
}

void TForm1::InternetStatusChanged(const InternetStatusDisplay& display) {
  // The monitor thread: hand the display to the user-interface thread, touch nothing here.
  // Should the window be gone by then, Qt drops the call.
  QMetaObject::invokeMethod(
      this, [this, display] { ApplyInternetStatus(display); }, Qt::QueuedConnection);
}

void TForm1::ApplyInternetStatus(const InternetStatusDisplay& display) {
  tbInternetStatus->lblInternetStatus->setText(Translate(Text(display.text)));
  SetTextColour(tbInternetStatus->lblInternetStatus, ToColor(display.colour));
  tbInternetStatus->internetPictures->ShowConnected(display.connected);
}

void TForm1::SetNearbySignalText(const std::string& text) {
  tbConnectToVelmora->lblVelmoraFound->setText(TranslateMessage(text));
}

void TForm1::ShowConnectedDevices(const std::vector<TConnectedDevice>& devices) {
  tbShareMyInternet->grpConnectedDevices->ShowDevices(devices);
}

void TForm1::ShowGuestLimit(const std::string& text) {
  tbShareMyInternet->grpConnectedDevices->ShowLimit(TranslateMessage(text));
}

void TForm1::ShowSharingWay(const std::string& text) {
  tbShareMyInternet->lblSharingWay->setText(TranslateMessage(text));
  tbShareMyInternet->lblSharingWay->setVisible(!text.empty());
}

}  // namespace orvane::ui
