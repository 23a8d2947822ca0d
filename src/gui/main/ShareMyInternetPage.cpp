#include "gui/main/ShareMyInternetPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/kit/ActionButton.h"
#include "gui/kit/Artwork.h"
#include "gui/kit/LinkLabel.h"
#include "gui/kit/PageWidgets.h"
#include "gui/kit/Palette.h"
#include "gui/kit/PicturePair.h"
#include "gui/main/ConnectedDevicesGroup.h"
#include "gui/main/MainActions.h"

namespace orvane::ui {
namespace {

// One connection group: pictures on the left, then the status line with its picker button,
// and the description below.
QGroupBox* ConnectionGroup(const QString& title, PicturePair* pictures, QLabel* status,
                           QPushButton* select, QPlainTextEdit* memo, QWidget* parent) {
  QGroupBox* group = MakeGroup(title, parent);
  for (QWidget* child : std::initializer_list<QWidget*>{pictures, status, select, memo}) {
    child->setParent(group);
  }
  QFont normal = select->font();
  normal.setBold(false);
  select->setFont(normal);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(12);
  grid->addWidget(pictures, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(status, 0, 1);
  grid->addWidget(select, 0, 2);
  grid->addWidget(memo, 1, 1, 1, 2);
  grid->setColumnStretch(1, 1);
  return group;
}

}  // namespace

ShareMyInternetPage::ShareMyInternetPage(MainActions& actions, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tbShareMyInternet"));
  using artwork::Subject;

  QLabel* intro = MakeLabel(QStringLiteral("Label3"),
                            QStringLiteral("To share your Internet, please select the connection "
                                           "through which Internet goes live on this computer."),
                            this);
  Label2 = new LinkLabel(QStringLiteral("Click here"), actions.actConnectToVelmora, this);
  Label2->setObjectName(QStringLiteral("Label2"));
  QLabel* howTo = MakeLabel(QStringLiteral("Label1"),
                            QStringLiteral("to find out how to enjoy your sharing."), this);
  howTo->setWordWrap(false);
  auto* linkRow = new QHBoxLayout;
  linkRow->setSpacing(4);
  linkRow->addWidget(Label2);
  linkRow->addWidget(howTo);
  linkRow->addStretch(1);

  wiredPictures = new PicturePair(
      QStringLiteral("imgWiredConnected"), artwork::StatusPicture(Subject::kWired, true),
      QStringLiteral("imgWiredDisconnected"), artwork::StatusPicture(Subject::kWired, false), this);
  wiredPictures->ShowConnected(true);
  lblWiredStatus = MakeBoldLabel(QStringLiteral("lblWiredStatus"), QStringLiteral("<NULL>"), this);
  SetTextColour(lblWiredStatus, ToColor(kGreen));
  btnSource = new QPushButton(QStringLiteral("Select..."), this);
  btnSource->setObjectName(QStringLiteral("btnSource"));
  mmoSrcConnDescription = MakeMemo(QStringLiteral("mmoSrcConnDescription"), this);

  wirelessPictures = new PicturePair(QStringLiteral("imgWirelessConnected"),
                                     artwork::StatusPicture(Subject::kWireless, true),
                                     QStringLiteral("imgWirelessDisconnected"),
                                     artwork::StatusPicture(Subject::kWireless, false), this);
  wirelessPictures->ShowConnected(false);
  lblWirelessStatus =
      MakeBoldLabel(QStringLiteral("lblWirelessStatus"), QStringLiteral("Not found."), this);
  SetTextColour(lblWirelessStatus, ToColor(kRed));
  btnSelectDest = new QPushButton(QStringLiteral("Select..."), this);
  btnSelectDest->setObjectName(QStringLiteral("btnSelectDest"));
  mmoWirelessDescription = MakeMemo(QStringLiteral("mmoWirelessDescription"), this);
  mmoWirelessDescription->setPlainText(
      QStringLiteral("Please make sure the Wi-Fi switch is turned on."));

  lblStartSharing = MakeLabel(QStringLiteral("lblStartSharing"), QString(), this);
  SetTextColour(lblStartSharing, kNavy);
  lblSharingWay = MakeLabel(QStringLiteral("lblSharingWay"), QString(), this);
  lblSharingWay->setWordWrap(true);
  lblSharingWay->setVisible(false);
  grpConnectedDevices = new ConnectedDevicesGroup(this);
  grpConnectedDevices->setVisible(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(new ActionButton(QStringLiteral("btnRefresh2"), actions.actRefresh2, this));
  buttons->addWidget(
      new ActionButton(QStringLiteral("SpeedButton1"), actions.actStartSharing, this));
  buttons->addWidget(
      new ActionButton(QStringLiteral("SpeedButton2"), actions.actStopSharing, this));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setSpacing(8);
  layout->addWidget(intro);
  layout->addLayout(linkRow);
  layout->addWidget(
      ConnectionGroup(QStringLiteral("My connection  through which Internet goes live"),
                      wiredPictures, lblWiredStatus, btnSource, mmoSrcConnDescription, this));
  layout->addWidget(ConnectionGroup(QStringLiteral("My Wireless Connection Status"),
                                    wirelessPictures, lblWirelessStatus, btnSelectDest,
                                    mmoWirelessDescription, this));
  layout->addWidget(lblStartSharing);
  layout->addWidget(lblSharingWay);
  layout->addWidget(grpConnectedDevices, 4);
  layout->addStretch(1);
  layout->addLayout(buttons);
}

}  // namespace orvane::ui
