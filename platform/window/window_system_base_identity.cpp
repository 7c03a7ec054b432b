// The program's window class and the windows' icons.
#include "platform/window/window_system_base.h"

namespace winsys {

void WindowSystemBase::SetProgramClass(std::string_view name) {
  if (name.empty() || name == program_class_) return;
  program_class_ = std::string(name);
  NativeProgramClass(program_class_);
}

void WindowSystemBase::SetWindowIcon(WindowId window, const std::vector<gfx::Bitmap>& icons) {
  WindowRecord* record = Record(window);
  if (!record) return;
  record->icons.clear();
  for (const gfx::Bitmap& icon : icons)
    if (!icon.IsNull()) record->icons.push_back(icon.Clone());
  NativeIcon(*record);
}

const std::vector<gfx::Bitmap>& WindowSystemBase::WindowIcons(WindowId window) const {
  static const std::vector<gfx::Bitmap> kNone;
  const WindowRecord* record = Record(window);
  return record ? record->icons : kNone;
}

}  // namespace winsys
