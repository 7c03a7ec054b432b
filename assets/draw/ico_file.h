#pragma once
// Packs PNG pictures into one Windows icon file (.ico), each picture an entry
// of its own size: the program's icon resource on Windows.
#include <string>
#include <vector>

namespace assets_draw {

bool WriteIcoFromPngs(const std::string& ico_path, const std::vector<std::string>& png_paths);

}  // namespace assets_draw
