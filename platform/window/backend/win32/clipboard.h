#pragma once
// The clipboard's text as CF_UNICODETEXT, in UTF-8 at our side.
#include "platform/window/backend/win32/windows_api.h"

#include <string>
#include <string_view>

namespace winsys::win32 {

// Empty when the clipboard holds no text or stays busy with another program.
std::string ReadClipboardText(HWND owner);
void WriteClipboardText(HWND owner, std::string_view utf8);
bool ClipboardHasText();

}  // namespace winsys::win32
