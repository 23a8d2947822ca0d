#pragma once

#include <QWidget>

class QLabel;

namespace orvane::ui {

class MainActions;

// The "Connect to" page: join a nearby computer that shares, and the name and key others
// need to join this one.
class ConnectToPage : public QWidget {
  Q_OBJECT
 public:
  ConnectToPage(MainActions& actions, QWidget* parent = nullptr);

  QLabel* lblDesc31;
  QLabel* lblVelmoraFound;
  QLabel* lblConnectToVelmora;
  QLabel* lblSSID;
  QLabel* lblPassword;
};

}  // namespace orvane::ui
