// The start-up routine, in its documented order: nothing of the main window
// exists before the update check has answered, and the window shows only
// once the version file has been fetched.
#include "app/downloader_tool.h"
#include "app/gui/brivo_window.h"
#include "app/gui/framework_message_boxes.h"
#include "app/gui/main_window_look.h"
#include "app/texts.h"
#include "app/update_check.h"
#include "runtime/gbk.h"
#include "runtime/text_ops.h"

namespace app::gui {

void BrivoWindow::Start() {
  winsys::Current().SetWindowText(window_, runtime::GbkToUtf8(runtime::Concat(texts::kTitleBase, texts::kVersion)));
  FrameworkMessageBoxes question(window_);
  UpdateCheck(context_.config, context_.state, question);
  if (!winsys::Current().IsWindow(window_)) return;  // a signal ended the program during the question
  InstallDownloaderTool(context_.state);
  host_.Create(window_, MainHostOptions());
  controls_.Create(window_);
  BindHandlers();
  host_.LayOutCaption();
  host_.Show(kMainShowAnimation);
  host_.SetCloseAnimation(kMainCloseAnimation);
}

}  // namespace app::gui
