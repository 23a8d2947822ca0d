// The troubleshooter window on the simulated machine: when it shows, what closing early
// leaves, the outcome looks and the animation thread's life.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "RecordingPresenter.h"
#include "common/Errors.h"
#include "gui/dialogs/UnitWifiTroubleShooter.h"
#include "platform/sim/SimMachine.h"

using namespace orvane;
using namespace orvane::ui;

namespace {

// Service and registry calls: none of them may happen where the troubleshooter does nothing.
std::size_t ServiceAndRegistryCalls(sim::SimCallLog& log) {
  std::size_t count = 0;
  for (const char* name : {"OpenSCManager", "OpenInterfacesKey", "ReadControlFlags",
                           "WriteControlFlags", "StartService", "ControlService"}) {
    count += log.Count(name);
  }
  return count;
}

// Which of the three pictures are visible, as "010".
QString Pictures(TFrmTroubleShooter& form) {
  QString shown;
  for (QLabel* image : {form.imgAnimate0, form.imgAnimate1, form.imgAnimate2})
    shown += image->isVisibleTo(&form) ? '1' : '0';
  return shown;
}

// Presses the button of whichever troubleshooter window is modal; answers whether one was.
bool CloseModalWindow() {
  QWidget* form = QApplication::activeModalWidget();
  if (form == nullptr || form->objectName() != "FrmTroubleShooter") return false;
  form->findChild<QPushButton*>("btnCancel")->click();
  return true;
}

}  // namespace

class TroubleShooterWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    machine_ = std::make_unique<sim::SimMachine>();
    machine_->System().SetOsVersion(5, 1);
    machine_->Services().AddService("wzcsvc", platform::kServiceRunning);
    machine_->Wzc().SetControlFlags("{FIRST}", 0x0001);
    messages_.shown.clear();
  }
  void cleanup() { machine_.reset(); }

  void offOtherVersionsNothingHappens() {
    // The service is stopped: anywhere the command ran, it would show the window.
    machine_->Services().AddService("wzcsvc", platform::kServiceStopped);
    for (const auto& [major, minor] : {std::pair{5u, 0u}, {5u, 2u}, {6u, 1u}, {10u, 0u}}) {
      machine_->System().SetOsVersion(major, minor);
      actTroubleShooterExecute(Platform(), messages_, nullptr);
    }
    machine_->System().SetOsVersion(5, 1);
    machine_->Log().FailCall("GetOsVersion", 1);
    actTroubleShooterExecute(Platform(), messages_, nullptr);
    QCOMPARE(ServiceAndRegistryCalls(machine_->Log()), std::size_t{0});
    QVERIFY(messages_.shown.isEmpty());
  }

  void noRepairNeededShowsNoWindow() {
    machine_->Wzc().SetControlFlags("{FIRST}", 0x8001);
    bool shown = false;
    QTimer probe;  // fires only if a modal loop runs
    connect(&probe, &QTimer::timeout, [&] { shown = CloseModalWindow() || shown; });
    probe.start(50);
    actTroubleShooterExecute(Platform(), messages_, nullptr);
    QVERIFY(!shown);
    QCOMPARE(machine_->Log().Count("ReadControlFlags"), std::size_t{1});
    QCOMPARE(machine_->Log().Count("WriteControlFlags"), std::size_t{0});
  }

  void closingBeforeTheRepairChangesNothing() {
    bool shown = false;
    QTimer::singleShot(300, [&] { shown = CloseModalWindow(); });
    actTroubleShooterExecute(Platform(), messages_, nullptr);
    QVERIFY(shown);
    QCOMPARE(machine_->Wzc().ControlFlags("{FIRST}").value, 0x0001u);
    QCOMPARE(machine_->Log().Count("ControlService") + machine_->Log().Count("StartService"),
             std::size_t{0});
  }

  void waitingCyclesTheFramesAndTheTimerRepairsOnce() {
    TFrmTroubleShooter form(Platform(), messages_, nullptr);
    QCOMPARE(form.Timer1()->interval(), 3000);
    QVERIFY(form.Timer1()->isActive());
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(Pictures(form), QString("010"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(Pictures(form), QString("001"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(Pictures(form), QString("100"), 5000);
    QCOMPARE(form.lbl1->text(), QString("Starting Microsoft Windows WIFI Service ..."));

    form.Timer1Timer();
    QVERIFY(!form.Timer1()->isActive());
    QCOMPARE(machine_->Log().Count("WriteControlFlags"), std::size_t{1});
    QCOMPARE(machine_->Wzc().ControlFlags("{FIRST}").value, 0x8001u);
    QCOMPARE(machine_->Services().State("wzcsvc"), platform::kServiceRunning);
  }

  void successAndFailureLooks() {
    {
      TFrmTroubleShooter form(Platform(), messages_, nullptr);
      form.show();
      form.Timer1Timer();
      QCOMPARE(form.lbl1->text(), QString("The Windows WIFI service was started successfully."));
      QCOMPARE(form.btnCancel->text(), QString("&Close"));
      // The thread keeps re-applying the outcome's picture.
      QTest::qWait(700);
      QCOMPARE(Pictures(form), QString("001"));
    }
    machine_->Wzc().SetKeyOpenable(false);
    TFrmTroubleShooter form(Platform(), messages_, nullptr);
    form.show();
    form.Timer1Timer();
    QCOMPARE(form.lbl1->text(), QString("The Windows WIFI service is not started."));
    QCOMPARE(form.btnCancel->text(), QString("&Close"));
    QTest::qWait(700);
    QCOMPARE(Pictures(form), QString("100"));
    QVERIFY(messages_.shown.isEmpty());
  }

  void aRepairErrorIsShownAndKeepsTheWaitingLook() {
    machine_->Wzc().SetControlFlagsWrongType("{FIRST}");
    TFrmTroubleShooter form(Platform(), messages_, nullptr);
    form.show();
    form.Timer1Timer();
    QCOMPARE(messages_.shown.size(), 1);
    QCOMPARE(messages_.shown[0].text, QString("Invalid data type for 'ControlFlags'"));
    QCOMPARE(form.lbl1->text(), QString("Starting Microsoft Windows WIFI Service ..."));
    QCOMPARE(form.btnCancel->text(), QString("&Cancel"));
    QVERIFY(!form.Timer1()->isActive());
    QCOMPARE(machine_->Services().State("wzcsvc"), platform::kServiceRunning);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  }

  void aCheckErrorLeavesTheCommandWithoutAWindow() {
    machine_->Log().FailCall("OpenService", 1060);
    QVERIFY_THROWS_EXCEPTION(OsError, actTroubleShooterExecute(Platform(), messages_, nullptr));
    for (QWidget* window : QApplication::topLevelWidgets())
      QVERIFY(window->objectName() != "FrmTroubleShooter");
  }

  void aWindowThatNeverShowedEndsItsThreadAtOnce() {
    auto form = std::make_unique<TFrmTroubleShooter>(Platform(), messages_, nullptr);
    QVERIFY(!form->AnimateThread().isRunning());
    form.reset();  // a thread blocked for ever would hang here
  }

 private:
  TroubleShooterPlatform Platform() { return TroubleShooterPlatformOf(*machine_); }

  std::unique_ptr<sim::SimMachine> machine_;
  RecordingPresenter messages_;
};

QTEST_MAIN(TroubleShooterWindowTest)
#include "TroubleShooterWindowTest.moc"
