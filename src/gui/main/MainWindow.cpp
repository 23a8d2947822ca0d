#include "gui/main/MainWindow.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <thread>

#include "app/OptionsSettings.h"
#include "dialogs/AboutUnit.h"
#include "gui/dialogs/UnitWifiTroubleShooter.h"
#include "gui/kit/Artwork.h"
#include "gui/kit/DesignMetrics.h"
#include "gui/kit/ExternalLinks.h"
#include "gui/kit/HandlerEdge.h"
#include "gui/kit/Hourglass.h"
#include "gui/kit/ImageList.h"
#include "gui/kit/MessagePresenter.h"
#include "gui/kit/Palette.h"
#include "gui/kit/PicturePair.h"
#include "gui/kit/Translation.h"
#include "gui/main/ConnectToPage.h"
#include "gui/main/ConnectedDevicesGroup.h"
#include "gui/main/HeaderPanel.h"
#include "gui/main/InternetStatusPage.h"
#include "gui/main/MainActions.h"
#include "gui/main/MainDialogs.h"
#include "gui/main/PageControl.h"
#include "gui/main/PanelStatusBar.h"
#include "gui/main/ShareMyInternetPage.h"
#include "gui/main/SharingRunner.h"
#include "gui/main/SideBar.h"
#include "gui/main/TrayIcon.h"
#include "network/ConnectionUnit.h"
#include "wireless/ThreadCheckInternet.h"

namespace orvane::ui {
namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

constexpr int kBalloonTimeoutMs = 3000;

}  // namespace

TForm1::TForm1(const WorkflowPlatform& platform, InterfaceTableBlock& ifTable,
               MessagePresenter& messages, bool trayAvailable, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      messages_(messages),
      workflow_(std::make_unique<MainWorkflow>(*this, platform, ifTable)),
      mxImageList_Small(artwork::CreateSmallImages(this)),
      ImageList_16(artwork::CreateStateImages(this)),
      actions_(new MainActions(*mxImageList_Small, this)),
      tray_(new TrayIcon(trayAvailable, this)),
      runner_(new SharingRunner(this)),
      sleeper_([](std::chrono::milliseconds wait) { std::this_thread::sleep_for(wait); }) {
  setObjectName(QStringLiteral("Form1"));
  UseDesignFont(this, QStringLiteral("Tahoma"), 8);
  BuildLayout();
  ConnectActions();
  TranslateComponent(this);
  TranslateComponent(tray_->Menu());
  tbShareMyInternet->grpConnectedDevices->TranslateHeaders();

  tbConnectToVelmora->lblVelmoraFound->clear();
  pageControl_->SetActivePage(tbInternetStatus);
  // Titles first: a box shown while the components start already carries them.
  SetStartUpTexts();
  workflow_->SetRunner(runner_);
  Handle([this] { workflow_->StartUp(); });
  BarPro->OpenAllGroups();
  // Sized once the texts are in the user's language and the menu is open: they decide what the
  // pages and the menu need.
  UseDesignMinimumSize(this, QSize(730, 559));
  QCoreApplication::postEvent(this, new QEvent(kRepaintMessage));

  // Who uses the sharing is asked no more often than the Internet is checked, and only while
  // sharing runs (see UpdateActions): an idle program keeps no timer going.
  tmrConnectedDevices = new QTimer(this);
  tmrConnectedDevices->setObjectName(QStringLiteral("tmrConnectedDevices"));
  tmrConnectedDevices->setInterval(
      std::chrono::milliseconds(TThreadCheckInternet::kCheckInterval).count());
  connect(tmrConnectedDevices, &QTimer::timeout, this, &TForm1::tmrConnectedDevicesTimer);

  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &TForm1::UpdateActions);
}

TForm1::~TForm1() {
  FormDestroy();
  // The pages go after the workflow; their last signals must not reach it.
  pageControl_->disconnect(this);
}

