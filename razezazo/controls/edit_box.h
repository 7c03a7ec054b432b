#pragma once
// EditBox: the framework's text box, drawn entirely by itself: single-line or
// multi-line, with its own caret position, selection, input modes and, when
// multi-line, up to two ScrollBar children. The text is GBK; lines are 1-based
// and columns 0-based character counts (a two-byte character is one column).
//
// Every message the host delivers first goes to OnUserMessage; only when that
// answers kNotHandled does the box handle it itself.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "razezazo/controls/caret_column.h"
#include "razezazo/controls/control_font.h"
#include "razezazo/controls/edit_history.h"
#include "razezazo/controls/edit_text.h"
#include "razezazo/controls/edit_view.h"
#include "razezazo/controls/scroll_bar.h"
#include "razezazo/controls/text_place.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/text_format.h"
#include "razezazo/widgets/control_base.h"
#include "runtime/text.h"

namespace razezazo {

// Bit values of an edit box's scroll bars.
namespace scroll_bars {
constexpr int kHorizontal = 1;
constexpr int kVertical = 2;
}  // namespace scroll_bars

// Every member has the documented default when left alone.
struct EditBoxOptions {
  std::optional<Color> text_colour;        // 0xE6000000
  std::optional<Color> background_colour;  // 0xA0FFFFFF
  FontRequest font;                        // the default font unless a name, size or style is asked for
  bool multi_line = false;
  InputMode input_mode = InputMode::kNormal;
  std::optional<runtime::Text> mask_text;  // "*"
  std::optional<int> scroll_bars;          // single line: always 0; multi-line: 3 (both) unless given
  std::optional<Color> border_colour;      // 0x50000000
  bool visible = true;
  // Bytes of GBK text the box holds at most (a Chinese character takes two):
  // 65,535 in a single-line box, 4 MiB in a multi-line one unless given.
  std::optional<int> max_length;
};

inline constexpr int kSingleLineMaxLength = 65535;
inline constexpr int kMultiLineMaxLength = 4 << 20;

class EditBox;
struct EditMenuOffer;
// Called after every change of the text with the box's parent control (null
// for a top-level box) and the box.
using ChangeHandler = std::function<void(ControlBase* parent, EditBox& box)>;

namespace edit_message {
inline constexpr int kSetText = 12;  // argument 1: const char* (zero-terminated); argument 2: 1 = caret at end
inline constexpr int kGetText = 13;  // answers a const char* to the whole text
}  // namespace edit_message

class EditBox : public ControlBase {
 public:
  EditBox() = default;
  ~EditBox() override { Destroy(); }

  bool Create(winsys::WindowId host_window, const FloatRect& bounds, const runtime::Text& text,
              const EditBoxOptions& options = {});
  bool Create(ControlBase& parent, const FloatRect& bounds, const runtime::Text& text,
              const EditBoxOptions& options = {});

  // --- properties ----------------------------------------------------------------
  // Through the set-text and get-text messages, so that they are safe to send
  // from any thread.
  runtime::Text text();
  void SetText(const runtime::Text& text, bool caret_at_end = false);
  Color text_colour() const { return text_colour_; }
  void SetTextColour(Color colour) { UpdateProperty(text_colour_, colour); }
  Color background_colour() const { return background_colour_; }
  void SetBackgroundColour(Color colour) { UpdateProperty(background_colour_, colour); }
  Color border_colour() const { return border_colour_; }
  Color normal_border_colour() const { return normal_border_colour_; }
  InputMode input_mode() const { return input_mode_; }
  // Entering or leaving the password mode changes what is shown at once.
  void SetInputMode(InputMode mode);
  const runtime::Text& mask_text() const { return mask_text_; }
  bool multi_line() const { return multi_line_; }
  int scroll_bars() const { return scroll_bars_; }
  // Set text and insertions beyond it are cut at a character boundary; the
  // text the box holds already stays.
  int max_length() const { return max_length_; }
  void SetMaxLength(int bytes) { max_length_ = std::max(bytes, 0); }
  const FontHandle& font() const { return font_; }
  const FormatHandle& format() const { return format_; }
  void SetChangeHandler(ChangeHandler handler) { change_handler_ = std::move(handler); }
  // From the bars: the view moves to the position, the caret point with it.
  void SetVerticalScrollPosition(int position);
  void SetHorizontalScrollPosition(int position);
  runtime::Text SelectedText() const;

