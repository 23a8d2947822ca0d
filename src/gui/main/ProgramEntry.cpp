#include "gui/main/ProgramEntry.h"

#include <QApplication>
#include <QSessionManager>
#include <QSystemTrayIcon>

#include "app/MainWorkflow.h"
#include "common/UnitGlobal.h"
#include "gui/kit/MessagePresenter.h"
#include "gui/main/MainDialogs.h"
#include "gui/main/MainWindow.h"
#include "gui/main/ShutdownSignals.h"
#include "gui/main/SingleInstance.h"
#include "network/AdpUtils.h"
#include "platform/Platform.h"

namespace orvane::ui {

int RunProgram(int& argc, char** argv, platform::Platform& platform,
               const std::function<void(TForm1&)>& afterStart) {
  LoadProductInfoBesideProgram(platform.System());
  InterfaceTableBlock ifTable(platform.Adapters());

  QApplication application(argc, argv);
  // The program lives in the notification area: hiding or closing a dialog ends nothing.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setApplicationName(QStringLiteral("Orvane"));

  // A second launch brings the running window to the front instead of offering to share again.
  // The demo on the simulated machine is a program of its own.
  SingleInstance instance(SingleInstance::DefaultKey() +
                          (afterStart ? QStringLiteral("-demo") : QString()));
  if (!instance.First()) return 0;

  // The main window; each dialog is made on its first use and lives as long as the window.
  BoxMessagePresenter messages;
  TForm1 form(WorkflowPlatformOf(platform), ifTable, messages,
              QSystemTrayIcon::isSystemTrayAvailable());
  FormDialogs dialogs(form, messages, platform.System());
  form.SetDialogs(&dialogs);
  form.SetTroubleShooter(TroubleShooterPlatformOf(platform));
  QObject::connect(&instance, &SingleInstance::ActivationRequested, &form,
                   &TForm1::TrayIcon1DblClick);
  QObject::connect(&form, &TForm1::Closed, &application, &QCoreApplication::quit,
                   Qt::QueuedConnection);

  // Log-off and shut-down end the program instead of hiding it. The session manager's request
  // is the last moment the program surely has: the system may end it once that returns.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &form,
                   [&form](QSessionManager&) { form.EndSession(); });
  ShutdownSignals endRequests;
  QObject::connect(&endRequests, &ShutdownSignals::Requested, &form, [&form] {
    form.QueryEndSession();
    form.close();
  });

  form.ShowAtStart();
  // A missing or broken wireless library leaves a program without wireless, and says so.
  if (const std::string problem = platform.WirelessProblem(); !problem.empty())
    messages.Show(&form, QStringLiteral("Message"), QString::fromLocal8Bit(problem),
                  QMessageBox::Warning);
  if (afterStart) afterStart(form);
  const int result = QApplication::exec();
  form.SetDialogs(nullptr);
  form.FormDestroy();
  return result;
}

}  // namespace orvane::ui
