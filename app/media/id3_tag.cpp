#include "app/media/id3_tag.h"

#include <cstdint>

namespace app::media {
namespace {

constexpr char kUtf8 = 3;  // ID3v2.4's text encoding byte

// ID3v2.4 sizes are "synchsafe": seven bits a byte, so no size looks like a sync word.
void AppendSynchsafe(uint32_t value, std::string& out) {
  for (int shift = 21; shift >= 0; shift -= 7) out += static_cast<char>((value >> shift) & 0x7F);
}

void AppendFrame(const char (&id)[5], const std::string& body, std::string& out) {
  out.append(id, 4);
  AppendSynchsafe(static_cast<uint32_t>(body.size()), out);
  out.append(2, '\0');  // no flags
  out += body;
}

void AppendTextFrame(const char (&id)[5], const std::string& text, std::string& out) {
  if (!text.empty()) AppendFrame(id, kUtf8 + text, out);
}

// A link frame's address is Latin-1: bytes beyond ASCII are percent-encoded.
std::string AsLatin1Address(const std::string& address) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : address) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && u >= 0x20) {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 0x0F];
    }
  }
  return out;
}

}  // namespace

std::string Id3Tag(const TrackTags& tags) {
  std::string frames;
  AppendTextFrame("TIT2", tags.title, frames);
  if (!tags.page_address.empty()) {
    // An empty description, then the address.
    AppendFrame("WXXX", std::string{kUtf8, '\0'} + AsLatin1Address(tags.page_address), frames);
  }
  AppendTextFrame("TDRC", tags.date, frames);
  std::string tag = "ID3";
  tag += '\x04';  // version 2.4.0
  tag += '\0';
  tag += '\0';  // no flags
  AppendSynchsafe(static_cast<uint32_t>(frames.size()), tag);
  return tag + frames;
}

}  // namespace app::media
