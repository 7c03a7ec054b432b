// The shell's openers on Windows; BRIVO_OPENER and BRIVO_FILE_MANAGER replace
// them as on Linux.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "runtime/environment.h"
#include "runtime/files.h"
#include "runtime/gbk.h"
#include "runtime/process.h"
#include "runtime/shell.h"

namespace runtime {
namespace {

// The shell's item calls want COM on the thread; they run on one of their own
// so that the caller returns at once.
void SelectInExplorer(std::filesystem::path path) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (PIDLIST_ABSOLUTE item = ILCreateFromPathW(path.make_preferred().c_str())) {
    if (FAILED(SHOpenFolderAndSelectItems(item, 0, nullptr, 0)))
      ShellExecuteW(nullptr, L"open", path.parent_path().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    ILFree(item);
  }
  CoUninitialize();
}

}  // namespace

void ShellOpen(const Text& target) {
  const std::u16string wide = GbkToUtf16(target);
  if (std::optional<std::string> opener = EnvironmentValue("BRIVO_OPENER")) {
    StartDetached({*opener, GbkToUtf8(target)});
    return;
  }
  ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(wide.c_str()), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShowInFileManager(const std::filesystem::path& path) {
  if (std::optional<std::string> replacement = EnvironmentValue("BRIVO_FILE_MANAGER")) {
    StartDetached({*replacement, PathText(path)});
    return;
  }
  StartThread([path] { SelectInExplorer(path); });
}

}  // namespace runtime