void TForm1::BuildLayout() {
  pnlTop = new HeaderPanel(this);
  pnlTop->setObjectName(QStringLiteral("pnlTop"));

  BarPro = new SideBar(this);
  BarPro->setObjectName(QStringLiteral("BarPro"));
  // The design's width, or wider when a larger font needs it.
  BarPro->setMinimumWidth(240);
  BarPro->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  BarPro->AddGroup(QStringLiteral("Menu"),
                   {{QStringLiteral("BtnShareMyInternet"), actions_->actShareMyInternet},
                    {QStringLiteral("BtnConnectToVelmora"), actions_->actConnectToVelmora},
                    {QStringLiteral("BtnExit"), actions_->actExit}});
  BarPro->AddGroup(QStringLiteral("Settings"),
                   {{QStringLiteral("BtnOptions"), actions_->actOptions}});
  BarPro->AddGroup(QStringLiteral("Help"), {{QStringLiteral("BtnUpdate"), actions_->actCheckUpdate},
                                            {QStringLiteral("BtnComments"), actions_->actWriteToUs},
                                            {QStringLiteral("BtnAbout"), actions_->actAbout}});

  pageControl_ = new PageControl(this);
  pageControl_->setObjectName(QStringLiteral("PageControl1"));
  tbInternetStatus = new InternetStatusPage(*actions_);
  tbShareMyInternet = new ShareMyInternetPage(*actions_);
  tbConnectToVelmora = new ConnectToPage(*actions_);
  pageControl_->AddPage(tbInternetStatus, QStringLiteral("Internet Status"));
  pageControl_->AddPage(tbShareMyInternet, QStringLiteral("Share My Internet"));
  pageControl_->AddPage(tbConnectToVelmora, QString());

  statusBar_ = new PanelStatusBar(this);
  statusBar_->setObjectName(QStringLiteral("StatusBar1"));
  statusBar_->AddPanel(200, false);
  statusBar_->AddPanel(160, true);
  statusBar_->AddPanel(200, true);
  statusBar_->SetDrawPanel([this](QPainter& canvas, int panel, const QRect& rect) {
    StatusBar1DrawPanel(canvas, panel, rect);
  });

  auto* middle = new QHBoxLayout;
  middle->setContentsMargins(0, 0, 0, 0);
  middle->setSpacing(0);
  middle->addWidget(BarPro);
  auto* pageFrame = new QVBoxLayout;
  pageFrame->setContentsMargins(8, 8, 8, 8);
  pageFrame->addWidget(pageControl_);
  middle->addLayout(pageFrame, 1);

  auto* client = new QWidget(this);
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(pnlTop);
  column->addLayout(middle, 1);
  column->addWidget(statusBar_);
  setCentralWidget(client);
}

void TForm1::ConnectActions() {
  auto on = [this](QAction* action, auto handler) {
    connect(action, &QAction::triggered, this, handler);
  };
  on(actions_->actStartSharing, [this] { Command(&MainWorkflow::actStartSharingExecute); });
  on(actions_->actStopSharing, [this] { Command(&MainWorkflow::actStopSharingExecute); });
  on(actions_->actConnect, [this] { Command(&MainWorkflow::actConnectExecute); });
  on(actions_->actDisconnect, [this] { Command(&MainWorkflow::actDisconnectExecute); });
  on(actions_->actRefresh2, [this] { Command(&MainWorkflow::actRefresh2Execute); });
  on(actions_->actShareMyInternet, [this] { pageControl_->SetActivePage(tbShareMyInternet); });
  on(actions_->actConnectToVelmora, [this] { pageControl_->SetActivePage(tbConnectToVelmora); });
  on(actions_->actExit, [this] { actExitExecute(); });
  on(actions_->actOptions, [this] { actOptionsExecute(); });
  on(actions_->actAbout, [this] { actAboutExecute(); });
  on(actions_->actCheckUpdate, [this] { actCheckUpdateExecute(); });
  on(actions_->actWriteToUs, [this] { actWriteToUsExecute(); });
  on(actions_->actTroubleShooter, [this] {
    if (troubleShooter_)
      Handle([this] { actTroubleShooterExecute(*troubleShooter_, messages_, this); });
  });

  connect(pageControl_, &PageControl::PageShown, this, [this](QWidget* page) {
    if (page == tbConnectToVelmora) tbConnectToVelmoraShow();
  });
  connect(tbShareMyInternet->btnSource, &QPushButton::clicked, this, &TForm1::btnSourceClick);
  connect(tbShareMyInternet->btnSelectDest, &QPushButton::clicked, this,
          &TForm1::btnSelectDestClick);
  connect(tray_, &TrayIcon::OpenRequested, this, &TForm1::TrayIcon1DblClick);
  // Sharing can be started and stopped from the tray, with the window's enabled states.
  tray_->Menu()->insertSeparator(tray_->mniExit1());
  tray_->Menu()->insertAction(tray_->mniExit1(), actions_->actStartSharing);
  tray_->Menu()->insertAction(tray_->mniExit1(), actions_->actStopSharing);
  tray_->Menu()->insertSeparator(tray_->mniExit1());
  connect(tray_, &TrayIcon::ExitRequested, this, &TForm1::actExitExecute);
}

void TForm1::SetStartUpTexts() {
  const QString title = Text(workflow_->ApplicationTitle());
  // The application's name, not its display name: Qt appends a display name to the title of
  // every window, which would turn each "Message" box into "Message - <name>".
  QCoreApplication::setApplicationName(title);
  setWindowTitle(title);
  setWindowIcon(artwork::ApplicationIcon());
  tray_->SetIcon(windowIcon());  // one picture for both, read once
  tray_->SetHint(title);
  tray_->SetVisible(true);

  const QString connectCaption = TranslateMessage(workflow_->ConnectCaption());
  actions_->actConnectToVelmora->setText(connectCaption);
  actions_->actConnect->setText(connectCaption);
  pageControl_->setTabText(pageControl_->indexOf(tbConnectToVelmora), connectCaption);
  tbConnectToVelmora->lblDesc31->setText(TranslateMessage(workflow_->ConnectDescription()));
  pnlTop->SetCaption(Text(workflow_->HeaderCaption()));
}

