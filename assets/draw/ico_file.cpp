#include "ico_file.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace assets_draw {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put16(Bytes& out, unsigned value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A PNG's width or height from its IHDR chunk (big-endian at bytes 16 and 20).
unsigned PngDimension(const Bytes& png, std::size_t offset) {
  return (unsigned{png[offset]} << 24) | (unsigned{png[offset + 1]} << 16) | (unsigned{png[offset + 2]} << 8) |
         png[offset + 3];
}

}  // namespace

bool WriteIcoFromPngs(const std::string& ico_path, const std::vector<std::string>& png_paths) {
  std::vector<Bytes> pngs;
  for (const std::string& path : png_paths) {
    pngs.push_back(ReadFile(path));
    if (pngs.back().size() < 24) return false;
  }
  Bytes out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, static_cast<unsigned>(pngs.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(pngs.size());
  for (const Bytes& png : pngs) {
    // 256 is written as 0: the field is one byte.
    out.push_back(PngDimension(png, 16) & 0xFF);
    out.push_back(PngDimension(png, 20) & 0xFF);
    out.push_back(0);  // no palette
    out.push_back(0);  // reserved
    Put16(out, 1);     // colour planes
    Put16(out, 32);    // bits per pixel
    Put32(out, static_cast<std::uint32_t>(png.size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(png.size());
  }
  for (const Bytes& png : pngs) out.insert(out.end(), png.begin(), png.end());
  std::ofstream file(ico_path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

}  // namespace assets_draw
