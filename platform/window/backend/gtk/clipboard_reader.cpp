#include "platform/window/backend/gtk/clipboard_reader.h"

#include <utility>

namespace winsys::gtk {

// What outstanding GTK requests may still reach after the reader is gone.
struct ClipboardReader::Shared {
  Poster post;
  bool alive = true;
  bool offers_text = true;
};

struct ClipboardReader::PendingText {
  std::shared_ptr<Shared> shared;
  std::function<void(std::string)> done;  // cleared once the limit passed
  guint limit = 0;
};

namespace {

// GLib callbacks carry a heap copy of a shared pointer as their data.
template <typename T>
gpointer Hold(const std::shared_ptr<T>& shared) {
  return new std::shared_ptr<T>(shared);
}

template <typename T>
std::unique_ptr<std::shared_ptr<T>> Take(gpointer data) {
  return std::unique_ptr<std::shared_ptr<T>>(static_cast<std::shared_ptr<T>*>(data));
}

template <typename T>
void Release(gpointer data) {
  Take<T>(data);
}

}  // namespace

ClipboardReader::ClipboardReader(Poster post, GdkAtom selection)
    : shared_(std::make_shared<Shared>(Shared{std::move(post)})), clipboard_(gtk_clipboard_get(selection)) {
  auto on_owner_change = +[](GtkClipboard* clipboard, GdkEvent*, gpointer data) {
    const auto& shared = *static_cast<std::shared_ptr<Shared>*>(data);
    shared->offers_text = true;  // until the new owner's targets arrive
    AskTargets(clipboard, shared);
  };
  owner_change_ = g_signal_connect_data(
      clipboard_, "owner-change", G_CALLBACK(on_owner_change), Hold(shared_),
      [](gpointer data, GClosure*) { Release<Shared>(data); }, GConnectFlags(0));
  AskTargets(clipboard_, shared_);
}

ClipboardReader::~ClipboardReader() {
  shared_->alive = false;
  g_signal_handler_disconnect(clipboard_, owner_change_);
}

void ClipboardReader::AskTargets(GtkClipboard* clipboard, const std::shared_ptr<Shared>& shared) {
  auto on_targets = +[](GtkClipboard*, GdkAtom* atoms, gint count, gpointer data) {
    const auto held = Take<Shared>(data);
    (*held)->offers_text = atoms && gtk_targets_include_text(atoms, count);
  };
  gtk_clipboard_request_targets(clipboard, on_targets, Hold(shared));
}

bool ClipboardReader::OffersText() const { return shared_->offers_text; }

void ClipboardReader::RequestText(std::function<void(std::string)> done) {
  auto pending = std::make_shared<PendingText>(PendingText{shared_, std::move(done)});
  auto on_limit = +[](gpointer data) -> gboolean {
    PendingText& p = **static_cast<std::shared_ptr<PendingText>*>(data);
    p.limit = 0;
    p.done = nullptr;  // a late answer does nothing
    return G_SOURCE_REMOVE;
  };
  pending->limit =
      g_timeout_add_full(G_PRIORITY_DEFAULT, kAnswerLimitMs, on_limit, Hold(pending), Release<PendingText>);
  auto on_text = +[](GtkClipboard*, const gchar* text, gpointer data) {
    const auto held = Take<PendingText>(data);
    PendingText& p = **held;
    if (!p.done) return;
    g_source_remove(p.limit);
    p.limit = 0;
    if (!p.shared->alive) return;
    p.shared->post([done = std::move(p.done), utf8 = std::string(text ? text : "")] { done(utf8); });
  };
  gtk_clipboard_request_text(clipboard_, on_text, Hold(pending));
}

}  // namespace winsys::gtk
