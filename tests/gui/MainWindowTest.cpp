// The main window on the simulated machine: start-up, hiding to the tray, ending the program,
// the commands through their buttons and what the status bar shows.
#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QEnterEvent>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <atomic>
#include <memory>
#include <thread>
#include "gui/main/SingleInstance.h"
#include "gui/main/TrayIcon.h"

#include "RecordingPresenter.h"
#include "WindowScene.h"
#include "app/HotspotTexts.h"
#include "common/UnitGlobal.h"
#include "gui/main/HeaderPanel.h"
#include "gui/main/MainActions.h"
#include "gui/main/MainWindow.h"
#include "gui/main/PageControl.h"
#include "gui/main/PanelStatusBar.h"
#include "gui/main/SideBar.h"
#include "gui/main/TrayIcon.h"
#include "network/AdpUtils.h"
#include "platform/sim/SimMachine.h"
#include "service/WifiTroubleShooter.h"

using namespace orvane;
using namespace orvane::ui;

namespace {

using scene::kProductName;
using scene::kWiredGuid;

// Lets the event loop run until it waits for events, which is when actions are updated.
void RunUntilIdle() {
  QEventLoop loop;
  QTimer::singleShot(20, &loop, &QEventLoop::quit);
  loop.exec();
}

// Short passes of a running event loop, each going idle as the program's own does (the window
// brings some things up to date only then), until done() holds or five seconds have passed.
template <typename Done>
bool RunUntil(Done done) {
  const QDeadlineTimer deadline(5000);
  while (!done() && !deadline.hasExpired()) RunUntilIdle();
  return done();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QVERIFY(productDir_.isValid());
    scene::LoadProduct(productDir_);
  }

  void init() {
    watchdog_ = std::make_unique<QTimer>();
    watchdog_->setSingleShot(true);
    connect(watchdog_.get(), &QTimer::timeout, [] { QFAIL("watchdog: no end after 60 s"); });
    watchdog_->start(60000);
    settingsDir_ = std::make_unique<QTemporaryDir>();
    machine_ = std::make_unique<sim::SimMachine>();
    scene::Seed(*machine_, *settingsDir_);
  }

  void cleanup() {
    form_.reset();
    ifTable_.reset();
    machine_.reset();
    messages_.shown.clear();
    watchdog_.reset();
  }

  void startUpFollowsTheProductInformation() {
    Create(true);
    TForm1& form = *form_;
    QCOMPARE(form.windowTitle(), QString(kProductName));
    QCOMPARE(QApplication::applicationDisplayName(), QString(kProductName));
    QCOMPARE(form.Tray().Hint(), QString(kProductName));
    QCOMPARE(form.Actions().actConnect->text(), QString("Connect to Skylark"));
    QCOMPARE(form.Actions().actConnectToVelmora->text(), QString("Connect to Skylark"));
    QCOMPARE(form.Pages().tabText(2), QString("Connect to Skylark"));
    QCOMPARE(Label("lblDesc31")->text(),
             QString("If there is a Skylark running nearby and sharing its Internet connection, "
                     "click the button below to connect to Internet through its sharing."));
    QCOMPARE(Label("lblInternetStatus")->text(), QString("Internet Status"));
    auto* header = form.findChild<HeaderPanel*>("pnlTop");
    QVERIFY(header != nullptr);
    QCOMPARE(header->Caption(), QString("        Skylark"));

    // The first page is active and the only one taking input.
    QCOMPARE(form.Pages().ActivePage()->objectName(), QString("tbInternetStatus"));
    QVERIFY(Page("tbInternetStatus")->isEnabled());
    QVERIFY(!Page("tbShareMyInternet")->isEnabled());
    QVERIFY(!Page("tbConnectToVelmora")->isEnabled());

    auto* bar = form.findChild<SideBar*>("BarPro");
    QVERIFY(bar != nullptr);
    QCOMPARE(bar->GroupCount(), 3);
    for (int i = 0; i < 3; ++i) QVERIFY(bar->GroupOpen(i));
    // The help group's buttons run the help actions, in this order.
    const QStringList help{"BtnUpdate", "BtnComments", "BtnAbout"};
    const QStringList helpActions{"actCheckUpdate", "actWriteToUs", "actAbout"};
    for (int i = 0; i < help.size(); ++i) {
      auto* button = bar->findChild<QToolButton*>(help.at(i));
      QVERIFY2(button != nullptr, qPrintable(help.at(i)));
      QCOMPARE(button->defaultAction()->objectName(), helpActions.at(i));
    }
    QCOMPARE(bar->findChild<QToolButton*>("BtnExit")->defaultAction()->text(), QString("&Exit"));
    QVERIFY(!form.ReallyClose());
  }

