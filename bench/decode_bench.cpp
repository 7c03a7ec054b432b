// Decoding hostile images: each must be refused (or decoded) quickly and
// within little memory. Time is Google Benchmark's; "peak_MB" is the resident
// memory a decode adds at its peak, measured once in a forked child;
// "decoded" says whether the image was accepted.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "hostile_images.h"
#include "platform/gfx/image_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A line of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return 0;
}

// The resident memory a decode adds at its peak, measured in a forked child:
// the child first hands the parent's free heap back to the system (a decode
// must not reuse pages that are already resident) and resets its peak.
double PeakMegabytes(const Bytes& bytes) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKilobytes("VmRSS");
    benchmark::DoNotOptimize(gfx::DecodeImage(bytes));
    const long grown = StatusKilobytes("VmHWM") - before;
    if (write(pipe_ends[1], &grown, sizeof grown) != sizeof grown) _exit(1);
    _exit(0);
  }
  close(pipe_ends[1]);
  long grown = -1024;
  if (read(pipe_ends[0], &grown, sizeof grown) != sizeof grown) grown = -1024;
  close(pipe_ends[0]);
  waitpid(child, nullptr, 0);
  return grown / 1024.0;
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
  state.counters["peak_MB"] = PeakMegabytes(bytes);
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
