#include "app/cli/console_view.h"

#include <ostream>

#include "runtime/gbk.h"

namespace app {

int ConsoleView::ShowMessageBox(const MessageBoxRequest& request) {
  static const runtime::Text kDefaultTitle = runtime::Gbk("提示：");
  out_ << runtime::GbkToUtf8(request.title.value_or(kDefaultTitle)) << ": "
       << runtime::GbkToUtf8(request.content) << std::endl;
  return kAnswerOk;
}

}  // namespace app
