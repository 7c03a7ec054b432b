// A Windows program that puts its argument on the clipboard as Unicode text
// and ends: another program's copy, for the window tests under Wine.
#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <cwchar>

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (count != 2) return 2;
  const std::size_t bytes = (std::wcslen(arguments[1]) + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return 1;
  std::memcpy(GlobalLock(memory), arguments[1], bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return put ? 0 : 1;
}
