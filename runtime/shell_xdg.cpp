#include "runtime/shell.h"

#include <string>

#include "runtime/environment.h"
#include "runtime/gbk.h"
#include "runtime/process.h"

namespace runtime {
namespace {

std::string FileUri(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' || c == '-' ||
                 c == '_' || c == '.' || c == '~';
    if (plain) {
      uri.push_back(static_cast<char>(c));
    } else {
      uri.push_back('%');
      uri.push_back(kHex[c >> 4]);
      uri.push_back(kHex[c & 15]);
    }
  }
  return uri;
}

std::string Folder(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

void ShellOpen(const Text& target) {
  StartDetached({EnvironmentValue("BRIVO_OPENER").value_or("xdg-open"), GbkToUtf8(target)});
}

void ShowInFileManager(const std::filesystem::path& path) {
  const std::string& bytes = path.native();
  if (std::optional<std::string> replacement = EnvironmentValue("BRIVO_FILE_MANAGER")) {
    StartDetached({*replacement, bytes});
    return;
  }
  // The freedesktop file-manager service selects the file; without one, open its folder.
  static const char kScript[] =
      "gdbus call --session --dest org.freedesktop.FileManager1"
      " --object-path /org/freedesktop/FileManager1"
      " --method org.freedesktop.FileManager1.ShowItems \"['$1']\" '' >/dev/null 2>&1"
      " || exec xdg-open \"$2\" >/dev/null 2>&1";
  StartDetached({"/bin/sh", "-c", kScript, "brivo-show", FileUri(bytes), Folder(bytes)});
}

}  // namespace runtime
