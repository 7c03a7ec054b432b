#pragma once
// brivo's built-in images, embedded at build time. Each is the encoded file
// (PNG or JPEG) as drawn by assets/draw. Those with a scale argument are also
// drawn for 200 % screens: scale 2 gives that picture (twice the pixels each
// way), any other scale the 1x one.
#include <cstdint>
#include <span>

namespace assets {

using Bytes = std::span<const std::uint8_t>;

Bytes MainBackground(int scale = 1);   // 380 x 338 progressive JPEG
Bytes CaptionButtons(int scale = 1);   // 729 x 20 PNG: normal, hot and pressed faces of each caption button
Bytes PushButtonSkin(int scale = 1);   // 55 x 28 PNG: four 13 x 28 cells, nine-grid margins 5, 5, 5, 8
Bytes MessageBoxSkin();                // 2 x 160 PNG
Bytes MessageBoxIcons(int scale = 1);  // 200 x 40 PNG: error, warning, question, information, done
Bytes ProgramIcon(int size);           // 16, 32, 48 or 256 pixels square PNG; other sizes give the 48 one

}  // namespace assets
