// A host window with three swatches on the real window system: hovering lights
// a swatch, pressing darkens it, and each click prints "click <name>" on
// standard output (the GUI tests read it). The window can be resized.
#include <cstdio>
#include <memory>
#include <vector>

#include "examples/swatch_control.h"
#include "platform/window/window_system.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "runtime/gbk.h"

int main() {
  if (!winsys::Start()) {
    std::fprintf(stderr, "host_window: no window system to show a window on\n");
    return 1;
  }
  razezazo::FrameworkStartup();
  winsys::WindowSystem& system = winsys::Current();
  winsys::WindowId window = razezazo::CreateFrameworkWindow({.title = runtime::Gbk("RazezaZO 示例")});
  razezazo::RazezaZOHost host;
  host.Create(window, {.background_colour = 0x00402818, .caption_flags = 0, .resizable = true});

  struct Swatch {
    const char* name;
    gfx::Argb colour;
    razezazo::FloatRect bounds;
  };
  const Swatch swatches[] = {{"red", 0xFFD04040, {20, 20, 100, 60}},
                             {"green", 0xFF40B060, {140, 20, 100, 60}},
                             {"blue", 0xFF4070D0, {260, 20, 100, 60}}};
  std::vector<std::unique_ptr<examples::SwatchControl>> controls;
  for (const Swatch& swatch : swatches) {
    auto control = std::make_unique<examples::SwatchControl>(swatch.colour);
    control->Create(window, swatch.bounds, razezazo::kKindPushButton);
    control->SetName(runtime::Gbk(swatch.name), true);
    control->AddEventHandler(razezazo::event::kClick, [name = swatch.name](const razezazo::Event&) {
      std::printf("click %s\n", name);
      std::fflush(stdout);
    });
    controls.push_back(std::move(control));
  }
  host.Show();
  std::printf("ready\n");
  std::fflush(stdout);

  winsys::Message message;
  while (system.IsWindow(window) && system.GetMessage(message)) {
    system.TranslateMessage(message);
    system.DispatchMessage(message);
  }
  return 0;
}
