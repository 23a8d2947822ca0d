#include "app/ui/ProgramEntry.h"

#include <QApplication>
#include <QSessionManager>
#include <QSystemTrayIcon>

#include "app/MainWorkflow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MessagePresenter.h"
#include "app/ui/ShutdownSignals.h"
#include "common/UnitGlobal.h"
#include "network/AdpUtils.h"
#include "platform/Platform.h"

namespace orvane::ui {

int RunProgram(int& argc, char** argv, platform::Platform& platform,
               const std::function<void(TForm1&)>& afterStart) {
  LoadProductInfo(platform.System().SettingsFolder());
  InterfaceTableBlock ifTable(platform.Adapters());

  QApplication application(argc, argv);
  // The program lives in the notification area: hiding or closing a dialog ends nothing.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setApplicationDisplayName(QStringLiteral("Orvane"));

  BoxMessagePresenter messages;
  TForm1 form(WorkflowPlatformOf(platform), ifTable, messages,
              QSystemTrayIcon::isSystemTrayAvailable());
  form.SetTroubleShooter(TroubleShooterPlatformOf(platform));
  QObject::connect(&form, &TForm1::Closed, &application, &QCoreApplication::quit,
                   Qt::QueuedConnection);

  // Log-off and shut-down end the program instead of hiding it.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &form,
                   [&form](QSessionManager&) { form.QueryEndSession(); });
  ShutdownSignals endRequests;
  QObject::connect(&endRequests, &ShutdownSignals::Requested, &form, [&form] {
    form.QueryEndSession();
    form.close();
  });

  form.ShowAtStart();
  if (afterStart) afterStart(form);
  const int result = QApplication::exec();
  form.FormDestroy();
  return result;
}

}  // namespace orvane::ui
