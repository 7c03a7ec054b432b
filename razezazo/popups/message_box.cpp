#include "razezazo/popups/message_box.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "razezazo/controls/label_control.h"
#include "razezazo/controls/push_button.h"
#include "razezazo/controls/skin_button.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/drawing/text.h"
#include "razezazo/popups/popup_window_hook.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

constexpr int kStartWidth = 320, kStartHeight = 150;
constexpr float kButtonWidth = 70, kPlainButtonHeight = 24, kSkinButtonHeight = 26;
constexpr float kButtonStride = 75, kButtonRise = 35;
constexpr float kRightMarginAtCreation = 8, kRightMarginAfterResize = 10;
// A widened box stays this far inside the work area on each side.
constexpr int kScreenMargin = 40;

// --- the result slots: a button's tag names one by key -------------------------------

std::map<int, int>& Results() {
  static std::map<int, int> results;
  return results;
}

class ResultSlot {
 public:
  ResultSlot() : key_(++last_key_) { Results()[key_] = kResultCancel; }
  ~ResultSlot() { Results().erase(key_); }
  ResultSlot(const ResultSlot&) = delete;
  ResultSlot& operator=(const ResultSlot&) = delete;
  int key() const { return key_; }
  int value() const { return Results()[key_]; }

 private:
  static inline int last_key_ = 0;
  int key_;
};

bool IsBoxButton(int kind) { return kind == kKindPushButton || kind == kKindSkinButton; }

// A button of the box answers: its code goes to the slot its tag names (when
// that box is still waiting), and the box closes.
void OnButtonClick(winsys::WindowId window, ControlBase* control, winsys::WParam, winsys::LParam, int kind) {
  if (!IsBoxButton(kind)) return;
  if (std::optional<ButtonTag> tag = control ? ParseButtonTag(control->tag()) : std::nullopt) {
    auto slot = Results().find(tag->result_key);
    if (slot != Results().end()) slot->second = tag->code;
  }
  System().Post(window, winsys::WM_CLOSE, 0, 0);
}

// The buttons keep their distance from the bottom right corner, the caption
// its buttons at the right edge.
void OnBoxResized(winsys::WindowId window, int width, int height) {
  RazezaZOHost* host = HostOfWindow(window);
  if (!host) return;
  host->LayOutCaption();
  for (ControlBase* c = host->first_control(); c; c = c->next_sibling()) {
    std::optional<ButtonTag> tag = IsBoxButton(c->kind()) ? ParseButtonTag(c->tag()) : std::nullopt;
    if (!tag) continue;
    c->SetBounds({.x = width - kButtonStride * tag->position - kRightMarginAfterResize, .y = height - kButtonRise});
  }
}

// Keyboard messages are 255..263, mouse messages 512..525.
bool IsInput(unsigned message) { return (message >= 255 && message <= 263) || (message >= 512 && message <= 525); }

// --- geometry ------------------------------------------------------------------------

struct Geometry {
  gfx::RectI box;
  FloatRect text_area;
};

int CentredOn(int start, int extent, int size) { return start + (extent - size) / 2; }

Geometry StartGeometry(const gfx::RectI& reference, bool icon) {
  Geometry g;
  g.box = {CentredOn(reference.x, reference.width, kStartWidth), CentredOn(reference.y, reference.height, kStartHeight),
           kStartWidth, kStartHeight};
  g.text_area = {icon ? 85.0f : 30.0f, 43, kStartWidth - (icon ? 120.0f : 60.0f), kStartHeight - 100.0f};
  return g;
}

FormatHandle MeasureFormat(int flags) {
  TextFormat format;
  format.Create(flags, 0, false);
  format.SetHotkeyPrefix(0);
  return format.Handle();
}

// A text whose longest line does not fit widens the box (as far as the work
// area allows); a text that then still needs more lines than fit heightens it
// (as far as the work area allows: the rest of the text is cut off, and the
// buttons stay in reach). Either way the box stays centred where it was, moved
// only as far as it takes to be wholly inside the work area.
void FitText(Geometry& geo, const gfx::Graphics& g, const runtime::Text& text, const gfx::RectI& work) {
  const std::u16string wide = runtime::GbkToUtf16(text);
  const FontHandle& font = DefaultFont();
  FloatRect& area = geo.text_area;
  const int side_margins = geo.box.width - static_cast<int>(area.width);
  const int vertical_margins = geo.box.height - static_cast<int>(area.height);

  const float longest_line = MeasureTextSize(g, wide, font, MeasureFormat(text_flags::kNoWrap), {}).width;
  const float widest = static_cast<float>(work.width - 2 * kScreenMargin - side_margins);
  const float wanted = std::min(longest_line, widest);
  if (wanted > area.width) {
    const int width = static_cast<int>(std::ceil(wanted)) + side_margins;
    geo.box.x = CentredOn(geo.box.x, geo.box.width, width);
    geo.box.width = width;
    area.width = wanted + 10;
  }
  const float tallest = static_cast<float>(work.height - 2 * kScreenMargin - vertical_margins);
  const float height =
      std::min(MeasureTextSize(g, wide, font, MeasureFormat(text_flags::kMultiLineLabel), {0, 0, area.width, 0}).height,
               tallest);
  if (height > area.height) {
    const int box_height = static_cast<int>(std::ceil(height)) + vertical_margins;
    geo.box.y = CentredOn(geo.box.y, geo.box.height, box_height);
    geo.box.height = box_height;
    area.height = height + 5;
  }
  if (height < 30) area.y += 4;
  geo.box.x = std::clamp(geo.box.x, work.x, std::max(work.x, work.x + work.width - geo.box.width));
  geo.box.y = std::clamp(geo.box.y, work.y, std::max(work.y, work.y + work.height - geo.box.height));
}

