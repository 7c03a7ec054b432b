// A window built like brivo's main window — background picture, the standard
// caption with an extra feedback button (flags 1152), group boxes with labels
// and a picture — opened with the zoom-in and closed with the swell-and-fade.
// It prints "ready" once shown, "click <what>" for clicks, and "closed" at the
// end (the GUI tests read them).
#include <cstdio>

#include "assets/assets.h"
#include "platform/window/window_system.h"
#include "razezazo/controls/group_box_control.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/picture_control.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/render/color.h"
#include "runtime/gbk.h"

namespace {

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

}  // namespace

int main() {
  using runtime::Gbk;
  if (!winsys::Start()) {
    std::fprintf(stderr, "gallery: no window system to show a window on\n");
    return 1;
  }
  razezazo::FrameworkStartup();
  winsys::WindowSystem& system = winsys::Current();
  winsys::WindowId window = razezazo::CreateFrameworkWindow(
      {.title = Gbk("晨岚DJ音乐网(brivo)[2015.11.02]"), .width = 380, .height = 338});
  razezazo::RazezaZOHost host;
  host.Create(window, {.background_image = assets::MainBackground(),
                       .background_colour = 0xFFFFFF,
                       .caption_flags = razezazo::kCaptionFromStyles | razezazo::kCaptionFree128,
                       .layer_alpha = -1,
                       .image_placement = 0,
                       .frame_style = 0,
                       .initial_paint = false,
                       .resizable = false,
                       .drag_anywhere = true,
                       .image_edges = false,
                       .blur_behind = false,
                       .creation_rect = razezazo::FloatRect{}});

  const razezazo::Color black = razezazo::ToArgb(0, 254);
  razezazo::GroupBoxControl address_group, result_group;
  address_group.Create(window, {20, 40, 340, 50}, Gbk("播放地址"), {.text_colour = black});
  result_group.Create(window, {20, 100, 340, 90}, Gbk("解析结果"), {.text_colour = black});
  razezazo::LabelControl hint, result;
  hint.Create(window, {30, 60, 320, 20}, Gbk("把曲目播放页的地址粘贴到这里"), {.text_colour = black});
  result.Create(window, {70, 120, 280, 60}, Gbk("晨岚测试曲一\nmusic/2015/demo01"),
                {.text_colour = razezazo::ToArgb(255), .multi_line = true, .vertical_alignment = 0});
  razezazo::PictureControl picture;
  picture.Create(window, {30, 125, 32, 32}, assets::ProgramIcon(32), {.draw_mode = razezazo::DrawMode::kCentred});
  picture.AddEventHandler(razezazo::event::kClick, [](const razezazo::Event&) { Say("click picture"); });
  host.hooks().click = [](winsys::WindowId, razezazo::ControlBase* control, winsys::WParam, winsys::LParam, int kind) {
    if (kind == razezazo::kKindCaptionButton && control) Say("click caption button");
  };

  // The standard caption puts the title after the icon and the buttons flush right.
  host.LayOutCaption();
  host.Show(7);
  host.SetCloseAnimation(2);
  Say("ready");
  winsys::Message message;
  while (system.IsWindow(window) && system.GetMessage(message)) {
    system.TranslateMessage(message);
    system.DispatchMessage(message);
  }
  Say("closed");
  return 0;
}
