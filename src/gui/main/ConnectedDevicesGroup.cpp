#include "gui/main/ConnectedDevicesGroup.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <chrono>

#include "gui/kit/PageWidgets.h"
#include "gui/kit/Palette.h"
#include "gui/kit/Translation.h"

namespace orvane::ui {
namespace {

QString SinceText(std::chrono::system_clock::time_point since) {
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(since.time_since_epoch()).count();
  const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds);
  // Today's devices show the time alone; older ones need the day too.
  if (local.date() == QDate::currentDate())
    return QLocale().toString(local.time(), QLocale::ShortFormat);
  return QLocale().toString(local, QLocale::ShortFormat);
}

}  // namespace

ConnectedDevicesGroup::ConnectedDevicesGroup(QWidget* parent) : QGroupBox(parent) {
  setObjectName(QStringLiteral("grpConnectedDevices"));
  setTitle(QStringLiteral("Connected devices"));
  UseGroupFonts(this);
  lvConnectedDevices = new QTreeWidget(this);
  lvConnectedDevices->setObjectName(QStringLiteral("lvConnectedDevices"));
  lvConnectedDevices->setRootIsDecorated(false);
  lvConnectedDevices->setSelectionMode(QAbstractItemView::NoSelection);
  lvConnectedDevices->setColumnCount(4);
  lvConnectedDevices->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  lvConnectedDevices->header()->setStretchLastSection(true);
  // Room for the header and a few devices without scrolling.
  lvConnectedDevices->setMinimumHeight(lvConnectedDevices->fontMetrics().height() * 6);
  TranslateHeaders();
  lblNoDevices = MakeLabel(QStringLiteral("lblNoDevices"),
                           QStringLiteral("No device uses the sharing yet."), this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 10);
  lblGuestLimit = MakeLabel(QStringLiteral("lblGuestLimit"), QString(), this);
  SetTextColour(lblGuestLimit, ToColor(kRed));
  lblGuestLimit->setVisible(false);
  layout->addWidget(lblNoDevices);
  layout->addWidget(lvConnectedDevices);
  layout->addWidget(lblGuestLimit);
  ShowDevices({});
}

void ConnectedDevicesGroup::TranslateHeaders() {
  lvConnectedDevices->setHeaderLabels({Translate("Name"), Translate("Hardware address"),
                                       Translate("IPv4 address"), Translate("Connected since")});
}

void ConnectedDevicesGroup::ShowLimit(const QString& text) {
  lblGuestLimit->setText(text);
  lblGuestLimit->setVisible(!text.isEmpty());
}

void ConnectedDevicesGroup::ShowDevices(const std::vector<TConnectedDevice>& devices) {
  lvConnectedDevices->clear();
  for (const TConnectedDevice& device : devices) {
    const QString name =
        device.Name.empty() ? Translate("(no name)") : QString::fromStdString(device.Name);
    lvConnectedDevices->addTopLevelItem(
        new QTreeWidgetItem({name, QString::fromStdString(device.HardwareAddress),
                             QString::fromStdString(device.IPv4Address), SinceText(device.Since)}));
  }
  lblNoDevices->setVisible(devices.empty());
  lvConnectedDevices->setVisible(!devices.empty());
}

}  // namespace orvane::ui
