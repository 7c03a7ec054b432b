#include "platform/window/backend/gtk/input_method.h"

namespace winsys::gtk {

InputMethod::InputMethod(CommitHandler on_commit)
    : context_(gtk_im_multicontext_new()), on_commit_(std::move(on_commit)) {
  // Our windows draw no composition of their own: the input method shows it
  // in its window at the caret (SetCaret), so that it is never invisible.
  gtk_im_context_set_use_preedit(context_, FALSE);
  g_signal_connect(context_, "commit", G_CALLBACK(&InputMethod::OnCommit), this);
  g_signal_connect(context_, "preedit-start", G_CALLBACK(&InputMethod::OnPreeditStart), this);
  g_signal_connect(context_, "preedit-end", G_CALLBACK(&InputMethod::OnPreeditEnd), this);
}

InputMethod::~InputMethod() {
  g_signal_handlers_disconnect_by_data(context_, this);
  gtk_im_context_set_client_window(context_, nullptr);
  g_object_unref(context_);
}

void InputMethod::Attach(GdkWindow* window) {
  if (window == window_) return;
  if (window_) gtk_im_context_focus_out(context_);
  window_ = window;
  gtk_im_context_set_client_window(context_, window);
  if (!window) return;
  ever_attached_ = true;
  gtk_im_context_focus_in(context_);
}

bool InputMethod::Filter(GdkEventKey* event) { return window_ && gtk_im_context_filter_keypress(context_, event); }

void InputMethod::SetCaret(const gfx::RectI& caret) {
  const GdkRectangle area{caret.x, caret.y, caret.width, caret.height};
  gtk_im_context_set_cursor_location(context_, &area);
}

void InputMethod::Reset() {
  gtk_im_context_reset(context_);
  composing_ = false;
}

void InputMethod::OnCommit(GtkIMContext*, const gchar* text, gpointer self) {
  if (text && *text) static_cast<InputMethod*>(self)->on_commit_(text);
}

void InputMethod::OnPreeditStart(GtkIMContext*, gpointer self) { static_cast<InputMethod*>(self)->composing_ = true; }

void InputMethod::OnPreeditEnd(GtkIMContext*, gpointer self) { static_cast<InputMethod*>(self)->composing_ = false; }

}  // namespace winsys::gtk
