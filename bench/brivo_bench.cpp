// The brivo window program as a user starts and leaves it, on a private Xvfb
// with the local demo site serving the version file.
//
//   BM_BrivoColdStartToFirstFrame  from fork+exec of `brivo` to the first
//                                  pixels of its show animation on the X screen
//                                  (the window's centre turns from the black
//                                  root); /gl_probe:1 with GDK's GL probe left on.
//                                  Counter show_start_ms: to the window's map,
//                                  which follows the animation's first frame
//                                  (still empty: it starts from nothing). Without
//                                  a compositor the layered frames are cut to
//                                  their pixels of at least half alpha, so the
//                                  picture shows from the 7th frame on: the time
//                                  between the two is the show animation's own.
//   BM_BrivoIdleWakeups/focused    wake-ups of the UI thread over 10 s of an
//   BM_BrivoIdleWakeups/unfocused  idle window, with the address box focused
//                                  (its caret blinks) or not (nothing to do)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "tests/gui/xvfb_display.h"
#include "tests/support/demo_site.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

// 380 x 338 centred on the 1024 x 768 screen.
constexpr int kLeft = 322, kTop = 215;

struct Environment {
  Environment() {
    if (!display.Start()) return;
    x = XOpenDisplay(nullptr);
    // A window that went between its map event and the question about its size
    // is simply not the one looked for.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    for (const auto& [name, value] : site.ProgramEnvironment()) setenv(name.c_str(), value.c_str(), 1);
    setenv("BRIVO_DOWNLOAD_DIR", (folder.path() / "downloads").c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("no_proxy", "127.0.0.1,localhost", 1);
  }
  ~Environment() {
    if (x) XCloseDisplay(x);
  }

  // From now on the server reports every window mapped on the screen.
  void WatchMaps() {
    XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
    XSync(x, True);  // drops what came before
  }

  // Whether the main window (380 x 338) has been mapped since WatchMaps.
  bool MainWindowMapped() const {
    while (XPending(x)) {
      XEvent event;
      XNextEvent(x, &event);
      XWindowAttributes attributes;
      if (event.type == MapNotify && XGetWindowAttributes(x, event.xmap.window, &attributes) &&
          attributes.width == 380 && attributes.height == 338)
        return true;
    }
    return false;
  }

  unsigned long Pixel(int screen_x, int screen_y) const {
    XImage* image = XGetImage(x, DefaultRootWindow(x), screen_x, screen_y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }

  winsys::testing::XvfbDisplay display;
  testing_support::DemoSite site;
  testing_support::TempDir folder;
  Display* x = nullptr;
};

Environment& Env() {
  static Environment environment;
  return environment;
}

pid_t StartBrivo(bool with_gl_probe = false) {
  const pid_t pid = fork();
  if (pid == 0) {
    // An empty GDK_GL is kept by brivo and leaves GDK's GL probe on: the
    // start-up as it was before brivo turned the probe off.
    if (with_gl_probe) setenv("GDK_GL", "", 1);
    execl(BRIVO_PATH, "brivo", static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

void StopBrivo(pid_t pid) {
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

// Polls a screen pixel until `done` holds for it; false after five seconds.
template <typename Done>
bool WaitForPixel(int x, int y, Done done) {
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (!done(Env().Pixel(x, y))) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));  // leaves the cores to brivo
  }
  return true;
}

void BM_BrivoColdStartToFirstFrame(benchmark::State& state) {
  if (!Env().x) return state.SkipWithError("no Xvfb");
  const int centre_x = kLeft + 190, centre_y = kTop + 169;
  double show_start_seconds = 0;
  for (auto _ : state) {
    Env().WatchMaps();
    const auto start = Clock::now();
    const pid_t pid = StartBrivo(state.range(0) != 0);
    std::optional<Clock::time_point> mapped;
    const bool shown = WaitForPixel(centre_x, centre_y, [&](unsigned long p) {
      if (!mapped && Env().MainWindowMapped()) mapped = Clock::now();
      return p != 0;
    });
    const auto end = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    show_start_seconds += std::chrono::duration<double>(mapped.value_or(end) - start).count();
    StopBrivo(pid);
    if (!shown) return state.SkipWithError("no frame");
    WaitForPixel(centre_x, centre_y, [](unsigned long p) { return p == 0; });  // gone again
  }
  state.counters["show_start_ms"] = benchmark::Counter(show_start_seconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BrivoColdStartToFirstFrame)
    ->ArgName("gl_probe")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

long VoluntarySwitches(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("voluntary_ctxt_switches:", 0) == 0) return std::stol(line.substr(line.find(':') + 1));
  return -1;
}

void Xdotool(const std::string& arguments) { std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()); }

void BM_BrivoIdleWakeups(benchmark::State& state) {
  if (!Env().x) return state.SkipWithError("no Xvfb");
  const bool focused = state.range(0) != 0;
  for (auto _ : state) {
    const pid_t pid = StartBrivo();
    if (!WaitForPixel(kLeft + 190, kTop + 169, [](unsigned long p) { return p != 0; }))
      return state.SkipWithError("no frame");
    std::this_thread::sleep_for(std::chrono::seconds(1));  // the show animation is over
    if (focused)
      Xdotool("mousemove " + std::to_string(kLeft + 150) + " " + std::to_string(kTop + 70) + " click 1");
    else
      Xdotool("mousemove 0 0");
    std::this_thread::sleep_for(std::chrono::seconds(1));  // the hover light has faded
    const long before = VoluntarySwitches(pid);
    std::this_thread::sleep_for(std::chrono::seconds(10));
    state.counters["wakeups_per_10s"] = static_cast<double>(VoluntarySwitches(pid) - before);
    StopBrivo(pid);
    WaitForPixel(kLeft + 190, kTop + 169, [](unsigned long p) { return p == 0; });
  }
}
BENCHMARK(BM_BrivoIdleWakeups)->ArgName("focused")->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
