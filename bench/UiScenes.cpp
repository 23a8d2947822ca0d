#include "UiScenes.h"

#include "BenchFigures.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <vector>

#include "common/UnitGlobal.h"
#include "gui/main/MainActions.h"
#include "gui/main/MainWindow.h"
#include "gui/main/ProgramEntry.h"
#include "platform/sim/SimDemoScene.h"

namespace {

using orvane::bench::Median;

using Clock = std::chrono::steady_clock;

constexpr int kRefreshRuns = 30;
constexpr int kLossRuns = 5;
constexpr int kAdapters = 64;

// A field of /proc/self/status in kilobytes ("VmRSS:"), -1 when missing.
long StatusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::strlen(key)));
  return -1;
}

// Ends the process at the widget's first paint, telling the parent how large it got: all it
// has resident, and of that its own memory (not pages of the libraries and fonts it maps), and
// the widget's size.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      const auto* widget = static_cast<QWidget*>(watched);
      std::printf("painted %ld %ld %d %d\n", StatusKilobytes("VmRSS:"), StatusKilobytes("RssAnon:"),
                  widget->width(), widget->height());
      std::fflush(stdout);
      std::_Exit(0);
    }
    return QObject::eventFilter(watched, event);
  }
};

// The demo program on a machine seeded by `seed`, with `scenario` run once its window exists.
int RunDemo(int& argc, char** argv, const std::function<void(orvane::sim::SimMachine&)>& seed,
            const std::function<void(orvane::ui::TForm1&, orvane::sim::SimMachine&)>& scenario) {
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  // The single-instance lock in a folder of this run: each start finds none, as after a normal
  // exit. The scenes end without cleaning up, so a shared folder would hand every start a stale
  // lock to take over, which costs more than the whole start of a bare window on a busy machine.
  qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
  orvane::sim::SimMachine machine;
  orvane::sim::SeedDemoScene(machine, orvane::ApplicationName(), home.path().toStdString() + "/");
  if (seed) seed(machine);
  return orvane::ui::RunProgram(argc, argv, machine,
                                [&](orvane::ui::TForm1& form) { scenario(form, machine); });
}

// 64 more wired adapters with their connections, each with an address.
void AddAdapters(orvane::sim::SimMachine& machine) {
  for (int i = 0; i < kAdapters; ++i) {
    char guid[40];
    std::snprintf(guid, sizeof guid, "{00000000-0000-0000-0000-%012d}", i);
    orvane::sim::MachineConnection connection;
    connection.guid = guid;
    connection.name = "Local Area Connection " + std::to_string(i + 2);
    connection.deviceName = "Ethernet Adapter #" + std::to_string(i + 2);
    connection.pnpInstanceId = "PCI\\VEN_8086&DEV_10D3";
    connection.ipAddress = "10.1." + std::to_string(i) + ".2";
    connection.ipMask = "255.255.255.0";
    connection.gateway = "10.1." + std::to_string(i) + ".1";
    machine.AddConnection(connection);
  }
}

void MeasureRefresh(orvane::ui::TForm1& form) {
  QTimer::singleShot(0, &form, [&form] {
    std::vector<double> times;
    for (int run = 0; run < kRefreshRuns; ++run) {
      const auto start = Clock::now();
      form.Actions().actRefresh2->trigger();
      times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::printf("refresh_64_adapters_us: %.0f us (median of %d)\n", Median(times), kRefreshRuns);
    form.actExitExecute();
  });
}

// Takes the simulated uplink's link down once the window shows the Internet connected, and
// times until the status line says otherwise; then restores it and repeats.
class LossWatch : public QObject {
 public:
  static constexpr const char* kConnected = "Internet is connected.";
  static constexpr const char* kDisconnected = "Internet is disconnected.";

  LossWatch(orvane::ui::TForm1& form, orvane::sim::SimMachine& machine)
      : form_(form), machine_(machine), status_(form.findChild<QLabel*>("lblInternetStatus")) {
    connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
    poll_.start(1);
  }

 private:
  void Poll() {
    if (status_ == nullptr) return End();
    const QString text = status_->text();
    if (!cut_ && text == QLatin1String(kConnected)) {
      cutAt_ = Clock::now();
      machine_.Internet().SetLinkUp(false);
      cut_ = true;
    } else if (cut_ && text == QLatin1String(kDisconnected)) {
      times_.push_back(std::chrono::duration<double, std::milli>(Clock::now() - cutAt_).count());
      machine_.Internet().SetLinkUp(true);
      cut_ = false;
      if (static_cast<int>(times_.size()) == kLossRuns) End();
    }
  }
  void End() {
    poll_.stop();
    if (!times_.empty())
      std::printf("internet_loss_to_shown_ms: %.0f ms (median of %zu)\n", Median(times_),
                  times_.size());
    form_.actExitExecute();
  }

  orvane::ui::TForm1& form_;
  orvane::sim::SimMachine& machine_;
  QLabel* status_;
  QTimer poll_;
  bool cut_ = false;
  Clock::time_point cutAt_;
  std::vector<double> times_;
};

}  // namespace

int RunScene(const std::string& scene, int& argc, char** argv) {
  FirstPaint firstPaint;
  if (int width = 0, height = 0; std::sscanf(scene.c_str(), "bare-%dx%d", &width, &height) == 2) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(width, height);
    window.installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
  }
  if (scene == "demo")
    return RunDemo(argc, argv, {}, [&](orvane::ui::TForm1& form, orvane::sim::SimMachine&) {
      form.installEventFilter(&firstPaint);
    });
  if (scene == "idle")
    return RunDemo(argc, argv, {}, [](orvane::ui::TForm1& form, orvane::sim::SimMachine&) {
      QTimer::singleShot(0, &form, [&form] { form.hide(); });
    });
  if (scene == "idle-shown") return RunDemo(argc, argv, {}, [](orvane::ui::TForm1&, auto&) {});
  if (scene == "refresh")
    return RunDemo(argc, argv, AddAdapters, [](orvane::ui::TForm1& form, orvane::sim::SimMachine&) {
      MeasureRefresh(form);
    });
  if (scene == "loss") {
    std::unique_ptr<LossWatch> watch;
    return RunDemo(argc, argv, {}, [&](orvane::ui::TForm1& form, orvane::sim::SimMachine& machine) {
      watch = std::make_unique<LossWatch>(form, machine);
    });
  }
  std::fprintf(stderr, "unknown scene %s\n", scene.c_str());
  return 2;
}
