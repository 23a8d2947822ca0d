#pragma once

#include <QEvent>
#include <QMainWindow>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "app/IMainView.h"
#include "app/MainWorkflow.h"
#include "service/WifiTroubleShooter.h"

class QPainter;
class QTimer;

namespace orvane::ui {

class ConnectToPage;
class MainDialogs;
class HeaderPanel;
class ImageList;
class InternetStatusPage;
class MainActions;
class MessagePresenter;
class PageControl;
class PanelStatusBar;
class ShareMyInternetPage;
class SharingRunner;
class SideBar;
class TrayIcon;

// The main window: presentation of the workflow's decisions, the tray icon and the window's
// life cycle (closing hides it to the tray unless the program is to end).
class TForm1 : public QMainWindow, public IMainView {
  Q_OBJECT
 public:
  // The private message the window posts itself at start-up: repaint as soon as the loop runs.
  static constexpr QEvent::Type kRepaintMessage = static_cast<QEvent::Type>(QEvent::User + 1001);

  // Blocks the user-interface thread for a while (the update check's wait).
  using Sleeper = std::function<void(std::chrono::milliseconds)>;

  // trayAvailable: whether the desktop has a notification area; without one, closing the
  // window minimises it, as a hidden window could never be opened again.
  TForm1(const WorkflowPlatform& platform, InterfaceTableBlock& ifTable, MessagePresenter& messages,
         bool trayAvailable, QWidget* parent = nullptr);
  ~TForm1() override;

  // Shows the window unless the settings ask to start minimised.
  void ShowAtStart();
  // The shut-down sequence; runs once, at the latest when the window is destroyed.
  void FormDestroy();

  bool ReallyClose() const { return reallyClose_; }
  // Log-off or shut-down is asking: the next close ends the program.
  void QueryEndSession() { reallyClose_ = true; }
  // The session ends now: the system may end the process as soon as the window system's
  // handler returns, so the shut-down sequence runs here, then the window closes.
  void EndSession();
  void TrayIcon1DblClick();
  void actExitExecute();
  // Recomputes which actions are enabled; runs whenever the event loop is about to wait.
  void UpdateActions();
  // Enables the troubleshooter, offered in the tray icon's menu only where it applies.
  void SetTroubleShooter(const TroubleShooterPlatform& platform);
  // The application-wide dialogs; until they are set, the commands that open them do nothing.
  void SetDialogs(MainDialogs* dialogs) { dialogs_ = dialogs; }
  void SetSleeper(Sleeper sleeper) { sleeper_ = std::move(sleeper); }

  MainWorkflow& Workflow() { return *workflow_; }
  MainActions& Actions() { return *actions_; }
  TrayIcon& Tray() { return *tray_; }
  PageControl& Pages() { return *pageControl_; }
  PanelStatusBar& StatusBar() { return *statusBar_; }

  // IMainView
  void ShowSourceConnection(const ConnectionDisplay& display) override;
  void ShowDestinationConnection(const ConnectionDisplay& display) override;
  void ShowDestinationMissing(const std::string& text) override;
  void ShowWorking(bool working) override;
  void SetSharingGuidance(const std::string& startSharingText,
                          const std::string& connectText) override;
  void ShowInformation(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void InternetStatusChanged(const InternetStatusDisplay& display) override;
  void SetNearbySignalText(const std::string& text) override;
  void ProcessPendingEvents() override;
  void RepaintStatusBar() override;
  void ShowConnectedDevices(const std::vector<TConnectedDevice>& devices) override;
  void ShowGuestLimit(const std::string& text) override;
  void ShowSharingWay(const std::string& text) override;

  // Asks who uses the sharing; the window's timer calls it at the Internet check's pace.
  void tmrConnectedDevicesTimer();

 signals:
  // The window closed for good: the program is to end.
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void customEvent(QEvent* event) override;

 private:
  void BuildLayout();
  void ConnectActions();
  void SetStartUpTexts();
  void ApplyInternetStatus(const InternetStatusDisplay& display);
  void StatusBar1DrawPanel(QPainter& canvas, int panel, const QRect& rect);
  void tbConnectToVelmoraShow();
  void btnSourceClick();
  void btnSelectDestClick();
  void actOptionsExecute();
  void actAboutExecute();
  void actCheckUpdateExecute();
  void actWriteToUsExecute();
  void CentreOnScreen();
  // What follows the sharing state: the device list's visibility, the join code, the tray hint.
  void ShowSharingExtras();
  // Runs a handler at the event loop's edge: errors are shown, never passed on.
  void Handle(const std::function<void()>& handler);
  // The same with the hourglass for the handler's duration.
  void Command(void (MainWorkflow::*command)());

  MessagePresenter& messages_;
  std::unique_ptr<MainWorkflow> workflow_;
  ImageList* mxImageList_Small;
  ImageList* ImageList_16;
  MainActions* actions_;
  HeaderPanel* pnlTop;
  SideBar* BarPro;
  PageControl* pageControl_;
  InternetStatusPage* tbInternetStatus;
  ShareMyInternetPage* tbShareMyInternet;
  ConnectToPage* tbConnectToVelmora;
  PanelStatusBar* statusBar_;
  TrayIcon* tray_;
  SharingRunner* runner_;
  QTimer* tmrConnectedDevices;
  std::optional<TroubleShooterPlatform> troubleShooter_;
  MainDialogs* dialogs_ = nullptr;
  Sleeper sleeper_;
  bool reallyClose_ = false;
  bool centred_ = false;
  bool shutDown_ = false;
};

}  // namespace orvane::ui
