// The edit box's creation, properties and message table.
#include "razezazo/controls/edit_box.h"

#include "razezazo/widgets/host_surface.h"

namespace razezazo {
namespace {

constexpr Color kDefaultTextColour = 0xE6000000;        // black, alpha 230
constexpr Color kDefaultBackgroundColour = 0xA0FFFFFF;  // white, alpha 160
constexpr Color kDefaultBorderColour = 0x50000000;      // black, alpha 80
constexpr int kBothBars = scroll_bars::kHorizontal | scroll_bars::kVertical;

ControlOptions BaseOptions(const EditBoxOptions& options) {
  ControlOptions base;
  base.visible = options.visible;
  base.interactive = true;
  base.cursor = winsys::Cursor::IBeam;
  return base;
}

// No font fallback, trailing spaces measured, no clipping; with the vertical
// bar alone (the lines wrap) only whole lines. Tab stops every 8 px from 1.
FormatHandle MakeEditFormat(int bars) {
  int flags = text_flags::kNoFontFallback | text_flags::kMeasureTrailingSpaces | text_flags::kNoClip;
  if (bars == scroll_bars::kVertical) flags |= text_flags::kLineLimit;
  TextFormat format;
  format.Create(flags, 0, false);
  format.SetTrimming(0);
  FormatHandle handle = format.Handle();
  if (handle) {
    handle->first_tab_offset = 1.0f;
    handle->tab_stops = {8.0f};
  }
  return handle;
}

}  // namespace

// --- creation ------------------------------------------------------------------------

void EditBox::Configure(const runtime::Text& text, const EditBoxOptions& options) {
  font_ = ControlFont(options.font);
  text_colour_ = options.text_colour.value_or(kDefaultTextColour);
  background_colour_ = options.background_colour.value_or(kDefaultBackgroundColour);
  border_colour_ = normal_border_colour_ = options.border_colour.value_or(kDefaultBorderColour);
  mask_text_ = options.mask_text.value_or("*");
  if (mask_text_.empty()) mask_text_.assign(1, '*');  // a mask that shows nothing would hide the caret's columns too
  input_mode_ = options.input_mode;
  multi_line_ = options.multi_line;
  scroll_bars_ = multi_line_ ? options.scroll_bars.value_or(kBothBars) & kBothBars : 0;
  max_length_ = std::max(options.max_length.value_or(multi_line_ ? kMultiLineMaxLength : kSingleLineMaxLength), 0);
  text_ = EditText();
  text_.SetText(WithinMaxLength(text), multi_line_, input_mode_, mask_text_);
  format_ = MakeEditFormat(scroll_bars_);
  stretch_format_ = format_ ? std::make_shared<gfx::StringFormat>(*format_) : nullptr;
  if (stretch_format_) stretch_format_->kerning = false;
  ResetView();
  anchor_at_.line = caret_at_.line = 1;
  anchor_at_.column = caret_at_.column = 0;
  blink_count_ = 0;
}

// The fields are set before the base creates the canvas: creation already
// lays the text out and paints (events 1 and 15).
bool EditBox::Create(winsys::WindowId host_window, const FloatRect& bounds, const runtime::Text& text,
                     const EditBoxOptions& options) {
  Configure(text, options);
  return ControlBase::Create(host_window, bounds, kKindEditBox, BaseOptions(options));
}

bool EditBox::Create(ControlBase& parent, const FloatRect& bounds, const runtime::Text& text,
                     const EditBoxOptions& options) {
  Configure(text, options);
  return ControlBase::Create(parent, bounds, kKindEditBox, BaseOptions(options));
}

void EditBox::OnCreated() {
  anchor_at_.line = caret_at_.line = 1;
  if (multi_line_) CreateScrollBars();
  Paint(true);
  PlaceCaretPoint();
}

// Each bar reaches the box by handle: a bar outlives nothing, but its handler
// must not call into a box that is being torn down.
void EditBox::CreateScrollBars() {
  const Handle box = self();
  auto make = [&](int orientation, int bit, void (EditBox::*follow)(int)) {
    auto bar = std::make_unique<ScrollBar>();
    bar->Create(*this, {x(), y(), 10, 10}, {.orientation = orientation, .visible = (scroll_bars_ & bit) != 0});
    bar->SetPositionHandler([box, follow](ControlBase*, int position) {
      if (EditBox* b = Lookup<EditBox>(box)) (b->*follow)(position);
    });
    return bar;
  };
  vertical_bar_ = make(kVerticalBar, scroll_bars::kVertical, &EditBox::SetVerticalScrollPosition);
  horizontal_bar_ = make(kHorizontalBar, scroll_bars::kHorizontal, &EditBox::SetHorizontalScrollPosition);
}

void EditBox::OnDestroyed() {
  RefreshCaret(false, false);
  LeaveFocusState();
  text_ = EditText();
  font_.reset();
  format_.reset();
  stretch_format_.reset();
  ResetView();
  anchor_at_.line = caret_at_.line = anchor_at_.column = caret_at_.column = 0;
}

// --- properties ----------------------------------------------------------------------

runtime::Text EditBox::text() {
  const auto answer = SendEvent(edit_message::kGetText, 0, 0);
  const char* bytes = reinterpret_cast<const char*>(answer);
  return bytes && answer != kNotHandled ? runtime::Text(bytes) : runtime::Text();
}

void EditBox::SetText(const runtime::Text& text, bool caret_at_end) {
  SendEvent(edit_message::kSetText, reinterpret_cast<std::intptr_t>(text.c_str()), caret_at_end ? 1 : 0);
}

// The store's copy of the mode decides what is shown: a box switched into the
// password mode must not go on showing its text in the clear.
void EditBox::SetInputMode(InputMode mode) {
  if (mode == input_mode_) return;
  const bool display_changes = (mode == InputMode::kPassword) != (input_mode_ == InputMode::kPassword);
  input_mode_ = mode;
  if (!KeepsHistory()) history_.Clear();
  text_.SetText(text_.WholeText(), multi_line_, input_mode_, mask_text_);
  if (display_changes && self()) Reflow();
}

// --- messages ------------------------------------------------------------------------

std::intptr_t EditBox::OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) {
  const Handle box = self();
  const std::intptr_t answer = OnUserMessage(code, argument1, argument2);
  if (answer != kNotHandled) return answer;
  if (!box || Lookup<EditBox>(box) != this) return kNotHandled;  // the hook destroyed the box
  return HandleMessage(code, argument1, argument2);
}

