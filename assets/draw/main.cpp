// Draws brivo's built-in images into the folder given as the only argument.
// The output is deterministic: no randomness, no fonts, fixed geometry.
#include <cstdio>
#include <string>

#include "canvas.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  assets_draw::DrawBackground(dir);
  assets_draw::DrawCaptionButtons(dir);
  assets_draw::DrawPushButtonSkin(dir);
  assets_draw::DrawMessageBoxSkin(dir);
  assets_draw::DrawMessageBoxIcons(dir);
  assets_draw::DrawProgramIcons(dir);
  return 0;
}
