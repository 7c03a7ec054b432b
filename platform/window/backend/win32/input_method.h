#pragma once
// The input method through IMM32: the system's own composition and candidate
// windows, placed at our caret; the committed text read back as UTF-8.
#include "platform/window/backend/win32/windows_api.h"

#include <string>

#include "platform/gfx/geometry.h"

namespace winsys::win32 {

// The result string of the WM_IME_COMPOSITION being handled.
std::string ImeResultText(HWND window);
// Turns the window's input method on (the default context) or off (none).
void EnableIme(HWND window, bool enabled);
// The composition shows at the caret, the candidate list below it without
// covering it (window device pixels).
void PlaceImeWindows(HWND window, const gfx::RectI& caret);

}  // namespace winsys::win32
