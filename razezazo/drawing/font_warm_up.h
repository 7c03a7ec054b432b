#pragma once
// Loads what the framework's text needs (fontconfig's configuration and
// caches, the default font's choice, its font files and first glyphs) on a
// thread of its own, while the program opens its display and does its first
// work. Fontconfig and cairo keep these process-wide, so the UI thread finds
// them ready instead of loading them one after the other before its first
// frame; only Pango's small per-thread caches are built twice.
#include <thread>

namespace razezazo {

class FontWarmUp {
 public:
  FontWarmUp();
  ~FontWarmUp();  // waits for the thread
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

 private:
  std::thread thread_;
};

}  // namespace razezazo