HostOptions LookOf(const MessageBoxOptions& options) {
  HostOptions look;
  if (options.look) {
    look = *options.look;
    if (look.layer_alpha && !look.blur_behind && OsMajorVersion() >= 6) look.blur_behind = true;
  } else if (RazezaZOHost* parent = HostOfWindow(options.parent)) {
    look = parent->Look();
    if (look.frame_style == frame_style::kSkinned) look.frame_style = frame_style::kRounded;
    look.background_source = options.parent;
  } else {
    look.background_colour = 0xFF8800;
    look.layer_alpha = 210;
  }
  look.caption_flags = options.caption_flags;
  return look;
}

// --- one box from building to its answer ---------------------------------------------

class MessageBox {
 public:
  explicit MessageBox(const MessageBoxOptions& options) : options_(options) {}

  int Run() {
    if (Build()) Loop();
    if (System().IsWindow(window_)) System().DestroyWindow(window_);
    if (System().IsWindow(options_.parent)) System().SetForeground(options_.parent);
    return slot_.value();
  }

 private:
  bool Build();
  void AddButtons();
  void Loop();

  const MessageBoxOptions& options_;
  ResultSlot slot_;
  winsys::WindowId window_ = 0;
  Geometry geometry_;
  // Declared before the controls, so that they go first.
  RazezaZOHost host_;
  std::vector<std::unique_ptr<PushButton>> buttons_;
  LabelControl label_;
};

bool MessageBox::Build() {
  winsys::WindowSystem& system = System();
  const winsys::WindowId parent = system.IsWindow(options_.parent) ? options_.parent : 0;
  const gfx::RectI reference = options_.centre_over_parent && parent ? system.WindowRect(parent) : system.WorkArea();
  geometry_ = StartGeometry(reference, options_.icon != kIconNone);
  const gfx::RectI& r = geometry_.box;
  window_ = CreateFrameworkWindow({.parent = parent,
                                   .title = options_.caption.value_or(runtime::Gbk("提示：")),
                                   .x = r.x,
                                   .y = r.y,
                                   .width = r.width,
                                   .height = r.height});
  if (!window_) return false;
  system.SetProp(window_, property::kFlags, kPopupMessageBox);
  system.SetProp(window_, property::kMessageBox, options_.icon);

  host_.hooks().paint_background = PaintMessageBoxBackground;
  if (!host_.Create(window_, LookOf(options_))) return false;
  host_.hooks().message = PopupWindowHook;
  host_.hooks().size_changed = OnBoxResized;
  host_.hooks().click = OnButtonClick;

  const gfx::RectI before = geometry_.box;
  FitText(geometry_, host_.back_graphics(), options_.text, system.WorkArea());
  const gfx::RectI& after = geometry_.box;
  if (after.x != before.x || after.y != before.y || after.width != before.width || after.height != before.height)
    system.SetWindowRect(window_, after);

  AddButtons();
  label_.Create(window_, geometry_.text_area, options_.text,
                {.multi_line = true, .vertical_alignment = razezazo::vertical_alignment::kTop});
  if (options_.on_built) options_.on_built(window_, host_.width(), host_.height());
  if (!system.IsWindow(window_) || !host_.attached()) return false;  // the callback closed it
  if (options_.icon != kIconNone && options_.sound) system.Beep();
  host_.SetCloseAnimation(options_.close_animation);
  host_.Show(options_.show_animation);
  system.SetForeground(window_);
  system.SetTopmost(window_, true);
  return true;
}

void MessageBox::AddButtons() {
  std::vector<MessageBoxButton> set = MessageBoxButtons(options_.type);
  for (size_t i = 0; i < set.size() && i < options_.button_texts.size(); ++i) set[i].text = options_.button_texts[i];
  const float height = options_.skinned_buttons ? kSkinButtonHeight : kPlainButtonHeight;
  const float box_width = static_cast<float>(host_.width()), box_height = static_cast<float>(host_.height());
  for (size_t i = 0; i < set.size(); ++i) {
    const int position = static_cast<int>(i) + 1;
    std::unique_ptr<PushButton> button =
        options_.skinned_buttons ? std::make_unique<SkinButton>() : std::make_unique<PushButton>();
    const FloatRect bounds{box_width - kButtonStride * position - kRightMarginAtCreation, box_height - kButtonRise,
                           kButtonWidth, height};
    if (!button->Create(window_, bounds, set[i].text)) continue;
    button->SetTag(FormatButtonTag({slot_.key(), set[i].code, position}));
    buttons_.push_back(std::move(button));
  }
  const int default_position = options_.default_button;
  if (default_position >= 1 && default_position <= static_cast<int>(buttons_.size()))
    host_.SetFocus(buttons_[static_cast<size_t>(default_position - 1)].get(), false);
}

// Input for the program's other windows is dropped; their timers, painting and
// everything else keep running.
void MessageBox::Loop() {
  winsys::WindowSystem& system = System();
  winsys::Message message;
  while (system.IsWindow(window_)) {
    if (!system.GetMessage(message)) {
      system.PostQuitMessage(static_cast<int>(message.wparam));  // the outer loop must end too
      return;
    }
    if (message.window != window_ && IsInput(message.message)) continue;
    system.TranslateMessage(message);
    system.DispatchMessage(message);
  }
}

}  // namespace

int ShowMessageBox(const MessageBoxOptions& options) { return MessageBox(options).Run(); }

}  // namespace razezazo
