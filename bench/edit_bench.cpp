// Edit box speed on large texts: a keystroke at the end of 10,000 lines (with
// a GtkTextView doing the same as the peer), the same keystroke as the user
// gives it (key and character messages through the host, to the presented
// pixels), and at the end of a 4 MiB line, undoing 1,000 steps, setting those lines, one wheel step, a hit test in a
// long line, and the caret's blink with what an idle focused box costs. The edit box runs on the headless window
// system; the peer needs an X display and starts Xvfb when none is set.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "bench/headless_bench_window.h"
#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/edit_characters.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "runtime/gbk.h"
#include "tests/gui/xvfb_display.h"

namespace {

constexpr int kLines = 10000;

// About 40 characters a line, Chinese and Latin mixed, every line different.
std::string MixedLinesUtf8(int lines, unsigned seed) {
  static const char* kWords[] = {"晨岚", "音乐", "舞曲", "下载", "试听", "高品质", "DJ",    "remix", "track",
                                 "2015", "mix",  "的",   "在线", "保存", "bass",   "house", "club",  "网"};
  std::mt19937 random(seed);
  std::string text;
  for (int i = 0; i < lines; ++i) {
    if (i) text += "\r\n";
    std::string line = std::to_string(i) + " ";
    while (line.size() < 60) line += std::string(kWords[random() % std::size(kWords)]) + (random() % 3 ? "" : " ");
    text += line;
  }
  return text;
}

// A host window on the headless system with one multi-line box of both bars.
struct EditScene : bench::HeadlessBenchWindow {
  EditScene(const runtime::Text& text, razezazo::EditBoxOptions options)
      : HeadlessBenchWindow({.background_colour = 0xF0F0F0, .caption_flags = 0}) {
    box.Create(window, {20, 20, 340, 300}, text, options);
    system->RunPending();
  }

