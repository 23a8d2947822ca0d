#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/UnitGlobal.h"
#include "platform/sim/SimMachine.h"

// The simulated machine the window tests start on: a connected wired and a wireless
// connection, and the Internet reachable.
namespace scene {

inline const char* kWiredGuid = "{11111111-2222-3333-4444-555555555555}";
inline const char* kWirelessGuid = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
// Not the built-in name, so captions that do not follow the product information show.
inline const char* kProductName = "Skylark";

// The product information is process-wide and read once, as at program start.
inline void LoadProduct(const QTemporaryDir& folder) {
  QFile side(folder.filePath("update.dll"));
  QVERIFY(side.open(QIODevice::WriteOnly));
  side.write(
      QByteArray("[System]\r\nAPPLICATION_NAME=").append(kProductName).append("\r\n").toBase64());
  side.close();
  orvane::LoadProductInfo(folder.path().toStdString() + "/");
  QCOMPARE(orvane::ApplicationName(), std::string(kProductName));
}

inline void Seed(orvane::sim::SimMachine& machine, const QTemporaryDir& settings,
                 uint32_t wirelessStatus = orvane::platform::kNcsConnected) {
  machine.System().SetSettingsFolder(settings.path().toStdString() + "/");
  machine.System().SetExecutablePath(settings.path().toStdString() + "/orvane");
  orvane::sim::MachineConnection wired;
  wired.guid = kWiredGuid;
  wired.name = "Local Area Connection";
  wired.deviceName = "Gigabit Ethernet Adapter";
  wired.pnpInstanceId = "PCI\\VEN_8086&DEV_10D3";
  wired.ipAddress = "192.168.1.20";
  wired.ipMask = "255.255.255.0";
  wired.gateway = "192.168.1.1";
  machine.AddConnection(wired);
  orvane::sim::MachineConnection wireless;
  wireless.guid = kWirelessGuid;
  wireless.name = "Wireless Network Connection";
  wireless.deviceName = "Wireless LAN Card";
  wireless.pnpInstanceId = "PCI\\VEN_168C&DEV_002B";
  wireless.wireless = true;
  wireless.adapterType = 71;
  wireless.status = wirelessStatus;
  machine.AddConnection(wireless);
  machine.Internet().SetReachable(true);
}

}  // namespace scene
