// Decoding hostile images: each must be refused (or decoded) quickly and
// within little memory. Time is Google Benchmark's; "peak_MB" is the peak
// resident memory a decode adds, measured once in a forked child;
// "decoded" says whether the image was accepted.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "assets/assets.h"
#include "hostile_images.h"
#include "platform/gfx/image_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The peak resident size of a child that decodes the bytes, less that of one
// that does not.
double PeakMegabytes(const Bytes& bytes, bool decode) {
  const pid_t child = fork();
  if (child == 0) {
    if (decode) benchmark::DoNotOptimize(gfx::DecodeImage(bytes));
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return usage.ru_maxrss / 1024.0;
}

void Decode(benchmark::State& state, const Bytes& bytes) {
  bool decoded = false;
  for (auto _ : state) {
    auto image = gfx::DecodeImage(bytes);
    decoded = image.has_value();
    benchmark::DoNotOptimize(image);
  }
  state.counters["decoded"] = decoded;
  state.counters["file_KB"] = bytes.size() / 1024.0;
  state.counters["peak_MB"] = PeakMegabytes(bytes, true) - PeakMegabytes(bytes, false);
}

// One 16384 x 16384 frame on a 1 x 1 screen (about 190 KB), and four of them.
void BM_GifOneHugeFrame(benchmark::State& state) {
  static const Bytes gif = gfx::testing::MakeGifOfHugeFrames(1, 16384, 16384, 1);
  Decode(state, gif);
}
BENCHMARK(BM_GifOneHugeFrame)->Unit(benchmark::kMillisecond);

void BM_GifFourHugeFrames(benchmark::State& state) {
  static const Bytes gif = gfx::testing::MakeGifOfHugeFrames(1, 16384, 16384, 4);
  Decode(state, gif);
}
BENCHMARK(BM_GifFourHugeFrames)->Unit(benchmark::kMillisecond);

// Progressive JPEGs with 1,000 scans: 2048 x 2048 (about 32 KB) and
// 3800 x 3800 (about 90 KB).
void BM_JpegThousandScans(benchmark::State& state) {
  static const Bytes small = gfx::testing::MakeJpegWithScans(2048, 2048, 1000);
  static const Bytes large = gfx::testing::MakeJpegWithScans(3800, 3800, 1000);
  Decode(state, state.range(0) == 2048 ? small : large);
}
BENCHMARK(BM_JpegThousandScans)->Arg(2048)->Arg(3800)->Unit(benchmark::kMillisecond);

// A few hundred bytes declaring 8000 x 8000.
void BM_JpegDeclaringHugeSize(benchmark::State& state) {
  static const Bytes jpeg = gfx::testing::MakeJpegDeclaring(8000, 8000);
  Decode(state, jpeg);
}
BENCHMARK(BM_JpegDeclaringHugeSize)->Unit(benchmark::kMillisecond);

// For scale: the built-in 380 x 338 progressive background.
void BM_MainBackground(benchmark::State& state) {
  const Bytes jpeg(assets::MainBackground().begin(), assets::MainBackground().end());
  Decode(state, jpeg);
}
BENCHMARK(BM_MainBackground)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