  // --- editing -------------------------------------------------------------------
  // 1 when the text counts as handled (also in read-only mode, which changes
  // nothing), 0 when there was no selection. A quiet deletion does not call
  // the change handler.
  int DeleteSelection(bool quiet = false);
  void InsertText(const runtime::Text& text);
  // Undo and redo (Ctrl+Z; Ctrl+Shift+Z or Ctrl+Y). Read-only and password
  // boxes keep no history; setting the text clears it.
  void Undo();
  void Redo();
  const EditHistory& history() const { return history_; }
  // Places anchor and caret (each kept on a valid line and column), brings the
  // caret into view and repaints.
  void Select(TextPlace anchor, TextPlace caret);

  // --- state ---------------------------------------------------------------------
  const EditText& store() const { return text_; }
  TextPlace anchor() const { return anchor_at_; }
  TextPlace caret() const { return caret_at_; }
  const EditView& view() const { return view_; }
  int scroll_x() const { return view_.scroll_x; }
  int scroll_y() const { return view_.scroll_y; }
  const FloatRect& text_rect() const { return view_.text_rect; }
  const FloatRect& view_rect() const { return view_.view_rect; }
  const FloatRect& caret_point() const { return view_.caret_point; }
  const FloatRect& last_caret_point() const { return view_.last_caret_point; }
  int first_drawn_line() const { return view_.first_drawn_line; }
  int last_drawn_line() const { return view_.last_drawn_line; }
  ScrollBar* vertical_bar() const { return vertical_bar_.get(); }
  ScrollBar* horizontal_bar() const { return horizontal_bar_.get(); }

  // --- layout and view -----------------------------------------------------------
  // The line whose rectangle holds y (text coordinates), walking from `start`.
  int LineAtHeight(float y, int start) const;
  // The place under a host-window point.
  TextPlace HitTest(int x, int y) const;
  // Control coordinates; with `scroll` the view first follows the caret
  // (`extra` is added to a downward step).
  FloatRect CaretRect(int line, int column, bool scroll = false, float extra = 0);
  void PlaceScrollBars();
  void UpdateScrollRanges();
  // Without `area` the whole box; with it only that part (control coordinates).
  void Paint(bool relayout = false, const std::optional<FloatRect>& area = std::nullopt);

  // --- focus, caret and mouse ------------------------------------------------------
  // The caret is a line the box draws straight into the host's picture. Show
  // draws it where `caret_point` says (when the box has the focus, is shown,
  // the host is drawing and the caret lies in the view); hide removes it. With
  // show and reposition the input method learns where the caret is (for its
  // candidate window) and a new blink starts. blink_count goes up on show and
  // down on hide; the blink timer shows on odd counts.
  void RefreshCaret(bool show, bool reposition);
  int blink_count() const { return blink_count_; }
  bool caret_shown() const { return caret_.drawn(); }
  // Window pixels of the caret's column (x, top, 1, height) where it is drawn.
  const gfx::RectI& caret_pixels() const { return caret_.place(); }

  // --- keyboard, typed text, input method, clipboard, context menu -------------
  // The key handler (key down with the keyboard's Ctrl, or a command with Ctrl
  // taken as held): its answer is the message's, kNotHandled for a key the box
  // leaves to the host.
  std::intptr_t KeyDown(unsigned key, bool ctrl, bool shift);

