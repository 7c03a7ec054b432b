#include "app/cli/console_view.h"

#include <ostream>

#include "app/cli/console_text.h"
#include "runtime/files.h"
#include "runtime/gbk.h"

namespace app {

namespace {
// Back to the line's start, then erase to its end.
constexpr char kWipeLine[] = "\r\x1b[K";
}  // namespace

int ConsoleView::ShowMessageBox(const MessageBoxRequest& request) {
  EndProgress();
  static const runtime::Text kDefaultTitle = runtime::Gbk("提示：");
  out_ << ForConsole(request.title.value_or(kDefaultTitle)) << ": " << ForConsole(request.content) << std::endl;
  if (errors_ && request.icon == kIconError && !request.detail.empty())
    *errors_ << "brivo-cli: " << ForConsole(request.detail) << std::endl;
  return kAnswerOk;
}

void ConsoleView::ShowSavedFile(const std::filesystem::path& file) {
  EndProgress();
  out_ << "saved: " << EscapeControls(runtime::PathText(file)) << std::endl;
}

void ConsoleView::ShowProgress(const DownloadProgress& progress) {
  if (!progress_) return;
  *progress_ << kWipeLine << "downloading: " << ProgressText(progress) << std::flush;
  progress_shown_ = true;
}

void ConsoleView::EndProgress() {
  if (!progress_shown_) return;
  *progress_ << kWipeLine << std::flush;
  progress_shown_ = false;
}

}  // namespace app
