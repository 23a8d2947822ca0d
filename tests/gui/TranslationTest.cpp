// A user whose locale is German sees the windows and their messages in German.
#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "RecordingPresenter.h"
#include "WindowScene.h"
#include "app/WorkflowTexts.h"
#include "gui/dialogs/AboutUnit.h"
#include "gui/dialogs/OptionsUnit.h"
#include "gui/dialogs/SelectNetworkFormUnit.h"
#include "gui/main/MainWindow.h"
#include "gui/main/PageControl.h"
#include "gui/main/TrayIcon.h"
#include "network/AdpUtils.h"

using namespace orvane;
using namespace orvane::ui;

class TranslationTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    // Before the first window: the catalogues are chosen once, by the locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    scene::LoadProduct(productDir_);
    scene::Seed(machine_, settingsDir_);
    ifTable_ = std::make_unique<InterfaceTableBlock>(machine_.Adapters());
    form_ = std::make_unique<TForm1>(WorkflowPlatformOf(machine_), *ifTable_, messages_, true);
  }

  void cleanupTestCase() { form_.reset(); }

  void mainWindowIsTranslated() {
    QCOMPARE(form_->findChild<QAction*>("actExit")->text(), QString("&Beenden"));
    QCOMPARE(form_->findChild<QAction*>("actOptions")->text(), QString("Optionen"));
    QCOMPARE(form_->Pages().tabText(0), QString("Internetstatus"));
    QCOMPARE(form_->findChild<QPushButton*>("btnSource")->text(), QString("Auswählen..."));
    QCOMPARE(form_->Tray().mniExit1()->text(), QString("B&eenden"));
    QCOMPARE(form_->findChild<QPlainTextEdit*>("mmoWirelessDescription")->toPlainText(),
             QString("Bitte achten Sie darauf, dass der WLAN-Schalter eingeschaltet ist."));
    QCOMPARE(form_->findChild<QTreeWidget*>("lvConnectedDevices")->headerItem()->text(1),
             QString("Hardwareadresse"));
    form_->ShowInformation("Your sharing was started successfully!");
    QCOMPARE(messages_.shown.last().caption, QString("Meldung"));
    QCOMPARE(messages_.shown.last().text, QString("Die Freigabe wurde erfolgreich gestartet!"));
    form_->SetNearbySignalText(texts::NearbySignalText());
    QCOMPARE(form_->findChild<QLabel*>("lblVelmoraFound")->text(),
             QString("%1-Signal in der Nähe gefunden").arg(scene::kProductName));
    // A reason the catalogue lacks keeps its wording after the translated sentence before it.
    form_->ShowError(texts::NetworkNotCreatedMessage("wlan0: no access point mode"));
    QCOMPARE(
        messages_.shown.last().text,
        QString("Ihre Freigabe wurde gestartet, aber das Drahtlosnetzwerk konnte nicht erstellt "
                "werden.\r\n\r\nwlan0: no access point mode"));
  }

  // One card for both: what the page says of it, and why sharing stopped when its network went.
  void oneCardTextsAreTranslated() {
    form_->SetSharingGuidance(texts::kOneCardSharingAvailable, "");
    QCOMPARE(form_->findChild<QLabel*>("lblStartSharing")->text(),
             QString("Ihre WLAN-Verbindung kann über dieselbe Karte freigegeben werden,\r\n"
                     "klicken Sie auf „Freigabe starten“, um Ihr eigenes Netzwerk daneben auf "
                     "demselben Kanal zu öffnen."));
    for (const char* refusal : {texts::kOneCardUnknown, texts::kOneCardNotConnected,
                                texts::kOneCardNoAccessPoint, texts::kOneCardNoCombination}) {
      form_->SetSharingGuidance(refusal, "");
      QVERIFY2(form_->findChild<QLabel*>("lblStartSharing")
                   ->text()
                   .startsWith("Ihre WLAN-Verbindung kann nicht über dieselbe Karte"),
               refusal);
    }
    form_->ShowError(texts::SharedNetworkLostMessage("the Wi-Fi network of wlan0 was lost"));
    QVERIFY(messages_.shown.last().text.startsWith("Das WLAN, das Sie über dieselbe Karte"));
    QVERIFY(messages_.shown.last().text.endsWith("\r\n\r\nthe Wi-Fi network of wlan0 was lost"));
  }

  // The catalogue holds these with a placeholder for the name, which it cannot know.
  void textsAroundTheNameAreTranslated() {
    const QString connect = QString("Mit %1 verbinden").arg(scene::kProductName);
    QCOMPARE(form_->findChild<QAction*>("actConnectToVelmora")->text(), connect);
    QCOMPARE(form_->findChild<QAction*>("actConnect")->text(), connect);
    QCOMPARE(form_->Pages().tabText(2), connect);
    QVERIFY(form_->findChild<QLabel*>("lblDesc31")
                ->text()
                .startsWith(QString("Wenn in der Nähe ein %1 läuft").arg(scene::kProductName)));
    form_->ShowInformation(texts::DisconnectedMessage());
    QCOMPARE(messages_.shown.last().text,
             QString("Die Verbindung mit %1 wurde erfolgreich getrennt!").arg(scene::kProductName));
    form_->ShowInformation(texts::ConnectingMessage());
    QCOMPARE(messages_.shown.last().text,
             QString("Fertig! Bitte warten Sie einige Sekunden, bis die Verbindung hergestellt "
                     "ist...\r\n\r\n[Hinweis] Wenn in der Nähe kein %1 läuft, schlägt die "
                     "Verbindung fehl.")
                 .arg(scene::kProductName));
    // A text around the name that the catalogue lacks keeps its English wording, name and all.
    const std::string unknown = std::string("No ") + scene::kProductName + " on this channel";
    form_->ShowError(unknown);
    QCOMPARE(messages_.shown.last().text, QString::fromStdString(unknown));
  }

  void dialogsAreTranslated() {
    TOptionsForm options(messages_, form_.get());
    QCOMPARE(options.windowTitle(), QString("Optionen"));
    QCOMPARE(options.chkStartMin->text(), QString("Minimiert starten"));
    QCOMPARE(options.Button2->text(), QString("&Abbrechen"));
    QCOMPARE(options.PageControl1->tabText(1), QString("Allgemein"));
    options.edtSSID->setText(" ");
    options.Button1Click();
    QCOMPARE(messages_.shown.last().text, QString("Bitte geben Sie einen Netzwerknamen ein!"));

    TSelectNetworkForm picker(form_.get());
    QCOMPARE(picker.windowTitle(), QString("Verbindung auswählen"));
    TAboutBox about(machine_.System(), form_.get());
    QCOMPARE(about.windowTitle(), QString("Info"));
  }

  void qtsOwnButtonsFollow() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QString("Abbrechen"));
  }

 private:
  QTemporaryDir productDir_;
  QTemporaryDir settingsDir_;
  sim::SimMachine machine_;
  std::unique_ptr<InterfaceTableBlock> ifTable_;
  RecordingPresenter messages_;
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
