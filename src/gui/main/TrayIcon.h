#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QIcon;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace orvane::ui {

// The notification-area icon with its menu (pmTrayIcon: Show1, the default item, and
// mniExit1), its hint and its balloon. Tag marks that the balloon was shown in this run.
class TrayIcon : public QObject {
  Q_OBJECT
 public:
  // available: whether the desktop has a notification area to put the icon in. Without one,
  // it asks again every few seconds: a panel started after the program brings one later.
  TrayIcon(bool available, QObject* parent);
  ~TrayIcon() override;

  bool Available() const { return available_; }
  // Asks whether a notification area has appeared (the probe, by default the desktop's answer);
  // the icon then shows there if it is to be visible.
  void CheckAvailability();
  void SetAvailabilityProbe(std::function<bool()> probe) { probe_ = std::move(probe); }
  void SetHint(const QString& hint);
  QString Hint() const;
  void SetIcon(const QIcon& icon);
  void SetVisible(bool visible);
  bool Visible() const;

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  void ShowBalloon(const QString& title, const QString& text, int timeoutMs);

  QMenu* Menu() const { return menu_.get(); }
  QAction* Show1() const { return show1_; }
  QAction* mniExit1() const { return exit1_; }

 signals:
  // A click or double-click on the icon (a StatusNotifier tray knows only "activate"), or the
  // menu's "Open Main Window".
  void OpenRequested();
  // A notification area appeared after the program started.
  void BecameAvailable();
  void ExitRequested();
  void BalloonShown(const QString& title, const QString& text, int timeoutMs);

 private:
  bool available_;
  bool wanted_ = false;  // to be visible once there is somewhere to show it
  std::function<bool()> probe_;
  QTimer* availabilityTimer_ = nullptr;
  int tag_ = 0;
  // A menu has no parent object to own it; the icon's menu lives as long as the icon.
  std::unique_ptr<QMenu> menu_;
  QAction* show1_;
  QAction* exit1_;
  QSystemTrayIcon* icon_;
};

}  // namespace orvane::ui
