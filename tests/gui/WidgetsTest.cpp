// The window's building blocks on their own: page control, status bar, side bar, tray icon,
// the handler edge and the shut-down signals.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <csignal>
#include <stdexcept>

#include "RecordingPresenter.h"
#include "common/Errors.h"
#include "gui/kit/HandlerEdge.h"
#include "gui/kit/Hourglass.h"
#include "gui/kit/MessagePresenter.h"
#include "gui/main/PageControl.h"
#include "gui/main/PanelStatusBar.h"
#include "gui/main/ShutdownSignals.h"
#include "gui/main/SideBar.h"
#include "gui/main/TrayIcon.h"

using namespace orvane::ui;

class WidgetsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    // A modal box or a lost event would otherwise hang the run.
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, [] { QFAIL("watchdog: test did not finish in 60 s"); });
    watchdog_.start(60000);
  }
  void cleanup() { watchdog_.stop(); }

  void pageControlEnablesOnlyTheActivePage() {
    PageControl pages;
    QWidget first, second, third;
    pages.AddPage(&first, "1");
    pages.AddPage(&second, "2");
    pages.AddPage(&third, "3");
    QSignalSpy shown(&pages, &PageControl::PageShown);

    QVERIFY(first.isEnabled());
    QVERIFY(!second.isEnabled());
    QVERIFY(!third.isEnabled());

    pages.SetActivePage(&third);
    QVERIFY(!first.isEnabled());
    QVERIFY(!second.isEnabled());
    QVERIFY(third.isEnabled());
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).value<QWidget*>(), &third);

    pages.setCurrentIndex(1);  // as a click on the tab does
    QVERIFY(!first.isEnabled());
    QVERIFY(second.isEnabled());
    QVERIFY(!third.isEnabled());
    QCOMPARE(pages.ActivePage(), &second);
    pages.clear();  // the pages are on the stack; they must not be deleted twice
  }

  void statusBarDrawsOwnerPanelsWithTheirRectangles() {
    PanelStatusBar bar;
    bar.resize(600, 24);
    bar.AddPanel(200, false);
    bar.AddPanel(160, true);
    bar.AddPanel(200, true);
    bar.SetPanelText(0, "plain");
    QList<int> drawn;
    QList<QRect> rects;
    bar.SetDrawPanel([&](QPainter&, int panel, const QRect& rect) {
      drawn << panel;
      rects << rect;
      bar.SetPanelText(panel, QStringLiteral("drawn %1").arg(panel));
    });
    bar.grab();  // paints once

    QCOMPARE(drawn, (QList<int>{1, 2}));
    QCOMPARE(bar.PanelText(0), QString("plain"));
    QCOMPARE(bar.PanelText(1), QString("drawn 1"));
    QCOMPARE(bar.PanelText(2), QString("drawn 2"));
    QCOMPARE(rects.at(0).left(), 202);  // after the first panel's 200 pixels
    QCOMPARE(rects.at(1).left(), 362);
    QVERIFY(rects.at(1).right() >= 560 - 3);  // the last panel takes the rest
  }

  void sideBarGroupsOpenAndButtonsRunTheirActions() {
    SideBar bar;
    QAction first("First"), second("Second");
    QSignalSpy triggered(&second, &QAction::triggered);
    bar.AddGroup("Menu", {{"BtnFirst", &first}});
    bar.AddGroup("Help", {{"BtnSecond", &second}});
    QCOMPARE(bar.GroupCount(), 2);
    QVERIFY(!bar.GroupOpen(0));
    bar.OpenAllGroups();
    QVERIFY(bar.GroupOpen(0));
    QVERIFY(bar.GroupOpen(1));

    auto* button = bar.findChild<QToolButton*>("BtnSecond");
    QVERIFY(button != nullptr);
    QCOMPARE(button->defaultAction(), &second);
    QCOMPARE(button->text(), QString("Second"));
    button->click();
    QCOMPARE(triggered.count(), 1);

    second.setEnabled(false);
    QVERIFY(!button->isEnabled());
  }

  void trayMenuAndBalloon() {
    TrayIcon tray(true, nullptr);
    QCOMPARE(tray.objectName(), QString("TrayIcon1"));
    QCOMPARE(tray.Menu()->objectName(), QString("pmTrayIcon"));
    const QList<QAction*> items = tray.Menu()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0)->objectName(), QString("Show1"));
    QCOMPARE(items.at(0)->text(), QString("&Open Main Window"));
    QCOMPARE(items.at(1)->objectName(), QString("mniExit1"));
    QCOMPARE(items.at(1)->text(), QString("E&xit"));
    QCOMPARE(tray.Menu()->defaultAction(), items.at(0));

    QSignalSpy open(&tray, &TrayIcon::OpenRequested);
    QSignalSpy exit(&tray, &TrayIcon::ExitRequested);
    items.at(0)->trigger();
    items.at(1)->trigger();
    QCOMPARE(open.count(), 1);
    QCOMPARE(exit.count(), 1);

    QSignalSpy balloon(&tray, &TrayIcon::BalloonShown);
    tray.ShowBalloon("Title", "Text", 3000);
    QCOMPARE(balloon.count(), 1);
    QCOMPARE(balloon.at(0).at(2).toInt(), 3000);

    TrayIcon nowhere(false, nullptr);
    QSignalSpy none(&nowhere, &TrayIcon::BalloonShown);
    nowhere.ShowBalloon("Title", "Text", 3000);
    nowhere.SetVisible(true);
    QCOMPARE(none.count(), 0);
    QVERIFY(!nowhere.Visible());
  }

  void handlerEdgeShowsTheErrorAndRestoresTheCursor() {
    RecordingPresenter messages;
    QWidget owner;
    const bool completed = RunHandler(&owner, messages, [] {
      Hourglass busy;
      QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
      throw orvane::OsError(5, "Access is denied.");
    });
    QVERIFY(!completed);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.at(0).text, QString("System Error.  Code: 5.\nAccess is denied."));
    QCOMPARE(messages.shown.at(0).icon, QMessageBox::Critical);
    QCOMPARE(messages.shown.at(0).owner, &owner);

    QVERIFY(RunHandler(&owner, messages, [] { Hourglass busy; }));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(messages.shown.size(), 1);
  }

  void terminationSignalArrivesOnTheEventLoop() {
#ifndef Q_OS_LINUX
    QSKIP("termination signals are turned into requests on Linux only");
#endif
    ShutdownSignals signals_;
    QVERIFY(signals_.Active());
    QSignalSpy requested(&signals_, &ShutdownSignals::Requested);
    std::raise(SIGTERM);
    QVERIFY(requested.wait(5000));
    std::raise(SIGINT);
    QVERIFY(requested.wait(5000));
    QCOMPARE(requested.count(), 2);
  }

  void aSignalBurstNeitherBlocksNorChangesErrno() {
#ifndef Q_OS_LINUX
    QSKIP("termination signals are turned into requests on Linux only");
#endif
    ShutdownSignals signals_;
    QVERIFY(signals_.Active());
    QSignalSpy requested(&signals_, &ShutdownSignals::Requested);
    // Far more than the socket holds while the loop is not reading it: a blocking write in the
    // handler would hang here, and a failed one would set errno under the interrupted code.
    for (int i = 0; i < 5000; ++i) {
      errno = EDOM;
      std::raise(SIGTERM);
      QCOMPARE(errno, EDOM);
    }
    QVERIFY(requested.wait(5000));
  }

 private:
  QTimer watchdog_;
};

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
