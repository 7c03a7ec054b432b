// File operations through the wide Windows APIs: any name works.
#include <windows.h>

#include <fstream>
// windows.h names its ANSI/wide pairs by macros that would rename ours.
#undef DeleteFile
#undef SetFileAttributes

#include "runtime/files.h"

namespace runtime {

Path ProgramDir() {
  std::wstring exe(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    if (n == 0) return ".";
    if (n < exe.size()) {
      exe.resize(n);
      break;
    }
    exe.resize(exe.size() * 2);
  }
  return Path(exe).parent_path();
}

bool FileExists(const Path& path) {
  return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const Path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool WriteFile(const Path& path, std::initializer_list<std::string_view> blocks) {
  if (path.empty()) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  for (std::string_view block : blocks) file.write(block.data(), static_cast<std::streamsize>(block.size()));
  file.close();
  return static_cast<bool>(file);
}

bool SetFileAttributes(const Path& path, unsigned bits) {
  if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD kept = bits & 0x27;
  return SetFileAttributesW(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool DeleteFile(const Path& path) { return !path.empty() && DeleteFileW(path.c_str()) != 0; }

bool RenameFile(const Path& from, const Path& to) {
  return !from.empty() && !to.empty() &&
         MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool CanCreateFilesIn(const Path& folder) {
  wchar_t probe[MAX_PATH];
  if (folder.empty() || GetTempFileNameW(folder.c_str(), L"brv", 0, probe) == 0) return false;
  DeleteFileW(probe);
  return true;
}

}  // namespace runtime
