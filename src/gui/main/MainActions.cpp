#include "gui/main/MainActions.h"

#include <QAction>

#include "gui/kit/Artwork.h"
#include "gui/kit/ImageList.h"

namespace orvane::ui {

MainActions::MainActions(const ImageList& smallImages, QObject* parent)
    : QObject(parent),
      actStartSharing(Make("actStartSharing", QStringLiteral("Start Sharing"))),
      actStopSharing(Make("actStopSharing", QStringLiteral("Stop"))),
      actConnect(Make("actConnect", QString())),
      actDisconnect(Make("actDisconnect", QStringLiteral("Disconnect"))),
      actRefresh2(Make("actRefresh2", QStringLiteral("Refresh"))),
      actShareMyInternet(Make("actShareMyInternet", QStringLiteral("Share my Internet"))),
      actConnectToVelmora(Make("actConnectToVelmora", QString())),
      actExit(Make("actExit", QStringLiteral("&Exit"))),
      actOptions(Make("actOptions", QStringLiteral("Options"))),
      actCheckUpdate(Make("actCheckUpdate", QStringLiteral("Check for updates"))),
      actWriteToUs(Make("actWriteToUs", QStringLiteral("Write comments to developer"))),
      actAbout(Make("actAbout", QStringLiteral("A&bout"))),
      actTroubleShooter(Make("actTroubleShooter", QStringLiteral("actTroubleShooter"))) {
  setObjectName(QStringLiteral("ActionList1"));
  actShareMyInternet->setIcon(smallImages.Picture(artwork::kShareImage));
  actConnectToVelmora->setIcon(smallImages.Picture(artwork::kConnectImage));
  actExit->setIcon(smallImages.Picture(artwork::kExitImage));
  actOptions->setIcon(smallImages.Picture(artwork::kOptionsImage));
  actCheckUpdate->setIcon(smallImages.Picture(artwork::kUpdateImage));
  actWriteToUs->setIcon(smallImages.Picture(artwork::kCommentsImage));
  actAbout->setIcon(smallImages.Picture(artwork::kAboutImage));
}

QAction* MainActions::Make(const char* name, const QString& caption) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace orvane::ui
