#include "gui/main/TrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>

namespace orvane::ui {
namespace {

// A panel that starts with the session shows up within seconds; one that comes much later is
// still found, while an idle program without one wakes ever more rarely.
constexpr int kAvailabilityCheckMs = 3000;
constexpr int kLongestAvailabilityCheckMs = 60000;

}  // namespace

TrayIcon::TrayIcon(bool available, QObject* parent)
    : QObject(parent),
      available_(available),
      menu_(std::make_unique<QMenu>()),
      show1_(menu_->addAction(QStringLiteral("&Open Main Window"))),
      exit1_(menu_->addAction(QStringLiteral("E&xit"))),
      icon_(new QSystemTrayIcon(this)) {
  setObjectName(QStringLiteral("TrayIcon1"));
  menu_->setObjectName(QStringLiteral("pmTrayIcon"));
  show1_->setObjectName(QStringLiteral("Show1"));
  exit1_->setObjectName(QStringLiteral("mniExit1"));
  menu_->setDefaultAction(show1_);
  icon_->setContextMenu(menu_.get());
  connect(show1_, &QAction::triggered, this, &TrayIcon::OpenRequested);
  connect(exit1_, &QAction::triggered, this, &TrayIcon::ExitRequested);
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
      emit OpenRequested();
  });
  probe_ = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
  if (!available_) {
    availabilityTimer_ = new QTimer(this);
    availabilityTimer_->setObjectName(QStringLiteral("tmrTrayAvailability"));
    availabilityTimer_->setInterval(kAvailabilityCheckMs);
    connect(availabilityTimer_, &QTimer::timeout, this, &TrayIcon::CheckAvailability);
    availabilityTimer_->start();
  }
}

void TrayIcon::CheckAvailability() {
  if (available_) return;
  if (!probe_()) {
    if (availabilityTimer_ != nullptr)
      availabilityTimer_->setInterval(
          std::min(availabilityTimer_->interval() * 2, kLongestAvailabilityCheckMs));
    return;
  }
  available_ = true;
  if (availabilityTimer_ != nullptr) availabilityTimer_->stop();
  icon_->setVisible(wanted_);
  emit BecameAvailable();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::SetHint(const QString& hint) {
  // Set on every idle moment of the window; the desktop is told only of a new text.
  if (hint != icon_->toolTip()) icon_->setToolTip(hint);
}

QString TrayIcon::Hint() const {
  return icon_->toolTip();
}

void TrayIcon::SetIcon(const QIcon& icon) {
  icon_->setIcon(icon);
}

void TrayIcon::SetVisible(bool visible) {
  // Without a notification area there is nowhere to show the icon, until one appears.
  wanted_ = visible;
  icon_->setVisible(visible && available_);
}

bool TrayIcon::Visible() const {
  return icon_->isVisible();
}

void TrayIcon::ShowBalloon(const QString& title, const QString& text, int timeoutMs) {
  if (!available_) return;
  icon_->showMessage(title, text, QSystemTrayIcon::Information, timeoutMs);
  emit BalloonShown(title, text, timeoutMs);
}

}  // namespace orvane::ui
