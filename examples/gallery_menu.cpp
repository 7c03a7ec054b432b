#include "examples/gallery_menu.h"

#include <cstdio>
#include <string>

#include "runtime/gbk.h"

namespace gallery {
namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

MenuExample::MenuExample(razezazo::RazezaZOHost& host) {
  using runtime::Gbk;
  export_menu_.AddItem(Gbk("PNG 图片(&P)"), {.id = 2001});
  export_menu_.AddItem(Gbk("JPEG 图片(&J)"), {.id = 2002});
  menu_.AddItem(Gbk("打开(&O)"), {.id = 1001});
  menu_.AddItem(Gbk("保存(&S)"), {.id = 1002});
  menu_.AddItem(Gbk("导出(&E)"), {.kind = razezazo::kMenuSubMenu, .sub_menu = export_menu_.identity()});
  menu_.AddItem({}, {.kind = razezazo::kMenuSeparator});
  menu_.AddItem(Gbk("不可用(&D)"), {.state = razezazo::kMenuItemDisabled, .id = 1003});
  menu_.AddItem(Gbk("关于(&A)"), {.send_command = false, .handler = [] { Say("menu handler"); }});
  menu_.SetOpenedHandler([](winsys::WindowId, bool) { Say("menu opened"); });

  // The commands arrive at the window; earlier hooks keep working.
  razezazo::MessageHook previous_message = host.hooks().message;
  host.hooks().message = [previous_message](winsys::WindowId window, unsigned message, winsys::WParam wparam,
                                            winsys::LParam lparam) {
    if (message == winsys::WM_COMMAND) Say("menu command " + std::to_string(wparam));
    return previous_message ? previous_message(window, message, wparam, lparam) : winsys::LResult{-1};
  };
  razezazo::MouseHook previous_right_up = host.hooks().right_up;
  host.hooks().right_up = [this, previous_right_up](winsys::WindowId window, razezazo::ControlBase* control,
                                                    winsys::WParam wparam, winsys::LParam lparam,
                                                    razezazo::ControlKind kind) {
    if (previous_right_up) previous_right_up(window, control, wparam, lparam, kind);
    Open(window);
  };
}

void MenuExample::Open(winsys::WindowId window) {
  menu_.Show(window);
  Say("menu closed");
}

}  // namespace gallery