void TForm1::SetTroubleShooter(const TroubleShooterPlatform& platform) {
  troubleShooter_.emplace(platform);
  tray_->Menu()->insertAction(tray_->mniExit1(), actions_->actTroubleShooter);
  actions_->actTroubleShooter->setVisible(TroubleShooterOffered(platform.system));
}

void TForm1::ShowAtStart() {
  if (workflow_->ShowMainFormAtStart()) {
    show();
  } else if (!tray_->Available()) {
    // Hidden with no notification area, the window could never be opened again.
    showMinimized();
  }
}

void TForm1::CentreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TForm1::FormDestroy() {
  if (shutDown_) return;
  shutDown_ = true;
  Handle([this] { workflow_->ShutDown(); });
}

void TForm1::EndSession() {
  reallyClose_ = true;
  FormDestroy();
  close();
}

void TForm1::TrayIcon1DblClick() {
  reallyClose_ = false;
  show();
  setWindowState(windowState() & ~Qt::WindowMinimized);
  raise();
  activateWindow();
  setWindowState(Qt::WindowNoState);
}

void TForm1::actExitExecute() {
  reallyClose_ = true;
  close();
}

void TForm1::UpdateActions() {
  if (shutDown_) return;
  const ActionStates states = workflow_->ActionsEnabled();
  actions_->actStartSharing->setEnabled(states.startSharing);
  actions_->actStopSharing->setEnabled(states.stopSharing);
  actions_->actConnect->setEnabled(states.connect);
  actions_->actDisconnect->setEnabled(states.disconnect);
  actions_->actRefresh2->setEnabled(states.refresh);
  actions_->actShareMyInternet->setEnabled(states.shareMyInternet);
  actions_->actConnectToVelmora->setEnabled(states.connectToPage);
  ShowSharingExtras();
  const bool sharing = workflow_->SharingStarted();
  if (sharing != tmrConnectedDevices->isActive()) {
    if (sharing) {
      tmrConnectedDevices->start();
    } else {
      // Once more after the end, which clears the list and the limit's notice.
      tmrConnectedDevices->stop();
      tmrConnectedDevicesTimer();
    }
  }
}

void TForm1::tmrConnectedDevicesTimer() {
  if (shutDown_) return;
  Handle([this] { workflow_->RefreshConnectedDevices(); });
}

void TForm1::showEvent(QShowEvent* event) {
  // Centred the first time it shows, however that comes about (also from the tray).
  if (!centred_) {
    centred_ = true;
    CentreOnScreen();
  }
  QMainWindow::showEvent(event);
  // Restoring from the task bar is the window system's doing, not a new show of the form.
  if (!event->spontaneous()) Handle([this] { workflow_->RefreshConnections(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (reallyClose_) {
    event->accept();
    emit Closed();
    return;
  }
  event->ignore();
  if (!tray_->Available()) {
    showMinimized();
    return;
  }
  hide();
  if (tray_->Tag() == 0) {
    tray_->SetTag(1);
    const QString title = Text(workflow_->ApplicationTitle());
    tray_->ShowBalloon(title, TranslateMessage(workflow_->BackgroundBalloonText()),
                       kBalloonTimeoutMs);
  }
}

void TForm1::customEvent(QEvent* event) {
  if (event->type() == kRepaintMessage) {
    repaint();
    return;
  }
  QMainWindow::customEvent(event);
}

void TForm1::ProcessPendingEvents() {
  QCoreApplication::processEvents();
}

void TForm1::RepaintStatusBar() {
  statusBar_->repaint();
}

void TForm1::StatusBar1DrawPanel(QPainter& canvas, int panel, const QRect& rect) {
  canvas.setBackgroundMode(Qt::TransparentMode);
  std::optional<StatusPanelContent> content;
  const ImageList* images = nullptr;
  if (panel == 1) {
    content = workflow_->SharingPanel();
    images = mxImageList_Small;
    if (!content) statusBar_->SetPanelText(panel, QString());
  } else if (panel == 2) {
    content = workflow_->InternetPanel();
    images = ImageList_16;
  }
  if (!content) return;
  const QString text = Translate(Text(content->text));
  statusBar_->SetPanelText(panel, text);
  images->Draw(canvas, rect.left(), rect.top(), content->imageIndex);
  canvas.drawText(QRect(rect.left() + 20, rect.top() + 1, rect.width() - 20, rect.height() - 1),
                  Qt::AlignLeft | Qt::AlignVCenter, text);
}

void TForm1::tbConnectToVelmoraShow() {
  const ConnectPageValues values = workflow_->ConnectToPageValues();
  tbConnectToVelmora->lblSSID->setText(Text(values.ssid));
  tbConnectToVelmora->lblPassword->setText(Text(values.password));
  tbConnectToVelmora->ShowWeakSecurityWarning(values.weakSecurity);
}

void TForm1::Handle(const std::function<void()>& handler) {
  RunHandler(this, messages_, handler);
}

void TForm1::Command(void (MainWorkflow::*command)()) {
  Handle([this, command] {
    Hourglass busy;
    (workflow_.get()->*command)();
  });
}

}  // namespace orvane::ui
