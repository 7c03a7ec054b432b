#pragma once
// The desktop's input method (GtkIMContext) for the window with the keyboard:
// keys are offered to it first, committed text and the composition state come
// back through callbacks.
#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "platform/gfx/geometry.h"

namespace winsys::gtk {

class InputMethod {
 public:
  using CommitHandler = std::function<void(const std::string& utf8)>;
  explicit InputMethod(CommitHandler on_commit);
  InputMethod(const InputMethod&) = delete;
  InputMethod& operator=(const InputMethod&) = delete;
  ~InputMethod();

  // Attaches to the window that has the keyboard (null: none) and gives it focus.
  void Attach(GdkWindow* window);
  GdkWindow* Attached() const { return window_; }
  // Whether any window has had the input method yet.
  bool EverAttached() const { return ever_attached_; }
  // True when the input method consumed the key; act on it only otherwise.
  bool Filter(GdkEventKey* event);
  // Where the candidate window goes (window coordinates of the attached window).
  void SetCaret(const gfx::RectI& caret);
  void Reset();
  bool Composing() const { return composing_; }

 private:
  static void OnCommit(GtkIMContext*, const gchar* text, gpointer self);
  static void OnPreeditStart(GtkIMContext*, gpointer self);
  static void OnPreeditEnd(GtkIMContext*, gpointer self);

  GtkIMContext* context_;
  GdkWindow* window_ = nullptr;
  CommitHandler on_commit_;
  bool composing_ = false;
  bool ever_attached_ = false;
};

}  // namespace winsys::gtk
