// A window built like brivo's main window — background picture, the standard
// caption with an extra feedback button (flags 1152), group boxes with labels
// and a picture — opened with the zoom-in and closed with the swell-and-fade.
// Below them every push-button look, and a row of buttons that open each type
// of message box. A second window, "编辑框", at the screen's top-left corner
// holds a single-line, a password and a multi-line edit box (a few hundred
// lines, both scroll bars, a selection); they take typing, the input method,
// selection keys, the clipboard and the edit context menu.
//
//   gallery [--message-box TYPE [ICON] [TEXT]]
//
// It prints "ready" once shown, "click <what>" for clicks, "answer <code>" for
// each answered box, "edit single: <text>" after every change of the
// single-line box, and "closed" at the end (the GUI tests read them). With
// --message-box it opens that box over the window at start, prints the answer
// code alone on a line when the box has closed, and exits 0.
// A right click opens a popup menu (gallery_menu.h), which prints its own lines.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "examples/gallery_menu.h"
#include "platform/window/window_system.h"
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/group_box_control.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/picture_control.h"
#include "razezazo/controls/push_button.h"
#include "razezazo/controls/skin_button.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/drawing/color.h"
#include "razezazo/popups/framework_startup.h"
#include "razezazo/popups/message_box.h"
#include "runtime/console.h"
#include "runtime/gbk.h"

namespace {

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

struct BoxRequest {
  razezazo::MessageBoxType type = razezazo::kBoxOk;
  razezazo::MessageBoxIcon icon = razezazo::kIconQuestion;
  std::string text = "发现新版本[2015.11.03]，是否更新？";
};

// Nothing when the arguments do not name a box; exits on bad ones.
std::optional<BoxRequest> ParseArguments(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  auto usage = [] {
    std::fprintf(stderr, "usage: gallery [--message-box TYPE(0-5) [ICON(0,16,32,48,64,128)] [TEXT]]\n");
    std::exit(64);
  };
  auto number = [&](const std::string& text) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') usage();
    return static_cast<int>(value);
  };
  if (arguments[0] != "--message-box" || arguments.size() < 2 || arguments.size() > 4) usage();
  BoxRequest request;
  const int type = number(arguments[1]);
  if (type < razezazo::kBoxOk || type > razezazo::kBoxRetryCancel) usage();
  request.type = razezazo::MessageBoxType{type};
  if (arguments.size() > 2) request.icon = razezazo::MessageBoxIcon{number(arguments[2])};
  if (arguments.size() > 3) request.text = arguments[3];
  return request;
}

// The look brivo's own boxes have: white, square, title and close button.
razezazo::HostOptions ApplicationLook() {
  return {.background_colour = 0xFFFFFF,
          .layer_alpha = -1,
          .frame_style = razezazo::frame_style::kSquare,
          .image_edges = false,
          .blur_behind = false};
}

// Every look of the push buttons, rows at y = 198 and 224.
struct ButtonLooks {
  explicit ButtonLooks(winsys::WindowId window) {
    using runtime::Gbk;
    rounded.Create(window, {20, 198, 80, 24}, Gbk("解析&&下载"), {.rounded = true});
    square.Create(window, {106, 198, 70, 24}, Gbk("方形(&Q)"), {.rounded = false});
    with_icon.Create(window, {182, 198, 86, 24}, Gbk("图标"), {.rounded = true});
    with_icon.SetIconBytes(assets::ProgramIcon(16));
    with_icon.SetGap(4);
    disabled.Create(window, {274, 198, 86, 24}, Gbk("禁用"), {.rounded = true});
    disabled.SetDisabled(true);
    skinned.Create(window, {20, 224, 80, 24}, Gbk("皮肤(&S)"));
    skinned_icon.Create(window, {106, 224, 86, 24}, Gbk("皮肤图标"));
    skinned_icon.SetIconBytes(assets::ProgramIcon(16));
    skinned_icon.SetGap(4);
    razezazo::PushButton* const clickable[] = {&rounded, &square, &with_icon, &skinned, &skinned_icon};
    for (razezazo::PushButton* b : clickable) {
      const std::string what = "click " + runtime::GbkToUtf8(b->caption());
      b->AddEventHandler(razezazo::event::kClick, [what](const razezazo::Event&) { Say(what.c_str()); });
    }
  }

  razezazo::PushButton rounded, square, with_icon, disabled;
  razezazo::SkinButton skinned, skinned_icon;
};

// One button per message-box type at y = 272; the answer is printed.
std::vector<std::unique_ptr<razezazo::PushButton>> BoxButtons(winsys::WindowId window) {
  using runtime::Gbk;
  const razezazo::MessageBoxIcon icons[] = {razezazo::kIconInformation, razezazo::kIconWarning,  razezazo::kIconError,
                                            razezazo::kIconQuestion,    razezazo::kIconQuestion, razezazo::kIconDone};
  std::vector<std::unique_ptr<razezazo::PushButton>> buttons;
  for (int type = 0; type < 6; ++type) {
    auto button = std::make_unique<razezazo::PushButton>();
    button->Create(window, {20.0f + 56.0f * type, 272, 52, 24}, Gbk("类型" + std::to_string(type)), {.rounded = true});
    const razezazo::MessageBoxIcon icon = icons[type];
    button->AddEventHandler(razezazo::event::kClick, [window, type, icon](const razezazo::Event&) {
      const int answer = razezazo::ShowMessageBox({.parent = window,
                                                   .text = Gbk("这是类型 " + std::to_string(type) + " 的消息框。"),
                                                   .type = razezazo::MessageBoxType{type},
                                                   .icon = icon,
                                                   .centre_over_parent = true,
                                                   .show_animation = razezazo::show_animation::kFadeIn,
                                                   .close_animation = razezazo::close_animation::kFadeOut,
                                                   .skinned_buttons = type % 2 == 1});
      Say(("answer " + std::to_string(answer)).c_str());
    });
    buttons.push_back(std::move(button));
  }
  return buttons;
}