  razezazo::EditBox box;
};

const runtime::Text& TenThousandLines() {
  static const runtime::Text text = runtime::Utf8ToGbk(MixedLinesUtf8(kLines, 1));
  return text;
}

void BM_EditInsertCharAtEnd10kLines(benchmark::State& state) {
  EditScene scene(TenThousandLines(), {.multi_line = true});
  scene.box.SetText(TenThousandLines(), true);
  for (auto _ : state) {
    scene.box.InsertText("x");
    state.PauseTiming();
    const razezazo::TextPlace end = scene.box.caret();
    scene.box.Select({end.line, end.column - 1}, end);
    scene.box.DeleteSelection(true);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EditInsertCharAtEnd10kLines)->Unit(benchmark::kMicrosecond);

// Times one key typed at the end of the box's text, taken out again between
// iterations: KeyPress runs every queued message, paint and present.
void TimeKeysTypedAtTheEnd(benchmark::State& state, EditScene& scene) {
  const int length = scene.box.store().length();
  for (auto _ : state) {
    scene.system->KeyPress('X');
    state.PauseTiming();
    if (scene.box.store().length() != length + 1) {
      state.SkipWithError("the key typed nothing");
      break;
    }
    const razezazo::TextPlace end = scene.box.caret();
    scene.box.Select({end.line, end.column - 1}, end);
    scene.box.DeleteSelection(true);
    scene.system->RunPending();
    state.ResumeTiming();
  }
}

// The whole input path: WM_KEYDOWN and WM_CHAR queued as the backend queues
// them, dispatched by the host to the focused box, the insert, its paint, the
// recomposition and the present of the changed pixels.
void BM_EditTypedCharAtEnd10kLines(benchmark::State& state) {
  EditScene scene(TenThousandLines(), {.multi_line = true});
  scene.system->Click(scene.window, 100, 100);  // the keys go to the focused box
  scene.box.SetText(TenThousandLines(), true);
  scene.system->RunPending();
  TimeKeysTypedAtTheEnd(state, scene);
}
BENCHMARK(BM_EditTypedCharAtEnd10kLines)->Unit(benchmark::kMicrosecond);

// A key typed at the end of one line of 4 MiB (the multi-line maximum), with
// and without wrapping: the line is never laid out whole, so a keystroke costs
// a pass over its characters' advances, not seconds of layout.
void BM_EditTypedCharAtEndOf4MiBLine(benchmark::State& state) {
  runtime::Text line;
  while (line.size() < static_cast<std::size_t>(razezazo::kMultiLineMaxLength) - 1)
    line += runtime::Utf8ToGbk(MixedLinesUtf8(1, 6));
  line.resize(razezazo::edit_chars::WholeCharacterBytes(line, razezazo::kMultiLineMaxLength - 1));
  const int bars = state.range(0) ? razezazo::scroll_bars::kVertical : 3;
  EditScene scene("", {.multi_line = true, .scroll_bars = bars});
  scene.system->Click(scene.window, 100, 100);
  scene.box.SetText(line, true);
  scene.system->RunPending();
  TimeKeysTypedAtTheEnd(state, scene);
}
BENCHMARK(BM_EditTypedCharAtEndOf4MiBLine)->Arg(0)->Arg(1)->ArgName("wrapped")->Unit(benchmark::kMillisecond);

// Ctrl+Left at the end of that 4 MiB line: the word before the caret.
void BM_EditWordLeftAtEndOf4MiBLine(benchmark::State& state) {
  runtime::Text line;
  while (line.size() < static_cast<std::size_t>(razezazo::kMultiLineMaxLength) - 1)
    line += runtime::Utf8ToGbk(MixedLinesUtf8(1, 6));
  line.resize(razezazo::edit_chars::WholeCharacterBytes(line, razezazo::kMultiLineMaxLength - 1));
  EditScene scene("", {.multi_line = true});
  scene.box.SetText(line, true);
  const razezazo::TextPlace end = scene.box.caret();
  for (auto _ : state) {
    scene.box.KeyDown(winsys::VK_LEFT, true, false);
    state.PauseTiming();
    scene.box.Select(end, end);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EditWordLeftAtEndOf4MiBLine)->Unit(benchmark::kMillisecond);

// Undoing 1,000 steps (each an insertion at the end of the 10,000 lines), one
// Ctrl+Z's work at a time, to the text that was set.
void BM_EditUndo1000Steps(benchmark::State& state) {
  EditScene scene(TenThousandLines(), {.multi_line = true});
  scene.box.SetText(TenThousandLines(), true);
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < 1000; ++i) scene.box.InsertText("x");
    state.ResumeTiming();
    while (scene.box.history().CanUndo()) scene.box.Undo();
    state.PauseTiming();
    if (scene.box.store().length() != static_cast<int>(TenThousandLines().size())) {
      state.SkipWithError("undo did not give the text back");
      break;
    }
    scene.box.SetText(TenThousandLines(), true);  // no redo list to keep
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EditUndo1000Steps)->Unit(benchmark::kMillisecond);

// The peer: the same text in a realised GtkTextView; one character at the end,
// the layout validated (pending idle work run) and the window drawn.
void DrainGtk() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

void BM_GtkTextViewInsertCharAtEnd10kLines(benchmark::State& state) {
  if (!gtk_init_check(nullptr, nullptr)) {
    state.SkipWithError("no X display for GTK");
    return;
  }
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), 340, 300);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  GtkWidget* view = gtk_text_view_new();
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  gtk_container_add(GTK_CONTAINER(window), scrolled);
  std::string text = MixedLinesUtf8(kLines, 1);
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
  gtk_text_buffer_set_text(buffer, text.c_str(), static_cast<int>(text.size()));
  gtk_widget_show_all(window);
  GtkTextIter end;
  gtk_text_buffer_get_end_iter(buffer, &end);
  gtk_text_buffer_place_cursor(buffer, &end);
  gtk_text_view_scroll_to_mark(GTK_TEXT_VIEW(view), gtk_text_buffer_get_insert(buffer), 0, FALSE, 0, 0);
  DrainGtk();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 340, 300);
  cairo_t* cr = cairo_create(surface);
  for (auto _ : state) {
    gtk_text_buffer_get_end_iter(buffer, &end);
    gtk_text_buffer_insert(buffer, &end, "x", 1);
    DrainGtk();
    gtk_container_check_resize(GTK_CONTAINER(window));  // the allocation a frame would make before drawing
    gtk_widget_draw(window, cr);
    cairo_surface_flush(surface);
    state.PauseTiming();
    GtkTextIter last, before;
    gtk_text_buffer_get_end_iter(buffer, &last);
    before = last;
    gtk_text_iter_backward_char(&before);
    gtk_text_buffer_delete(buffer, &before, &last);
    DrainGtk();
    state.ResumeTiming();
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  gtk_widget_destroy(window);
  DrainGtk();
}
BENCHMARK(BM_GtkTextViewInsertCharAtEnd10kLines)->Unit(benchmark::kMicrosecond);

