#include "platform/window/backend/win32/tooltips.h"

#include <commctrl.h>

#include "platform/window/backend/win32/wide_text.h"

namespace winsys::win32 {

namespace {

// The record's size the common controls of every Windows version take.
TOOLINFOW ToolInfo(HWND owner, std::uintptr_t id) {
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = owner;
  info.uId = id;
  return info;
}

}  // namespace

HWND Tooltips::Window() {
  if (window_) return window_.get();
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&classes);
  window_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  return window_.get();
}

void Tooltips::Replace(HWND owner, const std::vector<ToolRecord>& tools, const ScreenUnits& units) {
  HWND tip = Window();
  if (!tip || !owner) return;
  for (std::uintptr_t id : added_[owner]) {
    TOOLINFOW info = ToolInfo(owner, id);
    ::SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  added_[owner].clear();
  for (const ToolRecord& tool : tools) {
    const gfx::RectI rect = units.ToNative(tool.rect);
    std::wstring text = Widen(tool.text);
    TOOLINFOW info = ToolInfo(owner, tool.id);
    info.uFlags = TTF_SUBCLASS;
    info.rect = {rect.x, rect.y, rect.Right(), rect.Bottom()};
    info.lpszText = text.data();  // copied by the tooltip window
    if (::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) added_[owner].push_back(tool.id);
  }
  if (added_[owner].empty()) added_.erase(owner);
}

}  // namespace winsys::win32