  void actionsCarryTheirNamesAndStatesAfterStartUp() {
    Create(true);
    form_->ShowAtStart();
    QVERIFY(form_->isVisible());
    RunUntilIdle();
    const QStringList names{"actStartSharing",     "actStopSharing", "actConnect",
                            "actDisconnect",       "actRefresh2",    "actShareMyInternet",
                            "actConnectToVelmora", "actExit",        "actOptions",
                            "actCheckUpdate",      "actWriteToUs",   "actAbout",
                            "actTroubleShooter"};
    for (const QString& name : names) QVERIFY2(Action(name) != nullptr, qPrintable(name));
    // Source connected, destination found, Internet reachable: sharing can start.
    QVERIFY(Action("actStartSharing")->isEnabled());
    QVERIFY(!Action("actStopSharing")->isEnabled());
    QVERIFY(!Action("actConnect")->isEnabled());
    QVERIFY(!Action("actDisconnect")->isEnabled());
    QVERIFY(Action("actRefresh2")->isEnabled());
    // The button follows its action, within a page that takes no input while hidden.
    QVERIFY(Button("SpeedButton1")->isEnabledTo(Page("tbShareMyInternet")));
    QVERIFY(!Button("SpeedButton1")->isEnabled());
    QCOMPARE(Label("lblWiredStatus")->text(), QString("Connected"));
  }

  void withoutInternetOnlyConnectingIsOffered() {
    machine_->Internet().SetReachable(false);
    Create(true);
    form_->ShowAtStart();
    RunUntilIdle();
    QVERIFY(!Action("actStartSharing")->isEnabled());
    QVERIFY(Action("actConnect")->isEnabled());
    QVERIFY(Action("actDisconnect")->isEnabled());
    QCOMPARE(Label("lblStartSharing")->text(),
             QString("Your current connection is not available for sharing your Internet."));
  }

  void startMinimizedReadsConnectionsOnlyWhenOpened() {
    WriteSettings("[System]\r\nStartMinimized=1\r\n");
    Create(true);
    form_->ShowAtStart();
    QVERIFY(!form_->isVisible());
    QCOMPARE(machine_->Log().Count("EnumEveryConnection"), 0u);

    form_->Tray().Show1()->trigger();
    QVERIFY(form_->isVisible());
    QVERIFY(machine_->Log().Count("EnumEveryConnection") > 0);
    QCOMPARE(Label("lblWiredStatus")->text(), QString("Connected"));
  }

  void closingHidesToTheTrayWithTheBalloonOnce() {
    Create(true);
    form_->ShowAtStart();
    QSignalSpy balloon(&form_->Tray(), &TrayIcon::BalloonShown);
    QSignalSpy closed(form_.get(), &TForm1::Closed);

    QVERIFY(!form_->close());
    QVERIFY(!form_->isVisible());
    QCOMPARE(balloon.count(), 1);
    QCOMPARE(balloon.at(0).at(0).toString(), QString(kProductName));
    QCOMPARE(balloon.at(0).at(1).toString(), QString("Skylark is running in the background!"));
    QCOMPARE(balloon.at(0).at(2).toInt(), 3000);
    QCOMPARE(form_->Tray().Tag(), 1);

    form_->TrayIcon1DblClick();
    QVERIFY(form_->isVisible());
    QVERIFY(!form_->close());
    QVERIFY(!form_->isVisible());
    QCOMPARE(balloon.count(), 1);
    QCOMPARE(closed.count(), 0);
  }

  void withoutNotificationAreaClosingMinimises() {
    Create(false);
    form_->ShowAtStart();
    QSignalSpy balloon(&form_->Tray(), &TrayIcon::BalloonShown);
    QVERIFY(!form_->close());
    QVERIFY(form_->isVisible());
    QVERIFY(form_->isMinimized());
    QCOMPARE(balloon.count(), 0);
    QVERIFY(!form_->Tray().Visible());
  }

