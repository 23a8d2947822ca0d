#pragma once

#include <QGroupBox>
#include <vector>

#include "network/ConnectedDevices.h"

class QLabel;
class QTreeWidget;

namespace orvane::ui {

// The devices that use the sharing: name, hardware address, IPv4 address and since when.
class ConnectedDevicesGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit ConnectedDevicesGroup(QWidget* parent = nullptr);

  void ShowDevices(const std::vector<TConnectedDevice>& devices);
  // The line that says no other device can join; an empty text hides it.
  void ShowLimit(const QString& text);
  // The column titles in the user's language (the window's own texts are translated as a whole).
  void TranslateHeaders();

  QTreeWidget* lvConnectedDevices;
  QLabel* lblNoDevices;
  QLabel* lblGuestLimit;
};

}  // namespace orvane::ui
