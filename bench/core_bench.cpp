// Speed of the framework core on the headless window system: composing and
// presenting a host, one control's repaint, the message queue, and opening a
// message box.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "assets/assets.h"
#include "bench/headless_bench_window.h"
#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "razezazo/popups/message_box.h"
#include "razezazo/popups/popup_window_hook.h"
#include "razezazo/widgets/paint_cycle.h"
#include "runtime/gbk.h"

namespace {

class FilledControl : public razezazo::ControlBase {
 public:
  explicit FilledControl(gfx::Argb colour) : colour_(colour) {}
  ~FilledControl() override { Destroy(); }
  void Paint() {
    razezazo::PaintContext context = razezazo::BeginPaint(*this);
    context.graphics->Clear(colour_);
    razezazo::EndPaint(*this, context);
  }

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t, std::intptr_t) override {
    if (code != razezazo::event::kRepaint) return razezazo::kNotHandled;
    Paint();
    return 0;
  }

 private:
  gfx::Argb colour_;
};

struct HostScene : bench::HeadlessBenchWindow {
  explicit HostScene(float scale = 1.0f)
      : HeadlessBenchWindow({.background_colour = 0x00303030, .caption_flags = 0}, scale) {
    for (int i = 0; i < 10; ++i) {
      controls.push_back(std::make_unique<FilledControl>(0xC0000000u | static_cast<gfx::Argb>(i * 0x151515)));
      controls.back()->Create(window, {float(10 + (i % 5) * 72), float(20 + (i / 5) * 150), 70, 25},
                              razezazo::kKindPushButton);
    }
    system->RunPending();
  }
  std::vector<std::unique_ptr<FilledControl>> controls;
};

// The argument is the screen's scale in per cent: at 200 % a frame should cost
// at most 4.5 times the one at 100 % (four times the pixels).
void BM_RecomposeAndPresentWholeHost(benchmark::State& state) {
  HostScene scene(bench::ScaleOf(state.range(0)));
  for (auto _ : state) scene.host.RedrawNow();
}
BENCHMARK(BM_RecomposeAndPresentWholeHost)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_OneControlRepaintToPresent(benchmark::State& state) {
  HostScene scene(bench::ScaleOf(state.range(0)));
  for (auto _ : state) {
    scene.controls[3]->Paint();
    scene.system->RunPending();
  }
}
BENCHMARK(BM_OneControlRepaintToPresent)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

// The background as the application builds it: the image at its own size, the
// gloss overlay along its edges, the border; then the controls over it.
void BM_BuildBackgroundWithImageAndGloss(benchmark::State& state) {
  HostScene scene;
  scene.host.SetField(razezazo::host_field::kImageEdges, 1);
  scene.host.SetBackground(assets::MainBackground(), -1, razezazo::background_mode::kBuildOnly);
  for (auto _ : state) scene.host.SetBackground(std::nullopt, -1, razezazo::background_mode::kBuildOnly, true);
}
BENCHMARK(BM_BuildBackgroundWithImageAndGloss)->Unit(benchmark::kMicrosecond);

// The ten frames of the zoom-in (kind 7) and the final push; the headless clock
// makes the sleeps free, so this is the drawing alone. Divide by 11 for a frame.
void BM_ShowAnimationZoomIn(benchmark::State& state) {
  HostScene scene;
  scene.host.SetBackground(assets::MainBackground(), -1, razezazo::background_mode::kBuildOnly);
  for (auto _ : state) scene.host.Show(razezazo::show_animation::kZoomIn);
}
BENCHMARK(BM_ShowAnimationZoomIn)->Unit(benchmark::kMicrosecond);

void BM_MillionPostedMessages(benchmark::State& state) {
  auto system = std::make_unique<winsys::HeadlessSystem>();
  winsys::HeadlessSystem& headless = *system;
  winsys::Install(std::move(system));
  long handled = 0;
  winsys::WindowId window = headless.CreateWindow(
      {.rect = {0, 0, 10, 10}, .proc = [&handled](winsys::WindowId, unsigned message, winsys::WParam, winsys::LParam) {
         handled += message == winsys::WM_USER + 1;
         return winsys::LResult{0};
       }});
  for (auto _ : state) {
    for (int i = 0; i < 1'000'000; ++i) headless.Post(window, winsys::WM_USER + 1, static_cast<winsys::WParam>(i), 0);
    headless.RunPending();
  }
  if (handled != 1'000'000 * static_cast<long>(state.iterations())) state.SkipWithError("messages lost");
}
BENCHMARK(BM_MillionPostedMessages)->Unit(benchmark::kMillisecond);

// From the call to the moment the box's loop first waits for input: building
// the window, host, buttons and label, measuring the text, and showing it
// (presented). The argument is the show animation; the headless clock makes
// its sleeps free. Closing is not timed.
void BM_OpenMessageBox(benchmark::State& state) {
  HostScene scene;
  using Clock = std::chrono::steady_clock;
  Clock::time_point shown;
  scene.system->SetIdleHandler([&] {
    shown = Clock::now();
    for (winsys::WindowId w : scene.system->Windows())
      if (scene.system->GetProp(w, razezazo::property::kFlags) == razezazo::kPopupMessageBox)
        scene.system->Post(w, winsys::WM_CLOSE, 0, 0);
    return true;
  });
  const razezazo::MessageBoxOptions options{
      .parent = scene.window,
      .text = runtime::Gbk("发现新版本[2015.11.03]，\n是否更新？"),
      .type = razezazo::kBoxYesNo,
      .icon = razezazo::kIconQuestion,
      .show_animation = razezazo::show_animation::Kind(state.range(0)),
  };
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    benchmark::DoNotOptimize(razezazo::ShowMessageBox(options));
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
  }
  scene.system->SetIdleHandler(nullptr);
}
BENCHMARK(BM_OpenMessageBox)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
