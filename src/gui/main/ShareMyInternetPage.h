#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orvane::ui {

class ConnectedDevicesGroup;
class MainActions;
class PicturePair;

// The "Share My Internet" page: the source and destination connections and the sharing
// commands.
class ShareMyInternetPage : public QWidget {
  Q_OBJECT
 public:
  ShareMyInternetPage(MainActions& actions, QWidget* parent = nullptr);

  QLabel* Label2;
  PicturePair* wiredPictures;
  QLabel* lblWiredStatus;
  QPushButton* btnSource;
  QPlainTextEdit* mmoSrcConnDescription;
  PicturePair* wirelessPictures;
  QLabel* lblWirelessStatus;
  QPushButton* btnSelectDest;
  QPlainTextEdit* mmoWirelessDescription;
  QLabel* lblStartSharing;
  // How the running share's wireless network was made; hidden while there is nothing to say.
  QLabel* lblSharingWay;
  // Shown while sharing runs.
  ConnectedDevicesGroup* grpConnectedDevices;
};

}  // namespace orvane::ui
