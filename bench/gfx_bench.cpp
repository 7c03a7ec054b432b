// Drawing-layer speed: image blending against a plain copy, text measuring,
// and a caption with a soft halo.
#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx/graphics.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text.h"
#include "razezazo/drawing/text_format.h"

namespace {

constexpr int kW = 380, kH = 338;

gfx::Bitmap Filled(gfx::Argb color) {
  gfx::Bitmap b(kW, kH);
  gfx::Graphics(b).Clear(color);
  return b;
}

void BM_MemcpyBackground(benchmark::State& state) {
  std::vector<std::uint32_t> src(kW * kH, 0xFF336699), dst(kW * kH);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), src.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}
BENCHMARK(BM_MemcpyBackground);

void BM_DrawBackgroundOpacity128(benchmark::State& state) {
  gfx::Bitmap src = Filled(0xC0336699), dst = Filled(0xFF102030);
  gfx::Graphics g(dst);
  const gfx::RectF all{0, 0, kW, kH};
  for (auto _ : state) {
    g.DrawImage(src, all, all, 128 / 255.0f);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}
BENCHMARK(BM_DrawBackgroundOpacity128);

// 100 characters, Chinese and Latin mixed.
std::u16string MixedLine(int variant) {
  std::u16string line = u"晨岚DJ音乐网 brivo 解析下载 track-" +
                        std::u16string(1, static_cast<char16_t>(u'A' + variant % 26)) +
                        u" 在线试听 Remix 2015 舞曲 高品质 AAC 文件 download 保存到本地 ok";
  while (line.size() < 100) line += u'x';
  return line.substr(0, 100);
}

struct TextFixture {
  gfx::Bitmap canvas{10, 10};
  gfx::Graphics g{canvas};
  razezazo::FontHandle font = razezazo::MakeFont("WenQuanYi Zen Hei");
  razezazo::FormatHandle format = std::make_shared<gfx::StringFormat>();
};

// Every iteration lays out a text it has not seen recently (no layout reuse).
void BM_MeasureMixedLineCold(benchmark::State& state) {
  TextFixture f;
  std::vector<std::u16string> lines;
  for (int i = 0; i < 64; ++i) lines.push_back(MixedLine(i) + std::u16string(1, static_cast<char16_t>(0x4E00 + i)));
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(razezazo::MeasureTextSize(f.g, lines[i++ % 64], f.font, f.format, {}));
}
BENCHMARK(BM_MeasureMixedLineCold);

// The floor under the cold measure: the same lines through a bare Pango layout
// (no formats, no line records), for a ratio measured in the same run.
void BM_BarePangoLayoutCold(benchmark::State& state) {
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  pango_context_set_language(context, pango_language_from_string("zh-cn"));
  PangoFontDescription* font = pango_font_description_from_string("WenQuanYi Zen Hei 9");
  std::vector<std::string> lines;
  for (int i = 0; i < 64; ++i) {
    const std::u16string line = MixedLine(i) + std::u16string(1, static_cast<char16_t>(0x4E00 + i));
    gchar* utf8 = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(line.data()), static_cast<glong>(line.size()),
                                  nullptr, nullptr, nullptr);
    lines.emplace_back(utf8);
    g_free(utf8);
  }
  size_t i = 0;
  for (auto _ : state) {
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, lines[i++ % 64].c_str(), -1);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    benchmark::DoNotOptimize(logical);
    g_object_unref(layout);
  }
  pango_font_description_free(font);
  g_object_unref(context);
}
BENCHMARK(BM_BarePangoLayoutCold);

// Measuring the text a control just measured or drew (the layout is reused).
void BM_MeasureMixedLineWarm(benchmark::State& state) {
  TextFixture f;
  const std::u16string line = MixedLine(0);
  for (auto _ : state) benchmark::DoNotOptimize(razezazo::MeasureTextSize(f.g, line, f.font, f.format, {}));
}
BENCHMARK(BM_MeasureMixedLineWarm);

void BM_MeasureCharacterRangeWarm(benchmark::State& state) {
  TextFixture f;
  const std::u16string line = MixedLine(0);
  const gfx::CharacterRange range{40, 12};
  for (auto _ : state) benchmark::DoNotOptimize(f.g.MeasureCharacterRanges(line, *f.font, {}, *f.format, {&range, 1}));
}
BENCHMARK(BM_MeasureCharacterRangeWarm);

void BM_MeasureCharacterRangeCold(benchmark::State& state) {
  TextFixture f;
  std::vector<std::u16string> lines;
  for (int i = 0; i < 64; ++i) lines.push_back(MixedLine(i) + std::u16string(1, static_cast<char16_t>(0x4E00 + i)));
  const gfx::CharacterRange range{40, 12};
  size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(f.g.MeasureCharacterRanges(lines[i++ % 64], *f.font, {}, *f.format, {&range, 1}));
}
BENCHMARK(BM_MeasureCharacterRangeCold);

void BM_ButtonCaptionSoftHalo(benchmark::State& state) {
  gfx::Bitmap button(75, 24);
  gfx::Graphics g(button);
  g.SetSmoothing(gfx::SmoothingMode::AntiAlias);
  g.SetTextHint(gfx::text_hint::kAntiAliasGridFit);
  razezazo::TextFormat format;
  format.Create(razezazo::text_flags::kNoWrap);
  format.SetHotkeyPrefix(1);
  const razezazo::FontHandle font = razezazo::MakeFont("WenQuanYi Zen Hei");
  for (auto _ : state) {
    razezazo::DrawText(g, {8, 4, 60, 16}, u"解析&&下载", font, 0xFE000000, format.Handle(), razezazo::kSoftHalo);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ButtonCaptionSoftHalo);

}  // namespace

BENCHMARK_MAIN();
