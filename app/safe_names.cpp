#include "app/safe_names.h"

#include <algorithm>

#include "runtime/gbk.h"

namespace app {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

// Works on the UTF-8 form, which is what reaches the file system and the tool's
// argv: a malformed GBK pair can then never hide an ASCII quote or slash.
runtime::Text SafeFileName(const runtime::Text& track_name) {
  std::string name = runtime::GbkToUtf8(track_name);
  if (name.empty()) return "_";
  for (char& c : name) {
    auto u = static_cast<unsigned char>(c);
    if (IsControl(u) || c == '/' || c == '\\' || c == '"') c = '_';
  }
  if (name[0] == '.' || name[0] == '-') name[0] = '_';
  return runtime::Utf8ToGbk(name);
}

bool IsUsablePlayPath(const runtime::Text& play_path) {
  std::string path = runtime::GbkToUtf8(play_path);
  return !path.empty() && std::none_of(path.begin(), path.end(), [](char c) {
    auto u = static_cast<unsigned char>(c);
    return IsControl(u) || c == ' ' || c == '"';
  });
}

}  // namespace app
