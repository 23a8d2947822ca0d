// The main window on the simulated machine, for trying the program without touching this
// computer's network. Screenshot mode (for scripts, not users): ORVANE_DEMO_SCREENSHOT=FILE
// saves the window once it has started, on page ORVANE_DEMO_PAGE (0 to 2), and exits; with
// ORVANE_DEMO_DIALOG=options, about or picker it saves that dialog instead (failure-helper or
// failure-firewall: the box of a start that fails for that reason); with
// ORVANE_DEMO_SHARING=1 it starts sharing first, so the guests of the scene show; with
// ORVANE_DEMO_DARK=1 the windows take a dark colour scheme, as a desktop's dark theme sets it.
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "common/UnitGlobal.h"
#include "gui/kit/Palette.h"
#include "gui/main/MainActions.h"
#include "gui/main/MainWindow.h"
#include "gui/main/ProgramEntry.h"
#include "platform/sim/SimDemoScene.h"

namespace {

constexpr int kSettleMs = 1500;

void ScheduleScreenshot(orvane::ui::TForm1& form, const QString& file, int page, bool sharing) {
  QTimer::singleShot(kSettleMs, &form, [&form, page, sharing] {
    orvane::ui::MainActions& actions = form.Actions();
    if (sharing) {
      // The outcome box is modal: it is closed from its own loop.
      QTimer::singleShot(kSettleMs / 3, &form, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
      });
      form.UpdateActions();
      actions.actStartSharing->trigger();
    }
    if (page == 1) actions.actShareMyInternet->trigger();
    if (page == 2) actions.actConnectToVelmora->trigger();
    actions.actRefresh2->trigger();
  });
  QTimer::singleShot(2 * kSettleMs, &form, [&form, file] {
    form.UpdateActions();
    if (!form.grab().save(file, "PNG")) {
      std::fprintf(stderr, "orvane-demo: cannot write %s\n", qPrintable(file));
    }
    form.actExitExecute();
  });
}

// Opens the dialog (its own modal loop runs the timer that saves and closes it).
void ScheduleDialogScreenshot(orvane::ui::TForm1& form, const QString& file, const QString& name) {
  QTimer::singleShot(2 * kSettleMs, &form, [&form, file] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->grab().save(file, "PNG")) {
      std::fprintf(stderr, "orvane-demo: cannot write %s\n", qPrintable(file));
    }
    if (dialog != nullptr) dialog->close();
    form.actExitExecute();
  });
  QTimer::singleShot(kSettleMs, &form, [&form, name] {
    orvane::ui::MainActions& actions = form.Actions();
    if (name == QLatin1String("options")) actions.actOptions->trigger();
    if (name == QLatin1String("about")) actions.actAbout->trigger();
    if (name.startsWith(QLatin1String("failure-"))) actions.actStartSharing->trigger();
    if (name == QLatin1String("picker")) {
      actions.actShareMyInternet->trigger();
      if (auto* select = form.findChild<QPushButton*>(QStringLiteral("btnSource"))) select->click();
    }
  });
}

// The reasons a start fails that the screenshots show: the helper not installed, and another
// firewall refusing the forwarded traffic, in the helper's own words.
void ScriptFailure(orvane::sim::SimMachine& machine, const QString& dialog) {
  if (dialog == QLatin1String("failure-helper")) {
    machine.Log().FailCall("EnableSharing",
                           static_cast<uint32_t>(orvane::platform::kHelperMissing));
  } else if (dialog == QLatin1String("failure-firewall")) {
    machine.Log().FailCall("EnableSharing", static_cast<uint32_t>(orvane::platform::kEFail));
    machine.Sharing().SetErrorDescription(
        "another firewall drops forwarded traffic (table inet filter, chain forward, policy "
        "drop): allow forwarding between the shared interfaces there");
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    // The demo keeps its settings in a folder of its own, so the build tree stays clean.
    QTemporaryDir home;
    if (!home.isValid()) {
      std::fprintf(stderr, "orvane-demo: cannot create a temporary folder\n");
      return 1;
    }
    orvane::sim::SimMachine machine;
    orvane::sim::SeedDemoScene(machine, orvane::ApplicationName(), home.path().toStdString() + "/");
    ScriptFailure(machine, qEnvironmentVariable("ORVANE_DEMO_DIALOG"));

    const QString shot = qEnvironmentVariable("ORVANE_DEMO_SCREENSHOT");
    const int page = qBound(0, qEnvironmentVariableIntValue("ORVANE_DEMO_PAGE"), 2);
    const QString dialog = qEnvironmentVariable("ORVANE_DEMO_DIALOG");
    const bool sharing = qEnvironmentVariableIntValue("ORVANE_DEMO_SHARING") == 1;
    const bool dark = qEnvironmentVariableIntValue("ORVANE_DEMO_DARK") == 1;
    return orvane::ui::RunProgram(argc, argv, machine, [&](orvane::ui::TForm1& form) {
      if (dark) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(orvane::ui::DarkPalette());
      }
      if (shot.isEmpty()) return;
      if (dialog.isEmpty()) {
        ScheduleScreenshot(form, shot, page, sharing);
      } else {
        ScheduleDialogScreenshot(form, shot, dialog);
      }
    });
  } catch (const std::exception& error) {
    std::fprintf(stderr, "orvane-demo: %s\n", error.what());
    return 1;
  }
}
