// The main window's dialogs on the simulated machine, opened through the window's controls:
// the connection picker, the Options dialog, the About box and the help commands.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

#include "RecordingPresenter.h"
#include "WindowScene.h"
#include "common/UnitGlobal.h"
#include "gui/dialogs/AboutUnit.h"
#include "gui/dialogs/OptionsUnit.h"
#include "gui/dialogs/SelectNetworkFormUnit.h"
#include "gui/kit/ImageList.h"
#include "gui/main/MainDialogs.h"
#include "gui/main/MainWindow.h"
#include "network/AdpUtils.h"

using namespace orvane;
using namespace orvane::ui;

// Takes the links the desktop services are asked to open.
class LinkCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls.append(url); }
};

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QVERIFY(productDir_.isValid());
    scene::LoadProduct(productDir_);
  }

  void init() { Start(platform::kNcsConnected); }

  void cleanup() {
    form_.reset();
    dialogs_.reset();
    ifTable_.reset();
    machine_.reset();
    messages_.shown.clear();
    pendingAct_ = nullptr;
  }

  void dialogsAreMadeOnFirstUseAndKept() {
    // Start-up makes none of them; the first use makes each once, later uses find it again.
    QVERIFY(form_->findChildren<TOptionsForm*>().isEmpty());
    QVERIFY(form_->findChildren<TAboutBox*>().isEmpty());
    QVERIFY(form_->findChildren<TSelectNetworkForm*>().isEmpty());
    WhenModal(About(), [this] { About()->OKButton->click(); });
    Action("actAbout")->trigger();
    QCOMPARE(modalSeen_, 1);
    TAboutBox* first = About();
    WhenModal(first, [first] { first->OKButton->click(); });
    Action("actAbout")->trigger();
    QCOMPARE(modalSeen_, 2);
    QCOMPARE(form_->findChildren<TAboutBox*>(), QList<TAboutBox*>{first});
    QVERIFY(form_->findChildren<TOptionsForm*>().isEmpty());
  }

  void pickerWithoutAChoiceChangesNothing() {
    const std::string shownSource = form_->Workflow().CurrentSourceGUID();
    const std::string shownDest = form_->Workflow().CurrentDestGUID();
    const QString memo = Memo("mmoSrcConnDescription")->toPlainText();
    // Cancel, the close box, and OK with no row selected.
    const std::function<void()> endings[] = {[this] { Picker()->btnCancel->click(); },
                                             [this] { Picker()->close(); },
                                             [this] {
                                               Picker()->ListBox1->setCurrentRow(-1);
                                               Picker()->btnOK->click();
                                             }};
    for (const auto& end : endings) {
      WhenModal(Picker(), [&] {
        QCOMPARE(Picker()->ListBox1->count(), 2);
        Picker()->ListBox1->setCurrentRow(1);
        end();
      });
      Button("btnSource")->click();
      WhenModal(Picker(), end);
      Button("btnSelectDest")->click();
    }
    QCOMPARE(modalSeen_, 6);
    QCOMPARE(form_->Workflow().SourceGUID(), std::string());
    QCOMPARE(form_->Workflow().DestGUID(), std::string());
    QCOMPARE(form_->Workflow().CurrentSourceGUID(), shownSource);
    QCOMPARE(form_->Workflow().CurrentDestGUID(), shownDest);
    QCOMPARE(Memo("mmoSrcConnDescription")->toPlainText(), memo);
  }

  void pickerChoosesByOkOrDoubleClickAndAcceptsTheSameConnectionTwice() {
    WhenModal(Picker(), [this] {
      QCOMPARE(Picker()->lblCaption->text(),
               QString("Please select the connection through which Internet is connected."));
      Picker()->ListBox1->setCurrentRow(1);
      Picker()->btnOK->click();
    });
    Button("btnSource")->click();
    QCOMPARE(form_->Workflow().SourceGUID(), std::string(scene::kWirelessGuid));
    QCOMPARE(form_->Workflow().CurrentSourceGUID(), std::string(scene::kWirelessGuid));
    QCOMPARE(Memo("mmoSrcConnDescription")->toPlainText(),
             QString("Wireless Network Connection - Wireless LAN Card"));

    WhenModal(Picker(), [this] {
      QCOMPARE(Picker()->lblCaption->text(),
               QString("Please select the wireless connection which will broadcast the WiFi "
                       "signal."));
      QListWidget* list = Picker()->ListBox1;
      list->doItemsLayout();
      const QRect row = list->visualItemRect(list->item(1));
      QCOMPARE(row.height(), TSelectNetworkForm::kItemHeight);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    });
    Button("btnSelectDest")->click();
    QCOMPARE(modalSeen_, 2);
    QCOMPARE(form_->Workflow().DestGUID(), std::string(scene::kWirelessGuid));
    QCOMPARE(form_->Workflow().CurrentDestGUID(), std::string(scene::kWirelessGuid));
    // Accepted here; the simulated card can run its own network beside its connection, so one
    // card shares the Wi-Fi it is connected to.
    form_->Workflow().actStartSharingExecute();
    QTRY_VERIFY(!messages_.shown.isEmpty());
    QCOMPARE(messages_.shown.last().text, QString("Your sharing was started successfully!"));
  }

  void pickerRowsShowPictureAndState() {
    cleanup();
    Start(platform::kNcsMediaDisconnected);
    WhenModal(Picker(), [this] {
      QCOMPARE(Picker()->RowTexts(0),
               (QStringList{"Local Area Connection", "Connected", "Gigabit Ethernet Adapter"}));
      QCOMPARE(Picker()->RowTexts(1),
               (QStringList{"Wireless Network Connection", "Disconnected", "Wireless LAN Card"}));
      QCOMPARE(RowPicture(0), Picture(1));  // wired, connected
      QCOMPARE(RowPicture(1), Picture(2));  // wireless with the red cross
      QVERIFY(RowPicture(1) != Picture(3));
      Picker()->btnCancel->click();
    });
    Button("btnSource")->click();
    QCOMPARE(modalSeen_, 1);
  }

  void optionsRefuseABlankNameAndKeysThatDoNotFitTheSecurity() {
    WhenModal(Options(), [this] {
      QCOMPARE(Options()->cmbSecurity->currentIndex(), 0);
      QCOMPARE(Options()->cmbSecurity->currentText(), QString("WPA2-Personal (recommended)"));
      QCOMPARE(Options()->Label5->text(), QString("Password MUST be 8 to 63 characters."));
      Options()->edtSSID->setText("   ");
      Options()->edtPassword->setText("1");
      Options()->Button1->click();
      Options()->edtSSID->setText("Cafe");
      for (const char* key : {"1234567", "caf\xC3\xA9 1234"}) {
        Options()->edtPassword->setText(QString::fromUtf8(key));
        Options()->Button1->click();
      }
      Options()->cmbSecurity->setCurrentIndex(1);
      QCOMPARE(Options()->cmbSecurity->currentText(), QString("WEP (only for older devices)"));
      QCOMPARE(Options()->Label5->text(), QString("Password MUST be 5 or 13 digits or letters."));
      Options()->edtPassword->setText("12345678");
      Options()->Button1->click();
      QVERIFY(Options()->isVisible());
      Options()->edtSSID->setText("  Cafe net ");
      Options()->edtPassword->setText(" 1234567890123 ");
      Options()->Button1->click();
    });
    Action("actOptions")->trigger();
    QCOMPARE(modalSeen_, 1);
    const QStringList expected = {"Please input network name!",
                                  "A WPA2 key must be 8 to 63 characters long.",
                                  "A WPA2 key may contain only plain ASCII letters, digits, "
                                  "blanks and punctuation.",
                                  "Password MUST be 5 or 13 digits or letters."};
    QCOMPARE(messages_.shown.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
      QCOMPARE(messages_.shown.at(i).text, expected.at(i));
      QCOMPARE(messages_.shown.at(i).caption, QString("Message"));
      QCOMPARE(messages_.shown.at(i).icon, QMessageBox::Critical);
      QCOMPARE(messages_.shown.at(i).owner, Options());
    }
    QCOMPARE(form_->Workflow().SSID(), std::string("Cafe net"));
    QCOMPARE(form_->Workflow().Password(), std::string("1234567890123"));
    QVERIFY(form_->Workflow().Security() == NetworkSecurity::Wep);
    // The "Connect to" page shows the new values, and warns of WEP.
    Action("actConnectToVelmora")->trigger();
    QCOMPARE(Label("lblSSID")->text(), QString("Cafe net"));
    QCOMPARE(Label("lblPassword")->text(), QString("1234567890123"));
    QVERIFY(!Label("lblWeakSecurity")->isHidden());

    // Switched back from the page's own button: the warning goes at once.
    WhenModal(Options(), [this] {
      QCOMPARE(Options()->cmbSecurity->currentIndex(), 1);
      Options()->cmbSecurity->setCurrentIndex(0);
      Options()->Button1->click();
    });
    Button("btnOptions")->click();
    QVERIFY(form_->Workflow().Security() == NetworkSecurity::Wpa2);
    QVERIFY(Label("lblWeakSecurity")->isHidden());
  }

  void optionsOkWritesOrRemovesTheAutorunEntryEveryTime() {
    const std::string exe = machine_->System().ExecutablePath();
    for (const bool autoRun : {true, true, false, false}) {
      WhenModal(Options(), [this, autoRun] {
        Options()->chkAutoRun->setChecked(autoRun);
        Options()->chkStartMin->setChecked(autoRun);
        Options()->Button1->click();
      });
      Action("actOptions")->trigger();
      QCOMPARE(form_->Workflow().AutoRun(), autoRun);
      QCOMPARE(form_->Workflow().StartMinimized(), autoRun);
      QCOMPARE(machine_->AutoRun().Value(scene::kProductName),
               autoRun ? std::optional<std::string>(exe) : std::nullopt);
    }
    QCOMPARE(modalSeen_, 4);
    QCOMPARE(machine_->Log().Count("WriteString"), 2u);
    QCOMPARE(machine_->Log().Count("DeleteValue"), 2u);
  }

  void guestsStayOffTheLocalNetworkUntilTheUserAllowsIt() {
    QVERIFY(!machine_->Sharing().GuestsReachLocalNetwork());
    for (const bool allowed : {true, false}) {
      WhenModal(Options(), [this, allowed] {
        QCOMPARE(Options()->chkGuestsReachLocalNetwork->isChecked(), !allowed);
        Options()->chkGuestsReachLocalNetwork->setChecked(allowed);
        Options()->Button1->click();
      });
      Action("actOptions")->trigger();
      // Kept, and handed to the sharing at once: the next share follows it.
      QCOMPARE(form_->Workflow().GuestsReachLocalNetwork(), allowed);
      QCOMPARE(machine_->Sharing().GuestsReachLocalNetwork(), allowed);
    }
  }

  void optionsCancelKeepsEverythingAndReopensOnTheLastPage() {
    WhenModal(Options(), [this] {
      QCOMPARE(Options()->PageControl1->currentWidget(), Options()->tsPassword);
      Options()->edtSSID->setText("Typed");
      Options()->edtPassword->setText("54321");
      Options()->chkAutoRun->setChecked(true);
      Options()->PageControl1->setCurrentWidget(Options()->TabSheet2);
      Options()->Button2->click();
    });
    Action("actOptions")->trigger();
    const std::string key = form_->Workflow().Password();
    QCOMPARE(form_->Workflow().SSID(), std::string(scene::kProductName));
    QVERIFY(key != "54321");
    QVERIFY(!form_->Workflow().AutoRun());
    QCOMPARE(machine_->Log().Count("OpenRunKey"), 0u);

    // The Connect page's own "Options" button opens the same dialog.
    Action("actConnectToVelmora")->trigger();
    WhenModal(Options(), [this, key] {
      QCOMPARE(Options()->PageControl1->currentWidget(), Options()->TabSheet2);
      QCOMPARE(Options()->edtSSID->text(), QString(scene::kProductName));
      QCOMPARE(Options()->edtPassword->text(), QString::fromStdString(key));
      QVERIFY(!Options()->chkAutoRun->isChecked());
      Options()->close();
    });
    Button("btnOptions")->click();
    QCOMPARE(modalSeen_, 2);
    QCOMPARE(form_->Workflow().SSID(), std::string(scene::kProductName));
  }

  void aboutBoxShowsNameVersionAndPage() {
    const std::string exe = machine_->System().ExecutablePath();
    machine_->System().SetFileVersion(exe, {0x00010002, 0x00030004});
    WhenModal(About(), [this] {
      QCOMPARE(About()->SoftName->text(), QString(scene::kProductName));
      QCOMPARE(About()->Version->text(), QString("Version 1.2.3.4"));
      QCOMPARE(About()->URL->text(), QString::fromStdString(ProductURL()));
      About()->OKButton->click();
    });
    Action("actAbout")->trigger();
    machine_->System().RemoveFileVersion(exe);
    WhenModal(About(), [this] {
      QCOMPARE(About()->Version->text(), QString());
      About()->close();
    });
    Action("actAbout")->trigger();
    QCOMPARE(modalSeen_, 2);
  }

  void updateCheckWaitsWithTheHourglassThenAnswers() {
    QList<int> waits;
    form_->SetSleeper([&waits](std::chrono::milliseconds wait) {
      const QCursor* cursor = QGuiApplication::overrideCursor();
      waits.append(cursor != nullptr && cursor->shape() == Qt::WaitCursor
                       ? static_cast<int>(wait.count())
                       : -1);
    });
    Action("actCheckUpdate")->trigger();
    QCOMPARE(waits, QList<int>{3000});
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(messages_.shown.size(), 1);
    QCOMPARE(messages_.shown.at(0).text, QString("There are no new updates available."));
    QCOMPARE(messages_.shown.at(0).caption, QString("Message"));
    QCOMPARE(messages_.shown.at(0).icon, QMessageBox::Information);
    QCOMPARE(messages_.shown.at(0).owner, form_.get());
  }

  void mailAndProductPageOpenInTheUsersPrograms() {
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "Open");
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    Action("actWriteToUs")->trigger();
    About()->URLClick();
    QDesktopServices::unsetUrlHandler("mailto");
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls.at(0).toEncoded(),
             QByteArray("mailto:support@orvane.org?subject=Skylark%20Comments"
                        "&body=Hello%20Support%20Team%2C%0D%0AProduct%20Name%3A%20Skylark%0D%0A"
                        "My%20Windows%20Version%3A%20%0D%0AMy%20Laptop%2FDesktop%20Model%3A%20"
                        "%0D%0AInput%20your%20comments%20here..."));
    QCOMPARE(catcher.urls.at(0).query(QUrl::FullyDecoded),
             QString("subject=Skylark Comments&body=Hello Support Team,\r\nProduct Name: "
                     "Skylark\r\nMy Windows Version: \r\nMy Laptop/Desktop Model: \r\nInput "
                     "your comments here..."));
    QCOMPARE(catcher.urls.at(1), QUrl(QString::fromStdString(ProductURL())));
  }

  void aFailedOpenGoesToTheDiagnosticOutput() {
    // No program takes "mailto:" here: nothing is shown, the reason is written.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot open \"mailto:support@"));
    Action("actWriteToUs")->trigger();
    QCOMPARE(messages_.shown.size(), 0);
  }

 private:
  void Start(uint32_t wirelessStatus) {
    settingsDir_ = std::make_unique<QTemporaryDir>();
    machine_ = std::make_unique<sim::SimMachine>();
    scene::Seed(*machine_, *settingsDir_, wirelessStatus);
    ifTable_ = std::make_unique<InterfaceTableBlock>(machine_->Adapters());
    form_ = std::make_unique<TForm1>(WorkflowPlatformOf(*machine_), *ifTable_, messages_, true);
    dialogs_ = std::make_unique<FormDialogs>(*form_, messages_, machine_->System());
    form_->SetDialogs(dialogs_.get());
    form_->ShowAtStart();
    // The picker's buttons are on this page, which takes input only while it is active.
    form_->findChild<QAction*>("actShareMyInternet")->trigger();
    modalSeen_ = 0;
  }

  // Runs act on dialog once it is open modally and counts it in modalSeen_. A dialog that act
  // left open (a failed check) is closed, so no test waits forever.
  void WhenModal(QDialog* dialog, std::function<void()> act) {
    pendingDialog_ = dialog;
    pendingAct_ = std::move(act);
    triesLeft_ = 200;
    QTimer::singleShot(0, this, &DialogsTest::Poll);
  }
  void Poll() {
    if (!pendingAct_) return;
    if (QApplication::activeModalWidget() == pendingDialog_ && pendingDialog_->isVisible()) {
      ++modalSeen_;
      const auto act = std::move(pendingAct_);
      pendingAct_ = nullptr;
      act();
      if (pendingDialog_->isVisible()) pendingDialog_->reject();
      return;
    }
    if (triesLeft_-- > 0) QTimer::singleShot(10, this, &DialogsTest::Poll);
  }

  QImage RowPicture(int row) {
    QImage canvas(Picker()->ListBox1->width(), TSelectNetworkForm::kItemHeight,
                  QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    Picker()->ListBox1DrawItem(painter, row, canvas.rect(), false, false);
    painter.end();
    return canvas.copy(7, 6, 48, 48);
  }
  QImage Picture(int index) {
    QImage canvas(48, 48, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    Picker()->ImageList1->Draw(painter, 0, 0, index);
    painter.end();
    return canvas;
  }

  QAction* Action(const QString& name) { return form_->findChild<QAction*>(name); }
  QLabel* Label(const QString& name) { return form_->findChild<QLabel*>(name); }
  QPushButton* Button(const QString& name) { return form_->findChild<QPushButton*>(name); }
  QPlainTextEdit* Memo(const QString& name) { return form_->findChild<QPlainTextEdit*>(name); }

  QTemporaryDir productDir_;
  std::unique_ptr<QTemporaryDir> settingsDir_;
  std::unique_ptr<sim::SimMachine> machine_;
  std::unique_ptr<InterfaceTableBlock> ifTable_;
  RecordingPresenter messages_;
  std::unique_ptr<TForm1> form_;
  // The program's dialogs, each made on its first use.
  TOptionsForm* Options() { return &dialogs_->Options(); }
  TAboutBox* About() { return &dialogs_->About(); }
  TSelectNetworkForm* Picker() { return &dialogs_->Picker(); }
  std::unique_ptr<FormDialogs> dialogs_;
  int modalSeen_ = 0;
  QDialog* pendingDialog_ = nullptr;
  std::function<void()> pendingAct_;
  int triesLeft_ = 0;
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
