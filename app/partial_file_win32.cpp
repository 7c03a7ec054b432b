// The partial file on Windows. The run holds its file open with delete
// access and lets others only read it: nobody else can write, rename or remove
// it meanwhile, and a later run that can open it for deletion knows that the
// run that made it is gone. It is renamed and removed through the open handle.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <vector>

#include "app/partial_file.h"
#include "app/partial_file_system.h"

namespace app {
namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

struct FileId {
  DWORD volume = 0;
  DWORD high = 0;
  DWORD low = 0;
  bool operator==(const FileId&) const = default;
};

std::optional<FileId> IdOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// True when `path` names, without following a link, the file open as `file`.
bool NameHolds(const runtime::Path& path, HANDLE file) {
  HANDLE named =
      CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (named == INVALID_HANDLE_VALUE) return false;
  const std::optional<FileId> named_id = IdOf(named);
  CloseHandle(named);
  return named_id && named_id == IdOf(file);
}

bool MarkForDeletion(HANDLE file) {
  FILE_DISPOSITION_INFO disposition{.DeleteFile = TRUE};
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool RenameOpenFile(HANDLE file, const runtime::Path& to) {
  const std::wstring& name = to.native();
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  std::copy(name.begin(), name.end(), rename->FileName);
  return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != 0;
}

}  // namespace

void RemoveIfAbandoned(const runtime::Path& path) {
  // A living run's open handle refuses this one: it shares only reading.
  HANDLE file = CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION info;
  // Only plain files: never a folder or a link planted under the name.
  const DWORD not_plain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  if (GetFileInformationByHandle(file, &info) && !(info.dwFileAttributes & not_plain)) MarkForDeletion(file);
  CloseHandle(file);
}

std::optional<PartialFile> PartialFile::Create(const runtime::Path& folder, const std::string& result_name) {
  for (int attempt = 0; attempt < kMostPartialNameAttempts; ++attempt) {
    runtime::Path path = NewPartialFilePath(folder, result_name);
    // CREATE_NEW: never an existing file, and never through a link planted under the name.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return std::nullopt;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
    if (fd < 0) {
      MarkForDeletion(file);
      CloseHandle(file);
      return std::nullopt;
    }
    return PartialFile(runtime::UniqueFd(fd), std::move(path));
  }
  return std::nullopt;
}

PartialFile::~PartialFile() {
  if (file_.valid() && !kept_ && NameIsStillOurs()) MarkForDeletion(HandleOf(file_.get()));
}

long long PartialFile::Size() const {
  LARGE_INTEGER size;
  return GetFileSizeEx(HandleOf(file_.get()), &size) ? size.QuadPart : -1;
}

std::optional<std::string> PartialFile::ReadAll() const {
  const long long size = Size();
  if (size < 0) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  for (size_t done = 0; done < bytes.size();) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(done);
    at.OffsetHigh = static_cast<DWORD>(static_cast<unsigned long long>(done) >> 32);
    DWORD n = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    if (!ReadFile(HandleOf(file_.get()), bytes.data() + done, wanted, &n, &at) || n == 0) return std::nullopt;
    done += n;
  }
  return bytes;
}

bool PartialFile::Append(std::string_view bytes) {
  const HANDLE file = HandleOf(file_.get());
  LARGE_INTEGER end{};
  if (!SetFilePointerEx(file, end, nullptr, FILE_END)) return false;
  while (!bytes.empty()) {
    DWORD n = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(file, bytes.data(), wanted, &n, nullptr) || n == 0) return false;
    bytes.remove_prefix(n);
  }
  return true;
}

bool PartialFile::NameIsStillOurs() const { return NameHolds(path_, HandleOf(file_.get())); }

bool PartialFile::KeepAs(const runtime::Path& result) {
  // A full disk or a failing one shows here at the latest, before any earlier
  // file of the name is replaced.
  const HANDLE file = HandleOf(file_.get());
  if (!FlushFileBuffers(file) || !NameIsStillOurs()) return false;
  kept_ = RenameOpenFile(file, result);
  return kept_;
}

}  // namespace app