// Numbered lines of mixed Chinese and Latin text, one of them long enough to
// scroll across.
runtime::Text GalleryLines() {
  static const char* kTails[] = {"晨岚DJ音乐网 remix", "舞曲 club mix 2015", "在线试听 download",
                                 "高品质 AAC 保存到本地"};
  std::string text;
  for (int i = 1; i <= 300; ++i) {
    if (i > 1) text += "\r\n";
    text += "第" + std::to_string(i) + "行 line " + std::to_string(i) + " " + kTails[i % 4];
    if (i == 2) text += " — a line long enough to need the horizontal bar";
  }
  return runtime::Gbk(text);
}

// The edit boxes in a window of their own, beside the main one.
struct EditBoxWindow {
  EditBoxWindow() {
    using runtime::Gbk;
    window = razezazo::CreateFrameworkWindow({.title = Gbk("编辑框"), .x = 0, .y = 0, .width = 300, .height = 300});
    host.Create(window, {.background_colour = 0xF0F0F0, .caption_flags = 0});
    single.Create(window, {20, 20, 260, 20}, Gbk("单行输入框 single line"));
    password.Create(window, {20, 50, 260, 20}, "secret", {.input_mode = razezazo::InputMode::kPassword});
    lines.Create(window, {20, 80, 260, 200}, GalleryLines(), {.multi_line = true});
    lines.Select({3, 4}, {5, 9});
    single.SetChangeHandler([](razezazo::ControlBase*, razezazo::EditBox& box) {
      Say(("edit single: " + runtime::GbkToUtf8(box.store().WholeText())).c_str());
    });
    host.Show();
  }

  winsys::WindowId window = 0;
  razezazo::RazezaZOHost host;
  razezazo::EditBox single, password, lines;
};

}  // namespace

int main(int argc, char** argv) {
  using runtime::Gbk;
  const std::optional<BoxRequest> box_request = ParseArguments(runtime::ProgramArguments(argc, argv));
  if (!winsys::Start()) {
    std::fprintf(stderr, "gallery: no window system to show a window on\n");
    return 1;
  }
  razezazo::FrameworkStartup();
  winsys::WindowSystem& system = winsys::Current();
  winsys::WindowId window =
      razezazo::CreateFrameworkWindow({.title = Gbk("晨岚DJ音乐网(brivo)[2015.11.02]"), .width = 380, .height = 338});
  razezazo::RazezaZOHost host;
  host.Create(window, {.background_image = assets::MainBackground(),
                       .background_image_2x = assets::MainBackground(2),
                       .background_colour = 0xFFFFFF,
                       .caption_flags = razezazo::kCaptionFromStyles | razezazo::kCaptionFree128,
                       .layer_alpha = -1,
                       .image_placement = 0,
                       .frame_style = razezazo::frame_style::kSquare,
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
                {.text_colour = razezazo::ToArgb(255),
                 .multi_line = true,
                 .vertical_alignment = razezazo::vertical_alignment::kTop});
  razezazo::PictureControl picture;
  picture.Create(window, {30, 125, 32, 32}, assets::ProgramIcon(32), {.draw_mode = razezazo::DrawMode::kCentred});
  picture.AddEventHandler(razezazo::event::kClick, [](const razezazo::Event&) { Say("click picture"); });
  host.hooks().click = [](winsys::WindowId, razezazo::ControlBase* control, winsys::WParam, winsys::LParam,
                          razezazo::ControlKind kind) {
    if (kind == razezazo::kKindCaptionButton && control) Say("click caption button");
  };

  ButtonLooks looks(window);
  const auto box_buttons = BoxButtons(window);
  EditBoxWindow edit_boxes;
  gallery::MenuExample menu_example(host);

  // The standard caption puts the title after the icon and the buttons flush right.
  host.LayOutCaption();
  host.Show(razezazo::show_animation::kZoomIn);
  host.SetCloseAnimation(razezazo::close_animation::kSwellAndFade);
  host.SetFocus(&looks.skinned, false);  // its border light runs
  Say("ready");
  if (box_request) {
    const int answer = razezazo::ShowMessageBox({.parent = window,
                                                 .text = runtime::Utf8ToGbk(box_request->text),
                                                 .type = box_request->type,
                                                 .icon = box_request->icon,
                                                 .look = ApplicationLook()});
    std::printf("%d\n", answer);
    std::fflush(stdout);
    return 0;
  }
  winsys::Message message;
  while (system.IsWindow(window) && system.GetMessage(message)) {
    system.TranslateMessage(message);
    system.DispatchMessage(message);
  }
  Say("closed");
  return 0;
}
