#pragma once
// Reading the X clipboard without waiting on its owner: another program may
// hold it and never answer, and a wait for it (GTK's wait_for_text runs a
// nested loop for up to two minutes) would stop our windows from painting and
// taking keys. Text comes back through a callback, or not at all when the
// owner does not answer within a short limit; whether it offers text at all
// is learnt from the targets it announces whenever it changes hands.
#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace winsys::gtk {

class ClipboardReader {
 public:
  // `post` runs a callable later on the UI thread (the window system's task queue).
  using Poster = std::function<void(std::function<void()>)>;
  static constexpr std::uint32_t kAnswerLimitMs = 1500;

  // `selection`: the clipboard, or the primary selection.
  explicit ClipboardReader(Poster post, GdkAtom selection = GDK_SELECTION_CLIPBOARD);
  ClipboardReader(const ClipboardReader&) = delete;
  ClipboardReader& operator=(const ClipboardReader&) = delete;
  ~ClipboardReader();

  // `done` gets the text (UTF-8, empty when the clipboard holds none), posted;
  // it never runs when the owner is silent past the limit, nor after this
  // reader is gone.
  void RequestText(std::function<void(std::string)> done);
  // True until the owner's targets say otherwise, so that a silent owner
  // leaves pasting offered (and a paste then does nothing).
  bool OffersText() const;

 private:
  struct Shared;
  struct PendingText;
  static void AskTargets(GtkClipboard* clipboard, const std::shared_ptr<Shared>& shared);

  std::shared_ptr<Shared> shared_;
  GtkClipboard* clipboard_ = nullptr;
  gulong owner_change_ = 0;
};

}  // namespace winsys::gtk
