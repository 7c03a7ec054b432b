// The play-page pipeline on hostile pages: section, track name, assignments,
// substitutions and play path derived from any bytes, within the parser's bounds.
#include "app/config.h"
#include "app/play_page_parser.h"
#include "fuzz/fuzz_input.h"

namespace {

// The corpus pages are the demo site's, which name this host.
app::Config DemoConfig() {
  app::Config config;
  config.site_mobile_host = "127.0.0.1:18080";
  config.site_web_host = "127.0.0.1:18080";
  config.site_rtmp_host = "127.0.0.1:11935";
  return config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const app::Config config = DemoConfig();
  app::AppState state;
  state.page_text.assign(reinterpret_cast<const char*>(data), size);
  app::ReadPlayPage(config, state);
  // Markers only cut and drop: nothing cut out of the page is larger than it.
  fuzzing::Check(state.script_section.size() <= state.page_text.size(), "a section larger than its page");
  fuzzing::Check(state.track_name.size() <= state.script_section.size(), "a track name larger than its section");
  fuzzing::Check(state.stream_path.size() <= 64 * 1024, "a play path beyond the parser's bound");
  return 0;
}
