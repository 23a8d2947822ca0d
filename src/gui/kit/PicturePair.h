#pragma once

#include <QWidget>

class QLabel;

namespace orvane::ui {

// Two pictures on one spot, "connected" and "disconnected", of which one is visible at a time.
// The labels carry the given object names so each picture can be found by name.
class PicturePair : public QWidget {
  Q_OBJECT
 public:
  PicturePair(const QString& connectedName, const QPixmap& connected,
              const QString& disconnectedName, const QPixmap& disconnected,
              QWidget* parent = nullptr);
  void ShowConnected(bool connected);

 private:
  QLabel* connected_;
  QLabel* disconnected_;
};

}  // namespace orvane::ui
