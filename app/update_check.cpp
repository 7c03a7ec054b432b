#include "app/update_check.h"

#include <algorithm>
#include <chrono>

#include "app/texts.h"
#include "runtime/http_get.h"
#include "runtime/process.h"
#include "runtime/shell.h"
#include "runtime/text_ops.h"

namespace app {
namespace {

// The check runs before the window shows, so a server that is slow, silent or
// trickling may hold up the start only this long; then the check has failed.
constexpr runtime::FetchLimits kVersionFetch{.max_bytes = 64 << 10, .time_limit = std::chrono::seconds(3)};
// A version is a short label such as "[2015.11.02]"; a longer first line is not
// one, and laying it out in a question would only stall the start.
constexpr size_t kMostVersionBytes = 48;

// The version a version file names: its first line, when that is a short text
// without control characters; otherwise nothing (a failed check).
runtime::Text VersionOf(const runtime::Text& file) {
  runtime::Text line = file.substr(0, file.find_first_of("\r\n"));
  const bool usable =
      !line.empty() && line.size() <= kMostVersionBytes &&
      std::none_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
  return usable ? line : runtime::Text();
}

}  // namespace

void UpdateCheck(const Config& config, AppState& state, MessageBoxes& boxes) {
  state.version_text = VersionOf(runtime::ToText(runtime::HttpGet(config.update_version_url, kVersionFetch)));
  if (state.version_text.empty() || state.version_text == texts::kVersion) return;
  int answer = boxes.ShowMessageBox({
      .content = runtime::Concat(texts::kNewVersionPrefix, state.version_text, texts::kNewVersionSuffix),
      .type = kBoxYesNo,
      .title = texts::kTitleBase,
      .icon = kIconQuestion,
  });
  if (answer != kAnswerYes) return;
  runtime::ShellOpen(config.update_page_url);
  runtime::EndProgram();
}

}  // namespace app
