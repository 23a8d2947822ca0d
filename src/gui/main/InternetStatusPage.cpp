#include "gui/main/InternetStatusPage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/kit/ActionButton.h"
#include "gui/kit/Artwork.h"
#include "gui/kit/PageWidgets.h"
#include "gui/kit/PicturePair.h"
#include "gui/main/MainActions.h"

namespace orvane::ui {

InternetStatusPage::InternetStatusPage(MainActions& actions, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tbInternetStatus"));
  using artwork::Subject;

  QGroupBox* group = MakeGroup(QStringLiteral("My Internet Status"), this);
  internetPictures = new PicturePair(QStringLiteral("imgInternetConnected"),
                                     artwork::StatusPicture(Subject::kInternet, true),
                                     QStringLiteral("imgInternetDisconnected"),
                                     artwork::StatusPicture(Subject::kInternet, false), group);
  // Before the first check both pictures stand as the form has them: the connected one on top.
  internetPictures->ShowConnected(true);
  lblInternetStatus =
      MakeBoldLabel(QStringLiteral("lblInternetStatus"), QStringLiteral("Internet Status"), group);
  auto* groupRow = new QHBoxLayout(group);
  groupRow->setContentsMargins(16, 12, 16, 12);
  groupRow->setSpacing(16);
  groupRow->addWidget(internetPictures);
  groupRow->addWidget(lblInternetStatus, 1);
  groupRow->addWidget(new ActionButton(QStringLiteral("btnRefresh1"), actions.actRefresh2, group));

  QLabel* instruction = MakeLabel(
      QStringLiteral("lblInstruction"),
      QStringLiteral("Instruction\r\n\r\nIf this computer is connected to Internet. And you want "
                     "to share the Internet to another computer or WiFi-enabled device, please "
                     "click \"Share My Internet\" tab to find how.\r\n"),
      this);
  QLabel* throughOther = MakeLabel(
      QStringLiteral("Label8"),
      QStringLiteral("If this computer will be connected to Internet THROUGH another computer's "
                     "sharing, please click the button below to find how. "),
      this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setSpacing(10);
  layout->addWidget(group);
  layout->addSpacing(6);
  layout->addWidget(instruction);
  layout->addWidget(
      new ActionButton(QStringLiteral("btnShareMyInternet"), actions.actShareMyInternet, this), 0,
      Qt::AlignLeft);
  layout->addSpacing(10);
  layout->addWidget(throughOther);
  layout->addWidget(
      new ActionButton(QStringLiteral("btnConnectToVelmora"), actions.actConnectToVelmora, this), 0,
      Qt::AlignLeft);
  layout->addStretch(1);
}

}  // namespace orvane::ui
