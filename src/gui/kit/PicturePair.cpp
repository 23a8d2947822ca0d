#include "gui/kit/PicturePair.h"

#include <QGridLayout>
#include <QLabel>

namespace orvane::ui {

PicturePair::PicturePair(const QString& connectedName, const QPixmap& connected,
                         const QString& disconnectedName, const QPixmap& disconnected,
                         QWidget* parent)
    : QWidget(parent), connected_(new QLabel(this)), disconnected_(new QLabel(this)) {
  connected_->setObjectName(connectedName);
  connected_->setPixmap(connected);
  disconnected_->setObjectName(disconnectedName);
  disconnected_->setPixmap(disconnected);
  // Both in the same grid cell: they occupy one spot, as stacked pictures should.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(connected_, 0, 0);
  layout->addWidget(disconnected_, 0, 0);
  setFixedSize(connected.deviceIndependentSize().toSize().expandedTo(
      disconnected.deviceIndependentSize().toSize()));
  // A screen reader names the picture that shows by what it shows.
  // (in English here: the window's translation turns them into the user's language).
  connected_->setAccessibleName(QStringLiteral("Connected"));
  disconnected_->setAccessibleName(QStringLiteral("Disconnected"));
}

void PicturePair::ShowConnected(bool connected) {
  connected_->setVisible(connected);
  disconnected_->setVisible(!connected);
}

}  // namespace orvane::ui
