// Opening a popup menu on the headless window system: from the call that shows
// the edit boxes' context menu to its first presented frame (the moment its
// message loop first waits for input), and the whole open-and-close cycle.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/headless_bench_window.h"
#include "razezazo/popups/edit_context_menu.h"

namespace {

using Clock = std::chrono::steady_clock;

// A plain white window with the pointer resting inside it.
struct Window : bench::HeadlessBenchWindow {
  Window() : HeadlessBenchWindow({.background_colour = 0xFFFFFF, .caption_flags = 0}) {
    system->MoveMouse(window, 100, 100);
  }
};

void BM_EditContextMenuToFirstFrame(benchmark::State& state) {
  Window w;
  razezazo::PopupMenu& menu = razezazo::EditContextMenu();
  Clock::time_point start, shown;
  bool measured = false;
  w.system->SetIdleHandler([&] {
    if (measured) return false;
    shown = Clock::now();
    measured = true;
    w.system->KeyPress(winsys::VK_ESCAPE);
    return true;
  });
  for (auto _ : state) {
    measured = false;
    start = Clock::now();
    menu.Show(w.window);
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
  }
  w.system->SetIdleHandler(nullptr);
}
BENCHMARK(BM_EditContextMenuToFirstFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_EditContextMenuOpenAndClose(benchmark::State& state) {
  Window w;
  razezazo::PopupMenu& menu = razezazo::EditContextMenu();
  bool closed = false;
  w.system->SetIdleHandler([&] {
    if (closed) return false;
    closed = true;
    w.system->KeyPress(winsys::VK_ESCAPE);
    return true;
  });
  for (auto _ : state) {
    closed = false;
    menu.Show(w.window);
  }
  w.system->SetIdleHandler(nullptr);
}
BENCHMARK(BM_EditContextMenuOpenAndClose)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