 private:
  // Runs one input message, then refreshes the caret if the box still exists.
  std::intptr_t InputMessage(int code, std::intptr_t argument1, std::intptr_t argument2);
  std::intptr_t CtrlKey(unsigned key, bool shift);
  std::intptr_t PlainKey(unsigned key);
  // Backspace, Delete and the Insert key, with or without Ctrl or Shift;
  // nullopt for any other key.
  std::optional<std::intptr_t> EditingKey(unsigned key, bool ctrl, bool shift);
  // The caret after a movement key; nullopt for any other key.
  std::optional<TextPlace> MovedCaret(unsigned key, bool ctrl) const;
  TextPlace StepBack(TextPlace from) const;
  TextPlace StepForward(TextPlace from) const;
  // A page up or down: the view moves by its height and the caret with it.
  TextPlace PageMove(bool up);
  // Up and Down keep the caret's x (text coordinates) from where the first
  // of a run of them started.
  TextPlace AtGoalX(int line) const;
  float CaretGoalX() const;
  // Without a selection the text from the caret to `target` goes.
  void DeleteToward(TextPlace target);
  // Word moves by Pango's word boundaries, across line ends in a multi-line
  // box; a password has no words, only its ends.
  TextPlace WordStartBefore(TextPlace from) const;
  TextPlace WordEndAfter(TextPlace from) const;
  // The columns [first, second) of the word (or the run between words) that
  // holds the character at `character`.
  std::pair<int, int> WordAround(int line, int character) const;
  std::intptr_t TypedCharacter(unsigned code);
  bool TakesCharacter(unsigned code) const;
  void ImeComposition(std::intptr_t flags);
  void SelectAll();
  bool KeepsHistory() const;
  // Records the change just made to the store: the bytes from `position` on
  // replaced, where `removed` stood, by what made the length `before_length`
  // grow or shrink.
  void RecordChange(int position, runtime::Text removed, int before_length, TextPlace anchor, TextPlace caret,
                    bool typed);
  void ApplyStep(const EditStep& step, bool undo);
  TextPlace PlaceAt(int position) const;
  void Copy();
  std::intptr_t Cut();
  // From the clipboard, or from the X primary selection.
  void Paste(bool primary = false);
  void OfferPrimary();
  // A middle click pastes the primary selection at the pointer.
  void MiddleClick(winsys::LParam position);
  void ShowContextMenu(std::intptr_t position);
  EditMenuOffer ContextMenuOffer() const;
  // The host's focused control is this box (the caret and the blink follow it).
  bool HasFocus() const;

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) override;
  // Sees every message first; anything but kNotHandled stops the box's own handling.
  virtual std::intptr_t OnUserMessage(int /*code*/, std::intptr_t /*argument1*/, std::intptr_t /*argument2*/) {
    return kNotHandled;
  }
  // Called while painting, after the text area is known and before the bars are placed.
  virtual void OnBeforeDraw(gfx::Graphics&) {}
  void OnHostComposed(gfx::Graphics& back, const FloatRect& area) override;

 private:
  void Configure(const runtime::Text& text, const EditBoxOptions& options);
  std::intptr_t HandleMessage(int code, std::intptr_t argument1, std::intptr_t argument2);
  void OnCreated();
  void OnDestroyed();
  void CreateScrollBars();
  void Relayout();
  void Reflow();
  void SetTextMessage(const char* text, bool caret_at_end);
  void Wheel(int delta);
  // --- the view (edit_box_view.cpp, which alone changes view_) ---------------------
  // Back to the top left, nothing drawn, no caret point.
  void ResetView();
  // The text and view rectangles for the box's size; answers where the focus frame goes.
  FloatRect PlaceTextArea();
  // The lines that meet the view, recorded as drawn.
  std::pair<int, int> ShownLines();
  // The caret point (and the last one) where the caret stands; with `scroll`
  // the view follows it first (see CaretRect).
  void PlaceCaretPoint(bool scroll = false, float extra = 0);
  void ScrollToBottom();
  void ScrollToTop();
  // A page up or down, as far as the text lets it.
  void TurnPage(bool up);
  // Towards the line's start by a number of pixels, not past it.
  void ScrollLeftBy(int pixels);
  void FollowCaret(FloatRect& caret, float extra);
  void ClampScroll();
  // The lines the view shows (or first..last) laid out, where their widths
  // were estimates.
  void MeasureShownLines();
  void MeasureLines(int first, int last);
  // Lines wrap at the view's width with the vertical bar alone; 0: they do not.
  float WrapWidth() const;
  void RevealLine(int line);
  void MoveCaretPoint(int dx, int dy);
  void SyncScrollBars();
  void KeepDrawnLinesValid();
  // The view and the edited line before an edit, so that afterwards only the
  // pixels the edit changed are painted again.
  struct EditMark {
    EditView view;
    int line_count = 0;
    int line = 0;
    FloatRect line_rect;
    float next_line_y = 0;
  };
  EditMark MarkEdit(int line) const;
  std::optional<FloatRect> ChangedArea(const EditMark& mark) const;
  // How far a line's pixels may reach above or below its rectangle: its text
  // (see EditText::overflow) and its selection boxes.
  float PaintMargin() const { return text_.overflow() + 6; }
  // The selection (there is one) taken out, unrecorded and unannounced: an
  // insertion records and announces both in one.
  void RemoveSelection();
  void InsertText(const runtime::Text& text, bool typed);
  void RefreshAfterEdit(bool scroll, float extra, const std::optional<EditMark>& mark = std::nullopt);
  // Select, repainting only what an edit changed when its mark is given.
  void PlaceSelection(TextPlace anchor, TextPlace caret, const std::optional<EditMark>& mark = std::nullopt);
  // Calls the change handler. Last thing a caller does: it may destroy the box.
  void NotifyChange();
  int ColumnAt(int line, float x, float y) const;
  // What of a line is laid out at once: the whole line, or one stretch of a
  // long line (see EditText::Stretches), with the display unit it starts at
  // and its layout rectangle in control coordinates.
  struct LinePiece {
    std::u16string units;
    int first_unit = 0;
    FloatRect layout;
    const gfx::StringFormat* format = nullptr;  // a stretch's has no kerning (see EditText::Stretches)
  };
  LinePiece WholeLine(int line) const;
  LinePiece Piece(int line, std::size_t stretch) const;
  std::size_t StretchAt(int line, double offset) const;
  double AlongLine(int line, float x, float y) const;
  // The pieces that may draw into `area` (control coordinates).
  std::vector<LinePiece> PiecesIn(int line, const FloatRect& area) const;
  // The piece that holds the character at `column` (the last one past the line's end).
  LinePiece PieceWithColumn(int line, int column) const;
  // The piece under a point in control coordinates.
  LinePiece PieceAt(int line, float x, float y) const;
  void DrawLines(gfx::Graphics& g, const std::optional<FloatRect>& area);
  void DrawLine(gfx::Graphics& g, int line, const FloatRect& clip);
  void DrawSelection(gfx::Graphics& g, int line, const LinePiece& piece);
  FloatRect LineLayoutRect(int line) const;
  TextPlace SelectionStart() const;
  TextPlace SelectionEnd() const;
  TextPlace Clamped(TextPlace place) const;

