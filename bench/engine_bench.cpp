// Speed of the downloader engine: parsing large play pages, the worst pages a
// hostile site can send within the parser's caps (time and peak heap),
// fetching large bodies from loopback, and saving a long stream's audio.
#include <benchmark/benchmark.h>
#include <malloc.h>
#ifdef _WIN32
// The C runtime's name for the size of a block that malloc gave.
#define malloc_usable_size _msize
#endif

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/media/track_file.h"
#include "app/play_page_parser.h"
#include "runtime/http_get.h"
#include "tests/support/http_test_server.h"
#include "tests/support/media_files.h"

namespace {

constexpr size_t kMiB = 1024 * 1024;
constexpr char kMobileHost[] = "m.example.test";

// A play page of about `size` bytes whose script section holds `assignments`
// name='value'; assignments spread evenly over the first `spread` share of it;
// the rest of the section is script without any assignment.
std::string MakePage(size_t size, size_t assignments, double spread) {
  std::string section;
  size_t stride = static_cast<size_t>(static_cast<double>(size) * spread) / assignments;
  std::string filler_unit = "if(x<1){y=y+1;}else{z(\"q\");} ";
  for (size_t i = 0; i < assignments; ++i) {
    section += "v" + std::to_string(i) + "='part" + std::to_string(i) + "/';";
    while (section.size() < (i + 1) * stride) section += filler_unit;
  }
  while (section.size() < size) section += filler_unit;
  return std::string("<html><script>location.href=('http://") + kMobileHost + "');}" + section +
         "var n =\"track\";var t=1;play(fwqhp, pv);pv=x4+k1v+v0;fmpObj = {};}</script></html>";
}

void BM_ReadPlayPage(benchmark::State& state, size_t size, size_t assignments, double spread) {
  app::Config config;
  config.site_mobile_host = kMobileHost;
  app::AppState app_state;
  app_state.page_text = MakePage(size, assignments, spread);
  for (auto _ : state) {
    app::ReadPlayPage(config, app_state);
    benchmark::DoNotOptimize(app_state.stream_path);
  }
  if (app_state.stream_path != "part0/") state.SkipWithError("wrong play path");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * app_state.page_text.size()));
}
BENCHMARK_CAPTURE(BM_ReadPlayPage, 1MiB_1000_assignments, kMiB, 1000, 1.0)->Unit(benchmark::kMillisecond);
// Just within the largest page read and the most assignments applied.
BENCHMARK_CAPTURE(BM_ReadPlayPage, 4MiB_1000_assignments, 4 * kMiB - 1024, 1000, 1.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadPlayPage, 1MiB_no_assignment_at_the_end, kMiB, 1000, 0.01)->Unit(benchmark::kMillisecond);

// Heap bytes in use and their peak, counted by the replaced operator new below.
std::atomic<size_t> heap_in_use{0};
std::atomic<size_t> heap_peak{0};

void CountAllocated(void* block) {
  size_t now = heap_in_use += malloc_usable_size(block);
  for (size_t peak = heap_peak; now > peak && !heap_peak.compare_exchange_weak(peak, now);) {
  }
}

// A page of the largest size read whose script section is `unit` repeated, and
// whose play-path expression is `expression`.
std::string WorstPage(const std::string& unit, const std::string& expression) {
  std::string tail = "var n =\"t\";var t=1;play(fwqhp, pv);pv=" + expression + ";fmpObj = {};}</script></html>";
  std::string head = std::string("<html><script>location.href=('http://") + kMobileHost + "');}";
  std::string section;
  while (head.size() + section.size() + unit.size() + tail.size() <= app::kMaxPageBytes) section += unit;
  return head + section + tail;
}

