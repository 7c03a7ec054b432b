#include "platform/window/backend/win32/input_method.h"

#include "platform/window/backend/win32/wide_text.h"
#include "platform/window/backend/win32/win32_handles.h"

namespace winsys::win32 {

std::string ImeResultText(HWND window) {
  const ImeContext context(window);
  if (!context.get()) return {};
  const LONG bytes = ::ImmGetCompositionStringW(context.get(), GCS_RESULTSTR, nullptr, 0);
  if (bytes <= 0) return {};
  std::wstring text(static_cast<size_t>(bytes) / sizeof(wchar_t), L'\0');
  ::ImmGetCompositionStringW(context.get(), GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
  return Narrow(text);
}

void EnableIme(HWND window, bool enabled) { ::ImmAssociateContextEx(window, nullptr, enabled ? IACE_DEFAULT : 0); }

void PlaceImeWindows(HWND window, const gfx::RectI& caret) {
  const ImeContext context(window);
  if (!context.get()) return;
  COMPOSITIONFORM composition{CFS_POINT, {caret.x, caret.y}, {}};
  ::ImmSetCompositionWindow(context.get(), &composition);
  CANDIDATEFORM candidates{
      0, CFS_EXCLUDE, {caret.x, caret.Bottom()}, {caret.x, caret.y, caret.Right(), caret.Bottom()}};
  ::ImmSetCandidateWindow(context.get(), &candidates);
}

}  // namespace winsys::win32
