// The program's window measured from outside, on the simulated machine (offscreen):
//   startup_to_first_paint_ms, startup_rss_mb: the demo from exec to its first paint, and the
//       same for a bare Qt window, alternately, with the demo's ratio to the bare window;
//       startup_rss_anon_mb: the anonymous part of the resident memory (not library or font
//       pages)
//   idle_wakeups_per_s, idle_wakeups_shown_per_s: the whole demo with its window hidden, and
//       shown, every thread's context switches (both measured at the same time)
//   refresh_64_adapters_us: "Refresh" with 64 more adapters and connections
//   internet_loss_to_shown_ms: from the Internet going away to the status line changing
// With a scene name as argument it runs that scene instead (see UiScenes.h).

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "BenchFigures.h"
#include "UiScenes.h"

extern char** environ;

namespace {

using orvane::bench::Median;

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kStartupRounds = 7;
constexpr auto kIdleSettle = 5s;
constexpr auto kIdleMeasured = 60s;
constexpr auto kIdleLook = 5s;
constexpr int kLineTimeoutMs = 120000;

// A scene of this executable in a child process, its standard output read line by line.
class Scene {
 public:
  explicit Scene(const char* name) {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    char* args[] = {self.data(), const_cast<char*>(name), nullptr};
    started_ = Clock::now();
    if (posix_spawn(&pid_, self.c_str(), &actions, nullptr, args, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
  }
  ~Scene() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      for (int i = 0; i < 100 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(50ms);
      if (kill(pid_, SIGKILL) == 0) waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  pid_t Pid() const { return pid_; }
  Clock::time_point Started() const { return started_; }

  // The next line, empty at the end or after the time-out.
  std::string Line() {
    for (;;) {
      if (auto end = pending_.find('\n'); end != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return line;
      }
      pollfd ready{out_, POLLIN, 0};
      char buffer[512];
      if (out_ < 0 || poll(&ready, 1, kLineTimeoutMs) != 1) return {};
      const ssize_t got = read(out_, buffer, sizeof buffer);
      if (got <= 0) return {};
      pending_.append(buffer, static_cast<std::size_t>(got));
    }
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  Clock::time_point started_;
  std::string pending_;
};

struct Startup {
  std::vector<double> ms, rssMb, anonMb;
};

// One start of a scene until its first paint; false when it did not paint. `size` is the
// painted window's, as "<width>x<height>".
bool MeasureStartup(const std::string& name, Startup& into, std::string& size) {
  Scene scene(name.c_str());
  long kilobytes = 0, anonymous = 0;
  int width = 0, height = 0;
  const std::string line = scene.Line();
  if (std::sscanf(line.c_str(), "painted %ld %ld %d %d", &kilobytes, &anonymous, &width, &height) !=
      4) {
    return false;
  }
  size = std::to_string(width) + "x" + std::to_string(height);
  into.ms.push_back(
      std::chrono::duration<double, std::milli>(Clock::now() - scene.Started()).count());
  into.rssMb.push_back(static_cast<double>(kilobytes) / 1024.0);
  into.anonMb.push_back(static_cast<double>(anonymous) / 1024.0);
  return true;
}

// Context switches of every thread of a process, counted from the first look at it. Threads
// come and go (Qt's pool ends idle ones after 30 s), so it follows each thread by its id: a
// thread seen first later counts whole, one that ended keeps what it had at the last look.
class SwitchCounter {
 public:
  explicit SwitchCounter(pid_t pid)
      : tasks_(std::filesystem::path("/proc") / std::to_string(pid) / "task") {
    running_ = Look(false);
  }
  // Takes another look; false once the process is gone.
  bool Look() { return running_ = running_ && Look(true); }
  long Counted() const { return counted_; }

 private:
  bool Look(bool count) {
    std::error_code error;
    bool any = false;
    for (std::filesystem::directory_iterator task(tasks_, error), end; !error && task != end;
         task.increment(error)) {
      std::ifstream status(task->path() / "status");
      std::string key;
      long value = 0, switches = 0;
      bool zombie = false;
      while (status >> key) {
        if (key == "State:") {
          status >> key;
          zombie = key == "Z" || key == "X";
        } else if (key == "voluntary_ctxt_switches:" || key == "nonvoluntary_ctxt_switches:") {
          status >> value;
          switches += value;
        }
      }
      if (zombie) continue;
      any = true;
      const auto [last, added] = last_.try_emplace(task->path().filename().string(), switches);
      if (count) counted_ += added ? switches : switches - last->second;
      last->second = switches;
    }
    return any;
  }

  std::filesystem::path tasks_;
  std::map<std::string, long> last_;
  long counted_ = 0;
  bool running_ = false;
};

// Relays the figure lines a scene prints; false when it printed none.
bool Relay(const char* name) {
  Scene scene(name);
  bool any = false;
  for (std::string line = scene.Line(); !line.empty(); line = scene.Line()) {
    std::printf("%s\n", line.c_str());
    any = true;
  }
  return any;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) return RunScene(argv[1], argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  bool ok = true;

  // The bare window has the demo's size: the pixels of a window's buffer grow with its area, and
  // the program's window has its design's size. A first start of the demo, not counted, tells
  // it (and fills the file cache for both).
  Startup demo, bare, uncounted;
  std::string size, bareSize;
  ok = MeasureStartup("demo", uncounted, size);
  for (int round = 0; round < kStartupRounds && ok; ++round)
    ok = MeasureStartup("bare-" + size, bare, bareSize) && MeasureStartup("demo", demo, size);
  if (ok) {
    std::printf("startup_to_first_paint_ms: %.0f ms\n", Median(demo.ms));
    std::printf("bare_window_first_paint_ms: %.0f ms (%s, the demo's size)\n", Median(bare.ms),
                bareSize.c_str());
    std::printf("startup_to_first_paint_ratio: %.2f\n", Median(demo.ms) / Median(bare.ms));
    std::printf("startup_rss_mb: %.1f MB\n", Median(demo.rssMb));
    std::printf("bare_window_rss_mb: %.1f MB\n", Median(bare.rssMb));
    std::printf("startup_rss_ratio: %.2f\n", Median(demo.rssMb) / Median(bare.rssMb));
    // The program's own part of it; the rest is pages of shared libraries and fonts.
    std::printf("startup_rss_anon_mb: %.1f MB (bare window %.1f MB, ratio %.2f)\n",
                Median(demo.anonMb), Median(bare.anonMb),
                Median(demo.anonMb) / Median(bare.anonMb));
  } else {
    std::printf("startup: failed (a scene did not paint)\n");
  }

  ok = Relay("refresh") && ok;
  ok = Relay("loss") && ok;

  {
    Scene hidden("idle");
    Scene shown("idle-shown");
    std::this_thread::sleep_for(kIdleSettle);
    SwitchCounter hiddenSwitches(hidden.Pid()), shownSwitches(shown.Pid());
    const auto start = Clock::now();
    bool running = true;
    // Looked at every few seconds: the looks themselves must not be what is measured.
    for (auto next = start + kIdleLook; running && next <= start + kIdleMeasured;
         next += kIdleLook) {
      std::this_thread::sleep_until(next);
      running = hiddenSwitches.Look() && shownSwitches.Look();
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    if (running) {
      std::printf("idle_wakeups_per_s: %.2f per s\n",
                  static_cast<double>(hiddenSwitches.Counted()) / elapsed.count());
      std::printf("idle_wakeups_shown_per_s: %.2f per s\n",
                  static_cast<double>(shownSwitches.Counted()) / elapsed.count());
    } else {
      std::printf("idle: failed (the demo was not running)\n");
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