// The worst pages found: as many assignments as fit; values that never close
// (the pattern search's worst case); a long expression that every assignment
// rewrites whole, in single-byte and in double-byte characters.
void BM_ReadWorstPage(benchmark::State& state, const std::string& unit, const std::string& expression) {
  app::Config config;
  config.site_mobile_host = kMobileHost;
  app::AppState app_state;
  const std::string page = WorstPage(unit, expression);
  size_t peak = 0;
  for (auto _ : state) {
    app_state = {};
    app_state.page_text = page;
    heap_peak = heap_in_use.load();
    app::ReadPlayPage(config, app_state);
    peak = std::max(peak, heap_peak.load());
    benchmark::DoNotOptimize(app_state.stream_path);
  }
  state.counters["page_MiB"] = static_cast<double>(page.size()) / kMiB;
  state.counters["peak_heap_MiB"] = static_cast<double>(peak) / kMiB;
  state.counters["assignments"] = static_cast<double>(app_state.assignments.size());
}
BENCHMARK_CAPTURE(BM_ReadWorstPage, assignment_flood, "a='';", "a")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadWorstPage, unclosed_values, "a='", "a")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadWorstPage, long_names, std::string(201, 'n') + "='v';", std::string(4000, 'n'))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadWorstPage, whole_expression_rewrites, "a='b';b='a';", std::string(4090, 'a'))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadWorstPage, double_byte_rewrites, "\x81\x61='\x81\x62';\x81\x62='\x81\x61';",
                  [] {
                    std::string e;
                    while (e.size() < 4090) e += "\x81\x61";
                    return e;
                  }())
    ->Unit(benchmark::kMillisecond);

// A page whose script section, and what follows the section's end, repeat that
// end in capitals: each repeat begins a long near-match of the text that the
// section's extraction drops (compared without regard to case).
void BM_ReadPageRepeatingItsEnd(benchmark::State& state) {
  const std::string unit = "}</SCRIPT>";
  std::string repeats;
  while (repeats.size() < app::kMaxPageBytes / 2 - 1024) repeats += unit;
  const std::string page = std::string("<html><script>location.href=('http://") + kMobileHost + "');}" + repeats +
                           "var n =\"t\";var t=1;play(fwqhp, pv);pv=a;fmpObj = {};}</script>" + repeats + "</html>";
  app::Config config;
  config.site_mobile_host = kMobileHost;
  app::AppState app_state;
  for (auto _ : state) {
    app_state.page_text = page;
    app::ReadPlayPage(config, app_state);
    benchmark::DoNotOptimize(app_state.stream_path);
  }
  if (app_state.stream_path != "a") state.SkipWithError("wrong play path");
}
BENCHMARK(BM_ReadPageRepeatingItsEnd)->Unit(benchmark::kMillisecond);

void BM_HttpGet16MiB(benchmark::State& state) {
  testing_support::HttpTestServer server;
  std::string body(16 * kMiB, 'x');
  server.Route("/big", {.body = body});
  std::string url = server.Url("/big");
  for (auto _ : state) {
    runtime::ByteBlock fetched = runtime::HttpGet(url);
    if (fetched.size() != body.size()) state.SkipWithError("short body");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_HttpGet16MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

// A ten-minute AAC stream at 128 kbit/s as rtmpdump writes it: 44.1 kHz,
// 1024 samples (23.2 ms) a frame, 372 bytes a frame.
const std::string& TenMinuteStream() {
  static const std::string stream = [] {
    testing_support::FlvBuilder flv;
    flv.AacConfig();
    const std::string frame(372, '\x5A');
    for (uint32_t i = 0; i < 10 * 60 * 44100 / 1024; ++i) flv.AacFrame(frame);
    return flv.bytes();
  }();
  return stream;
}

void BM_FlvToAdts10Minutes(benchmark::State& state) {
  const std::string& flv = TenMinuteStream();
  for (auto _ : state) {
    std::optional<app::media::TrackFile> track = app::media::TrackFileFrom(flv, {.title = "track"});
    if (!track || !track->bytes) state.SkipWithError("no .aac");
    benchmark::DoNotOptimize(track);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * flv.size()));
}
BENCHMARK(BM_FlvToAdts10Minutes)->Unit(benchmark::kMillisecond);

// What the rewrite is measured against: one copy of the same bytes into a new string.
void BM_CopyOf10MinuteStream(benchmark::State& state) {
  const std::string& flv = TenMinuteStream();
  for (auto _ : state) {
    std::string copy(flv);
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * flv.size()));
}
BENCHMARK(BM_CopyOf10MinuteStream)->Unit(benchmark::kMillisecond);

}  // namespace

void* operator new(size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  CountAllocated(block);
  return block;
}
// The replaced operator new allocates with malloc, so free is its match here;
// GCC cannot see that the two replacements belong together.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* block) noexcept {
  if (block) heap_in_use -= malloc_usable_size(block);
  std::free(block);
}
#pragma GCC diagnostic pop
void operator delete(void* block, size_t) noexcept { operator delete(block); }

BENCHMARK_MAIN();
