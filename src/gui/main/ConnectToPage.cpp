#include "gui/main/ConnectToPage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/IMainView.h"
#include "gui/kit/ActionButton.h"
#include "gui/kit/PageWidgets.h"
#include "gui/kit/Palette.h"
#include "gui/kit/Translation.h"
#include "gui/main/JoinCodeImage.h"
#include "gui/main/MainActions.h"

namespace orvane::ui {
namespace {

constexpr int kJoinCodeModulePixels = 4;

}  // namespace

ConnectToPage::ConnectToPage(MainActions& actions, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tbConnectToVelmora"));

  lblDesc31 = MakeLabel(QStringLiteral("lblDesc31"), QString(), this);
  lblVelmoraFound = MakeBoldLabel(QStringLiteral("lblVelmoraFound"), QString(), this);
  SetTextColour(lblVelmoraFound, ToColor(kGreen));
  lblConnectToVelmora = MakeLabel(QStringLiteral("lblConnectToVelmora"), QString(), this);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(new ActionButton(QStringLiteral("btnRefresh3"), actions.actRefresh2, this));
  buttons->addWidget(new ActionButton(QStringLiteral("SpeedButton3"), actions.actConnect, this));
  buttons->addWidget(
      new ActionButton(QStringLiteral("btnDisconnect"), actions.actDisconnect, this));
  buttons->addStretch(1);

  QLabel* note = MakeLabel(
      QStringLiteral("Label5"),
      QStringLiteral("Note: If you want to share the Interent with your other Wi-Fi enabled "
                     "devices, such as iPhone, PDA or Mac Book, switch on the Wi-Fi on the "
                     "device, search for the wireless signal below to connect."),
      this);
  lblSSID = MakeLabel(QStringLiteral("lblSSID"), QString(), this);
  lblPassword = MakeLabel(QStringLiteral("lblPassword"), QString(), this);
  for (QLabel* value : {lblSSID, lblPassword}) {
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetTextColour(value, kNavy);
  }
  QLabel* ssidCaption =
      MakeLabel(QStringLiteral("Label6"), QStringLiteral("Wireless network name (SSID): "), this);
  QLabel* passwordCaption =
      MakeLabel(QStringLiteral("Label7"), QStringLiteral("Connection Password: "), this);
  auto* values = new QFormLayout;
  for (QLabel* caption : {ssidCaption, passwordCaption}) caption->setWordWrap(false);
  values->addRow(ssidCaption, lblSSID);
  values->addRow(passwordCaption, lblPassword);

  lblJoinCode = MakeLabel(QStringLiteral("lblJoinCode"),
                          QStringLiteral("Scan this code with a phone to join the network."), this);
  imgJoinCode = new QLabel(this);
  imgJoinCode->setObjectName(QStringLiteral("imgJoinCode"));
  imgJoinCode->setAccessibleName(lblJoinCode->text());
  auto* joinCode = new QVBoxLayout;
  lblNetworkProblem = MakeLabel(QStringLiteral("lblNetworkProblem"), QString(), this);
  lblNetworkProblem->setWordWrap(true);
  lblNetworkProblem->setVisible(false);
  joinCode->addWidget(lblNetworkProblem);
  joinCode->addWidget(lblJoinCode);
  joinCode->addWidget(imgJoinCode, 0, Qt::AlignLeft);
  joinCode->addStretch(1);
  lblJoinCode->setVisible(false);
  imgJoinCode->setVisible(false);

  lblWeakSecurity = MakeLabel(QStringLiteral("lblWeakSecurity"), QString(), this);
  SetTextColour(lblWeakSecurity, ToColor(kRed));
  lblWeakSecurity->setVisible(false);

  auto* valuesColumn = new QVBoxLayout;
  valuesColumn->addLayout(values);
  valuesColumn->addWidget(lblWeakSecurity);
  valuesColumn->addWidget(new ActionButton(QStringLiteral("btnOptions"), actions.actOptions, this),
                          0, Qt::AlignLeft);
  valuesColumn->addStretch(1);
  auto* valuesRow = new QHBoxLayout;
  valuesRow->addLayout(valuesColumn, 1);
  valuesRow->addLayout(joinCode);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setSpacing(10);
  layout->addWidget(lblDesc31);
  layout->addWidget(lblVelmoraFound);
  layout->addWidget(lblConnectToVelmora);
  layout->addLayout(buttons);
  layout->addSpacing(16);
  layout->addWidget(note);
  layout->addLayout(valuesRow, 1);
}

void ConnectToPage::ShowJoinCode(const QString& text) {
  if (text == joinCodeText_) return;
  joinCodeText_ = text;
  const QImage image =
      text.isEmpty() ? QImage() : JoinCodeImage(text.toUtf8(), kJoinCodeModulePixels);
  imgJoinCode->setPixmap(QPixmap::fromImage(image));
  lblJoinCode->setVisible(!image.isNull());
  imgJoinCode->setVisible(!image.isNull());
}

void ConnectToPage::ShowNetworkProblem(const QString& text) {
  if (text == lblNetworkProblem->text()) return;
  lblNetworkProblem->setText(text);
  lblNetworkProblem->setVisible(!text.isEmpty());
}

}  // namespace orvane::ui

namespace orvane::ui {

void ConnectToPage::ShowWeakSecurityWarning(bool weak) {
  // Set when shown, so the text is in the language of the moment.
  if (weak)
    lblWeakSecurity->setText(
        Translate("This network uses WEP, an old and weak security. Choose WPA2 in Options to "
                  "protect it."));
  lblWeakSecurity->setVisible(weak);
}

}  // namespace orvane::ui