  // --- focus, caret and mouse (edit_box_focus.cpp, edit_box_caret.cpp, edit_box_mouse.cpp)
  void FocusGained();
  void FocusLost();
  // An inactive window shows no caret and wakes no blink timer; the focus and
  // the selection stay.
  void WindowActivation(bool active);
  void StartBlinking();
  // The blink timer stopped and the input method given back: the box has no
  // focus any more, or is going away.
  void LeaveFocusState();
  bool CaretMayShow() const;
  gfx::RectI CaretPixels() const;
  // After a paint: a drawn caret follows its new place at once.
  void CaretFollowsPaint();
  void LeftDown(std::intptr_t keys, winsys::LParam position);
  void Drag(std::intptr_t pressed, winsys::LParam position);
  // While a drag holds the pointer outside the view, the box's timer runs
  // fast and each tick drags again at that point, so the view keeps scrolling
  // with the pointer held still; the blink comes back when it ends.
  void DragScrollTick();
  void StopDragScroll();
  void SelectWordAt(winsys::LParam position);
  bool InView(int x, int y) const;
  // The longest head of whole characters within the maximum length and `room`.
  std::string_view WithinMaxLength(std::string_view text, int room = std::numeric_limits<int>::max()) const;
  // The caret placed (and the view following it), repainted, shown at once.
  void ShowNewCaretPlace();

  CaretColumn caret_;
  bool input_method_detached_ = false;
  bool double_clicked_ = false;
  std::uint32_t double_click_time_ = 0;
  struct GoalX {
    TextPlace caret;  // the goal holds while the caret stays where the last vertical move put it
    float x = 0;
  };
  std::optional<GoalX> goal_x_;
  std::optional<winsys::LParam> drag_scroll_point_;
  EditHistory history_;

  EditText text_;
  FormatHandle format_;
  FormatHandle stretch_format_;
  EditView view_;
  FontHandle font_;
  Color text_colour_ = 0xE6000000;
  Color background_colour_ = 0xA0FFFFFF;
  Color border_colour_ = 0x50000000;
  Color normal_border_colour_ = 0x50000000;
  InputMode input_mode_ = InputMode::kNormal;
  runtime::Text mask_text_ = "*";
  bool multi_line_ = false;
  int scroll_bars_ = 0;
  int max_length_ = kSingleLineMaxLength;
  // The selection runs from the anchor to the caret (equal: no selection).
  TextPlace anchor_at_;
  TextPlace caret_at_;
  std::unique_ptr<ScrollBar> horizontal_bar_;
  std::unique_ptr<ScrollBar> vertical_bar_;
  int blink_count_ = 0;
  ChangeHandler change_handler_;
};

}  // namespace razezazo
