#pragma once
// Writes small animated GIFs with chosen frame delays, for decoder tests.
#include <gif_lib.h>

#include <cstdint>
#include <vector>

namespace gfx::testing {

// Frames of 2 x 2 pixels at the top left of a `screen` x `screen` picture, each
// filled with palette index i % 4 (black, red, green, blue); delays in hundredths
// of a second, -1 for a frame without a graphic control block.
inline std::vector<std::uint8_t> MakeGif(const std::vector<int>& delays, int screen = 2) {
  std::vector<std::uint8_t> out;
  auto write = [](GifFileType* gif, const GifByteType* data, int n) {
    auto* o = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    o->insert(o->end(), data, data + n);
    return n;
  };
  int error = 0;
  GifFileType* gif = EGifOpen(&out, write, &error);
  const GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  ColorMapObject* map = GifMakeMapObject(4, colors);
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, screen, screen, 8, 0, map);
  GifFreeMapObject(map);
  for (size_t i = 0; i < delays.size(); ++i) {
    if (delays[i] >= 0) {
      GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, delays[i], NO_TRANSPARENT_COLOR};
      GifByteType ext[4];
      EGifGCBToExtension(&gcb, ext);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    }
    EGifPutImageDesc(gif, 0, 0, 2, 2, false, nullptr);
    GifPixelType line[2] = {static_cast<GifPixelType>(i % 4), static_cast<GifPixelType>(i % 4)};
    EGifPutLine(gif, line, 2);
    EGifPutLine(gif, line, 2);
  }
  EGifCloseFile(gif, &error);
  return out;
}

}  // namespace gfx::testing
