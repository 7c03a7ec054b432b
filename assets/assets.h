#pragma once
// brivo's built-in images, embedded at build time. Each is the encoded file
// (PNG or JPEG) as drawn by assets/draw.
#include <cstdint>
#include <span>

namespace assets {

using Bytes = std::span<const std::uint8_t>;

Bytes MainBackground();       // 380 x 338 progressive JPEG
Bytes CaptionButtons();       // 729 x 20 PNG: normal, hot and pressed faces of each caption button
Bytes PushButtonSkin();       // 55 x 28 PNG: four 13 x 28 cells, nine-grid margins 5, 5, 5, 8
Bytes MessageBoxSkin();       // 2 x 160 PNG
Bytes MessageBoxIcons();      // 200 x 40 PNG: error, warning, question, information, done
Bytes ProgramIcon(int size);  // 16, 32, 48 or 256 pixels square PNG; other sizes give the 48 one

}  // namespace assets