  void exitRunsTheShutDownSequence() {
    Create(true);
    form_->ShowAtStart();
    StartSharingFromPage();
    QVERIFY(machine_->Sharing().Connection(0).sharingEnabled);
    QSignalSpy closed(form_.get(), &TForm1::Closed);

    form_->Tray().mniExit1()->trigger();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form_->isVisible());
    form_->FormDestroy();  // what the program does once its loop has ended

    QFile settings(settingsDir_->filePath("setup.ini"));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
    QVERIFY(written.contains("SSID=Skylark"));
    // A new installation: its own key, saved with WPA2.
    QVERIFY(
        written.contains("Password=" + QByteArray::fromStdString(form_->Workflow().Password())));
    QVERIFY(written.contains("Security=WPA2"));
    QCOMPARE(form_->Workflow().Password().size(), kNewKeyLength);
    QVERIFY(machine_->Log().Count("DeleteSsid") > 0);
    for (std::size_t i = 0; i < machine_->Sharing().ConnectionCount(); ++i) {
      QVERIFY(!machine_->Sharing().Connection(i).sharingEnabled);
    }
    // It runs once, even when the window is destroyed afterwards.
    const std::size_t deletes = machine_->Log().Count("DeleteSsid");
    form_.reset();
    QCOMPARE(machine_->Log().Count("DeleteSsid"), deletes);
  }

  void sideBarExitEndsTheProgram() {
    Create(true);
    form_->ShowAtStart();
    QSignalSpy closed(form_.get(), &TForm1::Closed);
    Action("actExit")->trigger();
    QCOMPARE(closed.count(), 1);
    QVERIFY(form_->ReallyClose());
  }

  void logOffEndsTheProgramUnlessTheWindowIsOpenedAgain() {
    Create(true);
    form_->ShowAtStart();
    QSignalSpy closed(form_.get(), &TForm1::Closed);
    QSignalSpy balloon(&form_->Tray(), &TrayIcon::BalloonShown);

    form_->QueryEndSession();
    form_->TrayIcon1DblClick();  // opening from the tray clears the request
    QVERIFY(!form_->ReallyClose());
    QVERIFY(!form_->close());
    QCOMPARE(closed.count(), 0);
    QCOMPARE(balloon.count(), 1);

    form_->QueryEndSession();
    QVERIFY(form_->close());  // also when hidden
    QCOMPARE(closed.count(), 1);
    QCOMPARE(balloon.count(), 1);
  }

  void sessionEndShutsDownBeforeTheHandlerReturns() {
    Create(true);
    form_->ShowAtStart();
    StartSharingFromPage();
    QVERIFY(machine_->Sharing().Connection(0).sharingEnabled);
    QSignalSpy closed(form_.get(), &TForm1::Closed);

    form_->EndSession();  // no event loop runs: the system may end the process after this
    QCOMPARE(closed.count(), 1);
    QVERIFY(QFile(settingsDir_->filePath("setup.ini")).exists());
    QVERIFY(machine_->Log().Count("DeleteSsid") > 0);
    for (std::size_t i = 0; i < machine_->Sharing().ConnectionCount(); ++i) {
      QVERIFY(!machine_->Sharing().Connection(i).sharingEnabled);
    }
  }

  void startSharingThroughTheButton() {
    Create(true);
    form_->ShowAtStart();
    Action("actShareMyInternet")->trigger();
    QCOMPARE(form_->Pages().ActivePage()->objectName(), QString("tbShareMyInternet"));
    QVERIFY(!Page("tbInternetStatus")->isEnabled());
    RunUntilIdle();
    Grab();
    QCOMPARE(form_->StatusBar().PanelText(1), QString("Ready for Sharing"));

    Button("SpeedButton1")->click();
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QTRY_COMPARE(messages_.shown.size(), 1);
    QCOMPARE(messages_.shown.at(0).caption, QString("Message"));
    QCOMPARE(messages_.shown.at(0).text, QString("Your sharing was started successfully!"));
    QCOMPARE(messages_.shown.at(0).icon, QMessageBox::Information);
    QCOMPARE(messages_.shown.at(0).owner, form_.get());
    QVERIFY(machine_->Sharing().Connection(0).sharingEnabled);
    QVERIFY(machine_->Sharing().Connection(1).sharingEnabled);
    Grab();
    QCOMPARE(form_->StatusBar().PanelText(1), QString("Internet Sharing Enabled"));
    RunUntilIdle();
    QVERIFY(!Action("actStartSharing")->isEnabled());
    QVERIFY(Action("actStopSharing")->isEnabled());

    Button("SpeedButton2")->click();
    QTRY_COMPARE(messages_.shown.last().text, QString("Your sharing was stopped successfully!"));
    Grab();
    QCOMPARE(form_->StatusBar().PanelText(1), QString("Ready for Sharing"));
  }

  void theSharingPageSaysWhichWayTheNetworkWasMade() {
    // A system with a Mobile Hotspot whose adapter cannot make an ad-hoc network.
    machine_->Hotspot().SetPresent(true);
    Create(true);
    form_->ShowAtStart();
    QLabel* way = Label("lblSharingWay");
    QVERIFY(way != nullptr);
    QVERIFY(way->isHidden());
    StartSharingFromPage();
    QTRY_COMPARE(messages_.shown.size(), 1);
    QCOMPARE(messages_.shown.at(0).text, QString("Your sharing was started successfully!"));
    QVERIFY(!way->isHidden());
    QCOMPARE(way->text(), QString(texts::kMadeByMobileHotspot));
    QVERIFY(machine_->Hotspot().Running());
    QVERIFY(!machine_->Sharing().Connection(0).sharingEnabled);

    Button("SpeedButton2")->click();
    QTRY_COMPARE(messages_.shown.last().text, QString("Your sharing was stopped successfully!"));
    QVERIFY(way->isHidden());
  }

  void startUpWithoutAdaptersShowsTheErrorAndGoesOn() {
    machine_->System().SetErrorMessage(31, "A device attached to the system is not functioning.");
    machine_->Log().FailCall("GetAdaptersInfo", 31, 2);
    Create(true);
    QCOMPARE(messages_.shown.size(), 1);
    QCOMPARE(messages_.shown.at(0).icon, QMessageBox::Critical);
    // The window had its title before the components could fail.
    QCOMPARE(messages_.shown.at(0).ownerTitle, QString(kProductName));
    QCOMPARE(messages_.shown.at(0).caption, QString("Message"));
    QCOMPARE(messages_.shown.at(0).text,
             QString("System Error.  Code: 31.\nA device attached to the system is not "
                     "functioning."));
    // The rest of start-up still ran.
    QVERIFY(form_->findChild<SideBar*>("BarPro")->GroupOpen(2));
    QCOMPARE(form_->windowTitle(), QString(kProductName));

    form_->ShowAtStart();
    // The second failure reaches the handler's edge: the application's title is its caption.
    Action("actRefresh2")->trigger();
    QCOMPARE(messages_.shown.size(), 2);
    QCOMPARE(messages_.shown.at(1).caption, QString(kProductName));
    Action("actRefresh2")->trigger();
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(Label("lblWiredStatus")->text(), QString("Connected"));
  }

  void boxesShowExactlyTheirCaption() {
    Create(true);
    // Qt appends an explicitly set display name to every window's title ("Message - Skylark");
    // none may be set, so the display name still follows the application's name.
    QCoreApplication::setApplicationName("probe");
    const QString displayName = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(kProductName);
    QCOMPARE(displayName, QString("probe"));
    QCOMPARE(form_->windowTitle(), QString(kProductName));
    form_->ShowError("Broken.");
    QCOMPARE(messages_.shown.last().caption, QString("Message"));
  }

  void startMinimizedWithoutNotificationAreaShowsTheWindowMinimised() {
    WriteSettings("[System]\r\nStartMinimized=1\r\n");
    Create(false);
    form_->ShowAtStart();
    QVERIFY(form_->isVisible());
    QVERIFY(form_->isMinimized());
  }

  void centredWhenFirstOpenedFromTheTray() {
    WriteSettings("[System]\r\nStartMinimized=\"1\"\r\n");
    Create(true);
    form_->ShowAtStart();
    QVERIFY(!form_->isVisible());
    form_->Tray().Show1()->trigger();
    QVERIFY(form_->isVisible());
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY2((form_->frameGeometry().center() - centre).manhattanLength() <= 2,
             qPrintable(QString("window centre %1,%2")
                            .arg(form_->frameGeometry().center().x())
                            .arg(form_->frameGeometry().center().y())));
  }

  void buttonsInsideGroupsUseTheNormalFont() {
    Create(true);
    auto* group = form_->findChild<QGroupBox*>();
    QVERIFY(group != nullptr);
    QVERIFY(group->font().bold());
    for (const char* name : {"btnRefresh1", "btnSource", "btnSelectDest"}) {
      auto* button = form_->findChild<QAbstractButton*>(name);
      QVERIFY2(button != nullptr, name);
      QVERIFY2(!button->font().bold(), name);
    }
    QVERIFY(Label("lblInternetStatus")->font().bold());
    QVERIFY(Label("lblWiredStatus")->font().bold());
  }

  void shutDownShowsASettingsFailureAndStillCleansUp() {
    Create(true);
    form_->ShowAtStart();
    machine_->System().SetSettingsFolder(settingsDir_->path().toStdString() + "/gone/");
    form_->actExitExecute();
    form_->FormDestroy();
    QCOMPARE(messages_.shown.size(), 1);
    QCOMPARE(messages_.shown.at(0).icon, QMessageBox::Critical);
    QVERIFY2(messages_.shown.at(0).text.contains("setup.ini"),
             qPrintable(messages_.shown.at(0).text));
    QVERIFY(machine_->Log().Count("DeleteSsid") > 0);
  }

  void internetStatusArrivesFromTheMonitorThread() {
    machine_->Internet().HoldProbes();
    Create(true);  // not shown: showing would probe on this thread
    Grab();
    QCOMPARE(form_->StatusBar().PanelText(1), QString());
    QCOMPARE(form_->StatusBar().PanelText(2), QString("Unavailable"));
    QVERIFY(machine_->Internet().WaitUntilHeld(std::chrono::seconds(10)));
    machine_->Internet().StopHolding();
    QTRY_COMPARE_WITH_TIMEOUT(Label("lblInternetStatus")->text(), QString("Internet is connected."),
                              10000);
    QVERIFY(form_->findChild<QLabel*>("imgInternetConnected")->isVisibleTo(form_.get()));
    QVERIFY(!form_->findChild<QLabel*>("imgInternetDisconnected")->isVisibleTo(form_.get()));
    Grab();
    QCOMPARE(form_->StatusBar().PanelText(2), QString("Connected to Internet"));
  }

  void aSourceNotConnectedShowsRedWithTheOtherPicture() {
    Create(true);
    form_->Workflow().SetSourceGUID(kWiredGuid);
    form_->ShowAtStart();
    Action("actShareMyInternet")->trigger();
    auto* connected = form_->findChild<QLabel*>("imgWiredConnected");
    auto* disconnected = form_->findChild<QLabel*>("imgWiredDisconnected");
    QVERIFY(connected->isVisibleTo(form_.get()));
    QVERIFY(!disconnected->isVisibleTo(form_.get()));
    QCOMPARE(connected->parentWidget(), disconnected->parentWidget());
    QCOMPARE(connected->geometry().topLeft(), disconnected->geometry().topLeft());

    ConnectionDisplay down;
    down.description = "Local Area Connection - Gigabit Ethernet Adapter";
    down.statusText = "Disconnected";
    down.statusColour = kRed;
    form_->ShowSourceConnection(down);
    QCOMPARE(Label("lblWiredStatus")->text(), QString("Disconnected"));
    QCOMPARE(Label("lblWiredStatus")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(!connected->isVisibleTo(form_.get()));
    QVERIFY(disconnected->isVisibleTo(form_.get()));
  }

  void clickHereLinkOpensTheConnectPage() {
    Create(true);
    form_->ShowAtStart();
    Action("actShareMyInternet")->trigger();
    QLabel* link = Label("Label2");
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(link, &enter);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(form_->Pages().ActivePage()->objectName(), QString("tbConnectToVelmora"));
  }

  void connectPageShowsTheSettingsInMemory() {
    Create(true);
    form_->ShowAtStart();
    form_->Workflow().SetSSID("Cafe <b>net</b>");
    Action("actConnectToVelmora")->trigger();
    QCOMPARE(form_->Pages().ActivePage()->objectName(), QString("tbConnectToVelmora"));
    QVERIFY(!Page("tbInternetStatus")->isEnabled());
    QVERIFY(!Page("tbShareMyInternet")->isEnabled());
    QVERIFY(Page("tbConnectToVelmora")->isEnabled());
    QCOMPARE(Label("lblSSID")->text(), QString("Cafe <b>net</b>"));
    QCOMPARE(Label("lblSSID")->textFormat(), Qt::PlainText);
    QCOMPARE(Label("lblPassword")->text(), QString::fromStdString(form_->Workflow().Password()));
    QVERIFY2(Label("lblWeakSecurity")->isHidden(), "a new installation uses WPA2");
  }

  void connectPageWarnsOfAnOldWepNetwork() {
    WriteSettings("[System]\r\nPassword=73915\r\n");
    Create(true);
    form_->ShowAtStart();
    Action("actConnectToVelmora")->trigger();
    QCOMPARE(Label("lblPassword")->text(), QString("73915"));
    QVERIFY(!Label("lblWeakSecurity")->isHidden());
    QVERIFY(Label("lblWeakSecurity")->text().contains("WEP"));
    QVERIFY(Label("lblWeakSecurity")->text().contains("Options"));
  }

  void troubleShooterIsInTheTrayMenuOnlyOnVersionFiveOne() {
    machine_->Wzc().SetControlFlags("{IF}", 0x8000);
    machine_->Services().AddService("wzcsvc", platform::kServiceRunning);
    Create(true);
    form_->SetTroubleShooter(TroubleShooterPlatformOf(*machine_));
    QAction* action = Action("actTroubleShooter");
    QVERIFY(form_->Tray().Menu()->actions().contains(action));
    QVERIFY(!action->isVisible());
    action->trigger();  // a visible entry's command would have checked the service
    QCOMPARE(machine_->Log().Count("OpenSCManager"), std::size_t{0});

    machine_->System().SetOsVersion(5, 1);
    form_->SetTroubleShooter(TroubleShooterPlatformOf(*machine_));
    QVERIFY(action->isVisible());
    action->trigger();  // nothing to repair: no window, the check only
    QCOMPARE(machine_->Log().Count("OpenSCManager"), std::size_t{1});
    QVERIFY(messages_.shown.isEmpty());
  }

  void connectedDevicesReachThePageAndTheTrayHintWhileSharing() {
    const platform::ConnectedDevice phone{"annas-phone", "aa:00:00:00:00:01", "192.168.0.10"};
    machine_->Sharing().SetConnectedDevices(scene::kWirelessGuid, {phone});
    Create(true);
    form_->ShowAtStart();
    auto* timer = form_->findChild<QTimer*>("tmrConnectedDevices");
    QVERIFY(timer != nullptr);
    QVERIFY2(timer->interval() >= 5000, "no faster than the Internet check");
    RunUntilIdle();
    QVERIFY2(!timer->isActive(), "nobody to ask before sharing: no wake-ups");
    auto* group = form_->findChild<QGroupBox*>("grpConnectedDevices");
    auto* list = form_->findChild<QTreeWidget*>("lvConnectedDevices");
    QVERIFY(group != nullptr && list != nullptr);
    RunUntilIdle();
    QVERIFY(group->isHidden());

    StartSharingFromPage();
    QVERIFY(timer->isActive());
    QVERIFY(!group->isHidden());
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(0), QString("annas-phone"));
    QCOMPARE(list->topLevelItem(0)->text(2), QString("192.168.0.10"));
    QVERIFY(form_->Tray().Hint().endsWith("\n1 device connected"));

    machine_->Sharing().SetConnectedDevices(scene::kWirelessGuid,
                                            {phone, {"", "aa:00:00:00:00:02", "192.168.0.11"}});
    // The list is asked for on a worker thread and the hint follows at the window's next idle
    // moment: on a loaded machine either may take longer than one short pass of events.
    const auto hintEndsWith = [this](const char* end) {
      return RunUntil([this, end] { return form_->Tray().Hint().endsWith(end); });
    };
    form_->tmrConnectedDevicesTimer();
    QVERIFY(RunUntil([list] { return list->topLevelItemCount() == 2; }));
    QCOMPARE(list->topLevelItem(1)->text(0), QString("(no name)"));
    QVERIFY(hintEndsWith("\n2 devices connected"));

    machine_->Sharing().SetConnectedDevices(scene::kWirelessGuid, {});
    form_->tmrConnectedDevicesTimer();
    QVERIFY(RunUntil([list] { return list->topLevelItemCount() == 0; }));
    QVERIFY(hintEndsWith("\nNo device connected"));

    Action("actStopSharing")->trigger();
    QVERIFY(RunUntil([group] { return group->isHidden(); }));
    QCOMPARE(form_->Tray().Hint(), QString(kProductName));
    QVERIFY(!timer->isActive());
  }

  void aWpa2JoinCodeSaysWpa() {
    const QString zbarimg = QStandardPaths::findExecutable("zbarimg");
    if (zbarimg.isEmpty()) QSKIP("zbarimg (zbar-tools) is not installed");
    WriteSettings("[System]\r\nSSID=Tea\r\nPassword=k7Pq2mZx9aBc\r\nSecurity=WPA2\r\n");
    Create(true);
    form_->ShowAtStart();
    StartSharingFromPage();
    QVERIFY(!Label("imgJoinCode")->isHidden());
    QCOMPARE(ReadJoinCode(zbarimg), QString("WIFI:T:WPA;S:Tea;P:k7Pq2mZx9aBc;;"));
  }

  void theJoinCodeReadsBackAndShowsOnlyWhileSharingWithAKey() {
    const QString zbarimg = QStandardPaths::findExecutable("zbarimg");
    if (zbarimg.isEmpty()) QSKIP("zbarimg (zbar-tools) is not installed");
    WriteSettings("[System]\r\nSSID=Tea;Room,2:\"x\\\r\nPassword=;,:\\\"ab;,:\\\"c\r\n");
    Create(true);
    form_->ShowAtStart();
    auto* code = Label("imgJoinCode");
    QVERIFY(code != nullptr);
    RunUntilIdle();
    QVERIFY(code->isHidden());

    StartSharingFromPage();
    QVERIFY(!code->isHidden());
    QCOMPARE(ReadJoinCode(zbarimg),
             QString(R"(WIFI:T:WEP;S:Tea\;Room\,2\:\"x\\;P:\;\,\:\\\"ab\;\,\:\\\"c;;)"));

    form_->Workflow().SetPassword("");
    RunUntilIdle();
    QVERIFY2(code->isHidden(), "no key shown, no code");
    form_->Workflow().SetPassword("73915");
    Action("actStopSharing")->trigger();
    RunUntilIdle();
    QVERIFY(code->isHidden());
  }

  void theWindowStaysResponsiveWhileAStartWaitsAndShutDownUndoesIt() {
    std::atomic<bool> release{false};
    std::atomic<bool> waiting{false};
    machine_->Sharing().SetBeforeCall([&](const std::string& call) {
      if (call.rfind("EnableSharing", 0) != 0) return;
      waiting = true;  // as a password question would
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
    Create(true);
    form_->ShowAtStart();
    Action("actShareMyInternet")->trigger();
    RunUntilIdle();
    Button("SpeedButton1")->click();
    QTRY_VERIFY(waiting.load());

    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(5);
    RunUntilIdle();
    QVERIFY(ticks > 0);  // events are processed while the start waits
    QVERIFY(!Action("actStartSharing")->isEnabled());
    QVERIFY(!Action("actRefresh2")->isEnabled());
    QCOMPARE(form_->StatusBar().PanelText(0), QString("Working, please wait..."));
    QVERIFY(messages_.shown.isEmpty());

    // The program ends while the start still waits: it waits for it, then undoes it.
    std::thread releaser([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      release = true;
    });
    form_->FormDestroy();
    releaser.join();
    QVERIFY(!machine_->Sharing().Connection(0).sharingEnabled);
    QVERIFY(!machine_->Sharing().Connection(1).sharingEnabled);
    QCOMPARE(machine_->Log().Count("DeleteSsid"), std::size_t{1});
    RunUntilIdle();
    QVERIFY(messages_.shown.isEmpty());
    machine_->Sharing().SetBeforeCall({});
  }

  void aFailedStartNamesTheReasonWithTheErrorIcon() {
    machine_->Log().FailCall("EnableSharing", static_cast<int64_t>(0x800704C7u));
    Create(true);
    form_->ShowAtStart();
    StartSharingFromPage();
    QCOMPARE(messages_.shown.size(), 1);
    QCOMPARE(messages_.shown.at(0).icon, QMessageBox::Critical);
    QVERIFY(messages_.shown.at(0).text.startsWith(
        "Sorry, it was failed to share your Internet!\r\n\r\nThe administrator's password"));
  }

  void theTrayOpensOnOneClickOffersSharingAndIsPickedUpLate() {
    Create(false);
    QVERIFY(!form_->Tray().Available());
    QSignalSpy appeared(&form_->Tray(), &TrayIcon::BecameAvailable);
    // While none comes, the look-outs grow rarer, but never rarer than once a minute.
    auto* timer = form_->Tray().findChild<QTimer*>("tmrTrayAvailability");
    QVERIFY(timer != nullptr && timer->isActive());
    const int first = timer->interval();
    form_->Tray().SetAvailabilityProbe([] { return false; });
    for (int i = 0; i < 10; ++i) form_->Tray().CheckAvailability();
    QVERIFY(timer->interval() > first && timer->interval() <= 60000);
    QVERIFY(!form_->Tray().Available());
    form_->Tray().SetAvailabilityProbe([] { return true; });
    form_->Tray().CheckAvailability();
    QVERIFY(form_->Tray().Available());
    QCOMPARE(appeared.count(), 1);
    const QList<QAction*> items = form_->Tray().Menu()->actions();
    QVERIFY(items.contains(Action("actStartSharing")));
    QVERIFY(items.contains(Action("actStopSharing")));
    // A StatusNotifier tray knows one click only: it opens the hidden window.
    form_->hide();
    auto* icon = form_->Tray().findChild<QSystemTrayIcon*>();
    QVERIFY(icon != nullptr);
    emit icon->activated(QSystemTrayIcon::Trigger);
    QVERIFY(form_->isVisible());
  }

  void aSecondInstanceAsksTheFirstToShowItself() {
    const QString key = QStringLiteral("orvane-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(key);
    QVERIFY(first.First());
    QSignalSpy asked(&first, &SingleInstance::ActivationRequested);
    {
      SingleInstance second(key);
      QVERIFY(!second.First());
    }
    QTRY_COMPARE(asked.count(), 1);
  }

 private:
  void Create(bool trayAvailable) {
    ifTable_ = std::make_unique<InterfaceTableBlock>(machine_->Adapters());
    form_ = std::make_unique<TForm1>(WorkflowPlatformOf(*machine_), *ifTable_, messages_,
                                     trayAvailable);
  }
  // As a user shares: the sharing page, then its "Start Sharing" button.
  void StartSharingFromPage() {
    Action("actShareMyInternet")->trigger();
    RunUntilIdle();
    Button("SpeedButton1")->click();
    QTRY_VERIFY(!form_->Workflow().Working());
    RunUntilIdle();
  }
  void WriteSettings(const QByteArray& text) {
    QFile file(settingsDir_->filePath("setup.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  void Grab() { form_->StatusBar().grab(); }
  // The text a phone's camera reads from the shown join code.
  QString ReadJoinCode(const QString& zbarimg) {
    QTemporaryDir folder;
    const QString png = folder.filePath("code.png");
    if (!Label("imgJoinCode")->pixmap().save(png)) return QStringLiteral("(not saved)");
    QProcess reader;
    reader.start(zbarimg, {"--raw", "-q", png});
    if (!reader.waitForFinished(20000)) return QStringLiteral("(zbarimg did not end)");
    return QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
  }
  QAction* Action(const QString& name) { return form_->findChild<QAction*>(name); }
  QLabel* Label(const QString& name) { return form_->findChild<QLabel*>(name); }
  QWidget* Page(const QString& name) { return form_->findChild<QWidget*>(name); }
  QPushButton* Button(const QString& name) { return form_->findChild<QPushButton*>(name); }

  QTemporaryDir productDir_;
  std::unique_ptr<QTimer> watchdog_;
  std::unique_ptr<QTemporaryDir> settingsDir_;
  std::unique_ptr<sim::SimMachine> machine_;
  std::unique_ptr<InterfaceTableBlock> ifTable_;
  RecordingPresenter messages_;
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
