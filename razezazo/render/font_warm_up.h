#pragma once
// Loads what the framework's text needs (fontconfig's configuration and
// caches, the default font's choice, its font files and first glyphs) on a
// thread of its own, while the program opens its display and does its first
// work. All of these are kept process-wide, so the UI thread finds them ready
// instead of loading them one after the other before its first frame.
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
