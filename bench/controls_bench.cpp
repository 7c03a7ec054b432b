// Controls' speed on the headless window system: a whole label text change that
// slides over 5 steps (the paint, five composed and presented frames), a label
// repaint, a caption button's hover fade, one GIF frame of a picture, a 70 x 25
// push button's paint in each state and its hover fade. The repaints run at
// 100 % and 200 %: a control's repaint at 200 % should cost at most 4.5 times
// the one at 100 % (four times the pixels).
#include <benchmark/benchmark.h>

#include "assets/assets.h"
#include "bench/headless_bench_window.h"
#include "razezazo/controls/caption_button.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/picture_control.h"
#include "razezazo/controls/push_button.h"
#include "runtime/gbk.h"

namespace {

// The application's main window: its background picture, no caption.
struct Window : bench::HeadlessBenchWindow {
  explicit Window(float scale = 1.0f)
      : HeadlessBenchWindow(
            {.background_image = assets::MainBackground(), .background_colour = 0xFFFFFF, .caption_flags = 0}, scale) {}
};

// CPU time of one whole transition: SetText paints both pictures, then the
// five 60 ms ticks each compose and present the label's area.
void BM_LabelSlideTextChange(benchmark::State& state) {
  Window w;
  razezazo::LabelControl label;
  label.Create(w.window, {30, 190, 200, 20}, runtime::Gbk("文件路径：旧的"));
  const runtime::Text texts[] = {runtime::Gbk("文件路径：新的"), runtime::Gbk("文件路径：旧的")};
  int i = 0;
  for (auto _ : state) {
    label.SetText(texts[i++ % 2], razezazo::TextChange{razezazo::TransitionKind::kSlideLeft});
    w.system->Advance(300);
  }
}
BENCHMARK(BM_LabelSlideTextChange)->Unit(benchmark::kMicrosecond);

// The argument is the screen's scale in per cent.
void BM_LabelRepaint(benchmark::State& state) {
  Window w(bench::ScaleOf(state.range(0)));
  razezazo::LabelControl label;
  label.Create(w.window, {30, 190, 200, 20}, runtime::Gbk("文件路径："));
  for (auto _ : state) label.Paint();
}
BENCHMARK(BM_LabelRepaint)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_CaptionButtonHoverFade(benchmark::State& state) {
  Window w;
  razezazo::CaptionButton close;
  close.Create(w.window, razezazo::kCaptionButtonClose, {329, 7, 39, 19});
  for (auto _ : state) {
    w.system->MoveMouse(w.window, 340, 15);
    w.system->Advance(180);
    w.system->MoveMouse(w.window, 200, 150);
    w.system->Advance(240);
  }
}
BENCHMARK(BM_CaptionButtonHoverFade)->Unit(benchmark::kMicrosecond);

void BM_PictureFrame(benchmark::State& state) {
  Window w;
  razezazo::PictureControl picture;
  picture.Create(w.window, {11, 11, 64, 64}, assets::ProgramIcon(48));
  for (auto _ : state) picture.Paint();
}
BENCHMARK(BM_PictureFrame)->Unit(benchmark::kMicrosecond);

// The state is the benchmark's first argument: -1 disabled look, 0 normal,
// 1 hot, 2 pressed, 3 focused; the second is the screen's scale in per cent.
// Paint only: no transition runs.
void BM_PushButtonPaint(benchmark::State& state) {
  Window w(bench::ScaleOf(state.range(1)));
  razezazo::PushButton button;
  button.Create(w.window, {150, 290, 70, 25}, runtime::Gbk("解析&&下载"), {.rounded = true});
  const int face = static_cast<int>(state.range(0));
  for (auto _ : state) button.Paint(face);
}
BENCHMARK(BM_PushButtonPaint)->ArgsProduct({{-1, 0, 1, 2, 3}, {100, 200}})->Unit(benchmark::kMicrosecond);

// A whole hover fade in and out: two paints and eight composed, presented frames.
void BM_PushButtonHoverFade(benchmark::State& state) {
  Window w;
  razezazo::PushButton button;
  button.Create(w.window, {150, 290, 70, 25}, runtime::Gbk("解析&&下载"), {.rounded = true});
  for (auto _ : state) {
    w.system->MoveMouse(w.window, 180, 300);
    w.system->Advance(240);
    w.system->MoveMouse(w.window, 20, 150);
    w.system->Advance(240);
  }
}
BENCHMARK(BM_PushButtonHoverFade)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
