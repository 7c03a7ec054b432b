// Speed of the downloader engine: parsing large play pages and fetching large
// bodies from loopback.
#include <benchmark/benchmark.h>

#include "app/play_page_parser.h"
#include "runtime/http_get.h"
#include "tests/support/http_test_server.h"

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
BENCHMARK_CAPTURE(BM_ReadPlayPage, 4MiB_4000_assignments, 4 * kMiB, 4000, 1.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadPlayPage, 1MiB_no_assignment_at_the_end, kMiB, 1000, 0.01)
    ->Unit(benchmark::kMillisecond);

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

}  // namespace

BENCHMARK_MAIN();
