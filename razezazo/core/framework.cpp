#include "razezazo/core/framework.h"

#include <map>

#include "runtime/gbk.h"

namespace razezazo {
namespace {

std::map<runtime::Text, WindowClass>& Classes() {
  static std::map<runtime::Text, WindowClass> classes;
  return classes;
}

constexpr std::uint32_t kDefaultStyle =
    winsys::WS_POPUP | winsys::WS_CLIPCHILDREN | winsys::WS_MINIMIZEBOX | winsys::WS_MAXIMIZEBOX | winsys::WS_SYSMENU;

int Centred(int start, int extent, int size) { return start + (extent - size) / 2; }

}  // namespace

int OsMajorVersion() { return winsys::Current().OsMajorVersion(); }

bool RegisterWindowClass(const runtime::Text& name, const WindowClass& window_class) {
  return Classes().emplace(name, window_class).second;
}

winsys::WindowId CreateFrameworkWindow(const FrameworkWindowOptions& options) {
  winsys::WindowSystem& system = winsys::Current();
  gfx::RectI work = system.WorkArea();
  int width = options.width.value_or(380);
  int height = options.height.value_or(250);
  gfx::RectI rect{options.x.value_or(Centred(work.x, work.width, width)),
                  options.y.value_or(Centred(work.y, work.height, height)), width, height};
  auto found = Classes().find(options.class_name.value_or(kFrameworkClass));
  if (found == Classes().end()) return 0;
  winsys::WindowId window =
      system.CreateWindow({options.parent, runtime::GbkToUtf8(options.title), rect,
                           options.style.value_or(kDefaultStyle), options.ex_style, found->second.proc});
  if (window && options.show) system.ShowWindow(window, winsys::SW_SHOWNORMAL);
  return window;
}

}  // namespace razezazo