// Two texts that differ in every line, set in turn: nothing can be kept.
void BM_EditSetText10kLines(benchmark::State& state) {
  const runtime::Text other = runtime::Utf8ToGbk(MixedLinesUtf8(kLines, 2));
  EditScene scene("", {.multi_line = true});
  bool first = true;
  for (auto _ : state) {
    scene.box.SetText(first ? TenThousandLines() : other);
    first = !first;
  }
}
BENCHMARK(BM_EditSetText10kLines)->Unit(benchmark::kMillisecond);

// Ctrl+V of 1 MiB of mixed lines into the focused empty box: the clipboard's
// UTF-8 converted, inserted, laid out and painted.
void BM_EditPaste1MiB(benchmark::State& state) {
  std::string utf8;
  for (unsigned seed = 5; utf8.size() < (1u << 20); ++seed) utf8 += MixedLinesUtf8(1000, seed) + "\n";
  utf8.resize(1u << 20);
  EditScene scene("", {.multi_line = true});
  scene.system->Click(scene.window, 100, 100);
  scene.system->SetClipboardText(utf8);
  for (auto _ : state) {
    scene.system->KeyDown(winsys::VK_CONTROL);
    scene.system->KeyPress('V');
    scene.system->KeyUp(winsys::VK_CONTROL);
    state.PauseTiming();
    if (scene.box.store().length() < (1 << 19)) {
      state.SkipWithError("the paste inserted too little");
      break;
    }
    scene.box.SetText("");
    scene.system->RunPending();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EditPaste1MiB)->Unit(benchmark::kMillisecond);

void BM_EditWheel10kLines(benchmark::State& state) {
  EditScene scene(TenThousandLines(), {.multi_line = true});
  scene.system->Click(scene.window, 100, 100);  // the wheel goes to the focused box
  int step = 0;
  for (auto _ : state) {
    // Down 100 notches, then up again, so that every step really scrolls.
    scene.system->Wheel((step++ / 100) % 2 ? 120 : -120);
  }
}
BENCHMARK(BM_EditWheel10kLines)->Unit(benchmark::kMicrosecond);

void BM_EditHitTest200Chars(benchmark::State& state) {
  runtime::Text mixed;
  while (razezazo::edit_chars::CountChars(mixed) < 200) mixed += runtime::Utf8ToGbk(MixedLinesUtf8(1, 3));
  EditScene scene(mixed.substr(0, razezazo::edit_chars::BytesOfColumns(mixed, 200)), {.multi_line = true});
  int x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.box.HitTest(30 + x, 30));
    x = (x + 37) % 300;
  }
}
BENCHMARK(BM_EditHitTest200Chars)->Unit(benchmark::kMicrosecond);

// Select all in a single-line box of 20,000 mixed characters, painted: the
// highlight of a line costs what is visible of it, not a measure per character.
void BM_EditSelectAll20kCharLine(benchmark::State& state) {
  runtime::Text line;
  while (razezazo::edit_chars::CountChars(line) < 20000) line += runtime::Utf8ToGbk(MixedLinesUtf8(1, 4));
  line = line.substr(0, razezazo::edit_chars::BytesOfColumns(line, 20000));
  EditScene scene("", {});
  scene.box.SetText(line, true);
  for (auto _ : state) {
    scene.box.Select({1, 0}, {1, 20000});
    state.PauseTiming();
    scene.box.Select(scene.box.caret(), scene.box.caret());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EditSelectAll20kCharLine)->Unit(benchmark::kMillisecond);

// One blink of the caret in the focused 10,000-line box: the timer message
// in, the caret's column drawn or put back, and that column presented.
void BM_EditCaretBlink(benchmark::State& state) {
  EditScene scene(TenThousandLines(), {.multi_line = true});
  scene.system->Click(scene.window, 100, 100);
  for (auto _ : state) scene.system->Send(scene.window, winsys::WM_TIMER, scene.box.self(), 0);
}
BENCHMARK(BM_EditCaretBlink)->Unit(benchmark::kMicrosecond);

// What a focused box costs while nobody types: one second of the virtual
// clock, with its two blinks and whatever else the host does meanwhile.
void BM_EditIdleFocusedSecond(benchmark::State& state) {
  EditScene scene(TenThousandLines(), {.multi_line = true});
  scene.system->Click(scene.window, 100, 100);
  for (auto _ : state) scene.system->Advance(1000);
}
BENCHMARK(BM_EditIdleFocusedSecond)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  winsys::testing::XvfbDisplay display;
  if (!std::getenv("DISPLAY")) display.Start();
  setenv("NO_AT_BRIDGE", "1", 1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
