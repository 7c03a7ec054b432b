#include "app/gui/window_ui_thread.h"

#include "platform/window/window_system.h"

namespace app::gui {

void WindowUiThread::Post(std::function<void()> task) { winsys::Current().PostTask(std::move(task)); }

}  // namespace app::gui
