#include "app/update_check.h"

#include "app/texts.h"
#include "runtime/http_get.h"
#include "runtime/process.h"
#include "runtime/shell.h"
#include "runtime/text_ops.h"

namespace app {

void UpdateCheck(const Config& config, AppState& state, MessageBoxes& boxes) {
  state.version_text = runtime::ToText(runtime::HttpGet(config.update_version_url));
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
