#include "app/cli/console_view.h"

#include <ostream>

#include "app/cli/console_text.h"
#include "runtime/gbk.h"

namespace app {

int ConsoleView::ShowMessageBox(const MessageBoxRequest& request) {
  static const runtime::Text kDefaultTitle = runtime::Gbk("提示：");
  out_ << ForConsole(request.title.value_or(kDefaultTitle)) << ": " << ForConsole(request.content) << std::endl;
  return kAnswerOk;
}

void ConsoleView::ShowSavedFile(const std::filesystem::path& file) {
  out_ << "saved: " << EscapeControls(file.native()) << std::endl;
}

}  // namespace app
