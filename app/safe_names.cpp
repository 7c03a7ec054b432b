#include "app/safe_names.h"

#include <algorithm>

#include "app/system_file_names.h"
#include "runtime/gbk.h"

namespace app {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// A Linux file name holds 255 bytes. Chinese takes three of them in UTF-8 (two
// in GBK), so about 84 characters of a long mix's title would already be too
// many: the name is cut at a character boundary to leave room for the partial
// file's ".aac.01234567.part".
constexpr size_t kMaxNameBytes = 255 - 18;

void CutToFileNameLength(std::string& utf8) {
  if (utf8.size() <= kMaxNameBytes) return;
  size_t end = kMaxNameBytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;  // inside a character
  utf8.resize(end);
}

}  // namespace

runtime::Text CutTrackName(const runtime::Text& track_name) {
  // A GBK character of two bytes takes at most three in UTF-8, so is a lone
  // byte above 0x7F (it reads as U+FFFD or U+20AC).
  size_t utf8_bytes = 0;
  for (size_t i = 0; i < track_name.size();) {
    const bool ascii = static_cast<unsigned char>(track_name[i]) < 0x80;
    const size_t length = ascii || i + 1 == track_name.size() ? 1 : 2;
    utf8_bytes += ascii ? 1 : 3;
    if (utf8_bytes > kMaxNameBytes) return track_name.substr(0, i);
    i += length;
  }
  return track_name;
}

// Works on the UTF-8 form, which is what reaches the file system and the tool's
// argv: a malformed GBK pair can then never hide an ASCII quote or slash.
std::string SafeFileName(const runtime::Text& track_name) {
  std::string name = runtime::GbkToUtf8(track_name);
  if (name.empty()) return "_";
  for (char& c : name) {
    auto u = static_cast<unsigned char>(c);
    if (IsControl(u) || c == '/' || c == '\\' || c == '"' || IsReservedInFileNames(c)) c = '_';
  }
  if (name[0] == '.' || name[0] == '-') name[0] = '_';
  CutToFileNameLength(name);
  return AsOrdinaryFileName(std::move(name));
}

runtime::Text AddressAsArgument(const runtime::Text& address) {
  runtime::Text out;
  out.reserve(address.size());
  for (char c : address) {
    auto u = static_cast<unsigned char>(c);
    if (IsControl(u) || c == ' ' || c == '"') {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

bool IsUsablePlayPath(const runtime::Text& play_path) {
  std::string path = runtime::GbkToUtf8(play_path);
  return !path.empty() && std::none_of(path.begin(), path.end(), [](char c) {
    auto u = static_cast<unsigned char>(c);
    return IsControl(u) || c == ' ' || c == '"';
  });
}

}  // namespace app