std::intptr_t EditBox::HandleMessage(int code, std::intptr_t argument1, std::intptr_t argument2) {
  switch (code) {
    case event::kCreated: OnCreated(); return 0;
    case event::kDestroyed: OnDestroyed(); return 0;
    case edit_message::kSetText: SetTextMessage(reinterpret_cast<const char*>(argument1), argument2 == 1); return 0;
    case edit_message::kGetText: return reinterpret_cast<std::intptr_t>(text_.TextForMessage());
    case event::kRepaint: Paint(); return 0;
    case event::kBoundsChanged: Reflow(); return 0;
    case winsys::WM_MOUSEWHEEL:
      Wheel(static_cast<std::int16_t>(winsys::HighWord(static_cast<std::uintptr_t>(argument1))));
      return 0;
    case event::kOpacityChanged:
      if (vertical_bar_ && (scroll_bars_ & scroll_bars::kVertical))
        vertical_bar_->SetOpacity(static_cast<int>(argument2));
      if (horizontal_bar_ && (scroll_bars_ & scroll_bars::kHorizontal))
        horizontal_bar_->SetOpacity(static_cast<int>(argument2));
      return 0;
    case winsys::WM_KEYDOWN:
    case winsys::WM_CHAR:
    case winsys::WM_IME_COMPOSITION:
    case winsys::WM_COMMAND:
    case winsys::WM_RBUTTONUP: return InputMessage(code, argument1, argument2);
    case event::kFocusGained: FocusGained(); return 0;
    case event::kFocusLost: FocusLost(); return 0;
    case event::kWindowActivation: WindowActivation(argument1 != 0); return 0;
    case event::kTimer:
      if (static_cast<Handle>(argument1) != self()) return kNotHandled;
      if (drag_scroll_point_)
        DragScrollTick();
      else
        RefreshCaret(blink_count_ % 2 != 0, false);
      return 0;
    case event::kHidden: RefreshCaret(false, false); return kNotHandled;
    case winsys::WM_LBUTTONDOWN: LeftDown(argument1, argument2); return 0;
    case winsys::WM_MOUSEMOVE: Drag(argument1, argument2); return 0;
    case winsys::WM_LBUTTONUP:
      StopDragScroll();
      RefreshCaret(true, true);
      OfferPrimary();
      return 0;
    case winsys::WM_MBUTTONDOWN: MiddleClick(argument2); return 0;
    default: return kNotHandled;
  }
}

}  // namespace razezazo
