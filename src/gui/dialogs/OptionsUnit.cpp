#include "gui/dialogs/OptionsUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/IMainView.h"
#include "gui/kit/DesignMetrics.h"
#include "gui/kit/MessagePresenter.h"
#include "gui/kit/PageWidgets.h"
#include "gui/kit/Palette.h"
#include "gui/kit/Translation.h"

namespace orvane::ui {
namespace {

QLabel* RestartMark(const QString& name, QWidget* parent) {
  QLabel* mark = MakeLabel(name, QStringLiteral(" * "), parent);
  mark->setWordWrap(false);
  SetTextColour(mark, ToColor(kRed));
  return mark;
}

QCheckBox* MakeCheckBox(const QString& name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

}  // namespace

TOptionsForm::TOptionsForm(MessagePresenter& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      PageControl1(new QTabWidget(this)),
      tsPassword(new QWidget),
      TabSheet2(new QWidget),
      edtSSID(new QLineEdit(tsPassword)),
      edtPassword(new QLineEdit(tsPassword)),
      cmbSecurity(new QComboBox(tsPassword)),
      chkAutoRun(MakeCheckBox(QStringLiteral("chkAutoRun"), QStringLiteral("Autorun with Windows"),
                              TabSheet2)),
      chkStartMin(MakeCheckBox(QStringLiteral("chkStartMin"), QStringLiteral("Start minimized"),
                               TabSheet2)),
      chkCheckForUpdates(
          MakeCheckBox(QStringLiteral("chkCheckForUpdates"),
                       QStringLiteral("Notify me if there is a new version available"), TabSheet2)),
      chkGuestsReachLocalNetwork(MakeCheckBox(QStringLiteral("chkGuestsReachLocalNetwork"),
                                              QStringLiteral("Guests may reach my local network"),
                                              tsPassword)),
      Button1(new QPushButton(QStringLiteral("&OK"), this)),
      Button2(new QPushButton(QStringLiteral("&Cancel"), this)),
      messages_(messages) {
  setObjectName(QStringLiteral("OptionsForm"));
  setWindowTitle(QStringLiteral("Options"));
  UseDesignFont(this, QStringLiteral("Tahoma"), 8);

  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  tsPassword->setObjectName(QStringLiteral("tsPassword"));
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  edtSSID->setObjectName(QStringLiteral("edtSSID"));
  edtPassword->setObjectName(QStringLiteral("edtPassword"));
  cmbSecurity->setObjectName(QStringLiteral("cmbSecurity"));
  cmbSecurity->addItem(QString::fromLatin1(kSecurityWpa2Choice));
  cmbSecurity->addItem(QString::fromLatin1(kSecurityWepChoice));

  // "Wireless Network": name and key, each marked as taking effect at the next start.
  auto* wireless = new QGridLayout(tsPassword);
  wireless->setContentsMargins(16, 8, 16, 8);
  wireless->setColumnMinimumWidth(0, 39);
  wireless->addWidget(
      MakeLabel(QStringLiteral("Label1"), QStringLiteral("Network Name (SSID)"), tsPassword), 0, 0,
      1, 3);
  wireless->addWidget(edtSSID, 1, 1);
  wireless->addWidget(RestartMark(QStringLiteral("Label3"), tsPassword), 1, 2);
  wireless->addWidget(
      MakeLabel(QStringLiteral("Label2"), QStringLiteral("Password (Network key)"), tsPassword), 2,
      0, 1, 3);
  wireless->addWidget(edtPassword, 3, 1);
  wireless->addWidget(RestartMark(QStringLiteral("Label4"), tsPassword), 3, 2);
  // The security right under the key, whose rule it decides.
  cmbSecurity->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  wireless->addWidget(cmbSecurity, 4, 1, 1, 2, Qt::AlignLeft);
  Label5 = MakeLabel(QStringLiteral("Label5"), QString::fromLatin1(kWpa2KeyRule), tsPassword);
  SetTextColour(Label5, kNavy);
  wireless->addWidget(Label5, 5, 1, 1, 3);
  QLabel* restart = MakeLabel(QStringLiteral("Label6"),
                              QStringLiteral("* Application restart required."), tsPassword);
  SetTextColour(restart, ToColor(kRed));
  wireless->addWidget(restart, 6, 0, 1, 3);
  // Off: guests reach the Internet only, not the devices and services of the owner's network.
  wireless->addWidget(chkGuestsReachLocalNetwork, 7, 0, 1, 4);
  wireless->setColumnStretch(3, 1);
  wireless->setRowStretch(8, 1);
  for (QLineEdit* edit : {edtSSID, edtPassword}) edit->setFixedWidth(137);
  connect(cmbSecurity, &QComboBox::currentIndexChanged, this, &TOptionsForm::ShowKeyRule);

  auto* general = new QVBoxLayout(TabSheet2);
  general->setContentsMargins(22, 14, 16, 8);
  for (QCheckBox* box : {chkAutoRun, chkStartMin, chkCheckForUpdates}) general->addWidget(box);
  general->addStretch(1);

  PageControl1->addTab(tsPassword, QStringLiteral("Wireless Network"));
  PageControl1->addTab(TabSheet2, QStringLiteral("General"));
  PageControl1->setCurrentWidget(tsPassword);

  auto* bevel = new QFrame(this);
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);

  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button1->setAutoDefault(true);
  Button2->setObjectName(QStringLiteral("Button2"));
  for (QPushButton* button : {Button1, Button2}) button->setFixedSize(75, 25);
  connect(Button1, &QPushButton::clicked, this, &TOptionsForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addSpacing(16);
  buttons->addWidget(Button2);
  buttons->addSpacing(45);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 7, 10, 13);
  layout->addWidget(PageControl1, 1);
  layout->addWidget(bevel);
  layout->addLayout(buttons);

  TranslateComponent(this);
  // The translation layer does not reach a combo box's items.
  cmbSecurity->setItemText(0, Translate(kSecurityWpa2Choice));
  cmbSecurity->setItemText(1, Translate(kSecurityWepChoice));
  cmbSecurity->setAccessibleName(Translate("Security"));
  // Sized once the texts are in the user's language.
  UseDesignFixedSize(this, QSize(377, 284));
}

void TOptionsForm::Fill(const OptionsValues& values) {
  chkAutoRun->setChecked(values.AutoRun);
  chkCheckForUpdates->setChecked(values.CheckForUpdates);
  chkStartMin->setChecked(values.StartMinimized);
  edtSSID->setText(QString::fromStdString(values.SSID));
  edtPassword->setText(QString::fromStdString(values.Password));
  cmbSecurity->setCurrentIndex(values.Security == NetworkSecurity::Wep ? 1 : 0);
  chkGuestsReachLocalNetwork->setChecked(values.GuestsReachLocalNetwork);
  ShowKeyRule();
}

NetworkSecurity TOptionsForm::ChosenSecurity() const {
  return cmbSecurity->currentIndex() == 1 ? NetworkSecurity::Wep : NetworkSecurity::Wpa2;
}

void TOptionsForm::ShowKeyRule() {
  Label5->setText(Translate(KeyRuleText(ChosenSecurity())));
}

OptionsValues TOptionsForm::Values() const {
  return {chkAutoRun->isChecked(),
          chkStartMin->isChecked(),
          chkCheckForUpdates->isChecked(),
          edtSSID->text().toStdString(),
          edtPassword->text().toStdString(),
          ChosenSecurity(),
          chkGuestsReachLocalNetwork->isChecked()};
}

void TOptionsForm::Button1Click() {
  const auto error = OptionsInputError(edtSSID->text().toStdString(),
                                       edtPassword->text().toStdString(), ChosenSecurity());
  if (!error) {
    accept();
    return;
  }
  messages_.Show(this, Translate(kMessageCaption), Translate(error->c_str()),
                 QMessageBox::Critical);
}

}  // namespace orvane::ui
