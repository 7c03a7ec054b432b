#include "platform/window/backend/win32/clipboard.h"

#include <cstring>

#include "platform/window/backend/win32/wide_text.h"

namespace winsys::win32 {

namespace {

// The clipboard is one per desktop: another program may hold it for a moment.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) {
    constexpr int kAttempts = 20;
    for (int i = 0; i < kAttempts && !(open_ = ::OpenClipboard(owner)); ++i) ::Sleep(5);
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (open_) ::CloseClipboard();
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

// A locked global memory block for the length of a read or write.
class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL memory) : memory_(memory), data_(memory ? ::GlobalLock(memory) : nullptr) {}
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;
  ~LockedMemory() {
    if (data_) ::GlobalUnlock(memory_);
  }
  void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

std::string ReadClipboardText(HWND owner) {
  const ClipboardSession session(owner);
  if (!session.IsOpen()) return {};
  HGLOBAL memory = ::GetClipboardData(CF_UNICODETEXT);
  const LockedMemory lock(memory);
  if (!lock.Data()) return {};
  // Bounded by the block's size: a text without its terminator stays inside.
  const auto* text = static_cast<const wchar_t*>(lock.Data());
  const size_t most = ::GlobalSize(memory) / sizeof(wchar_t);
  return Narrow(std::wstring_view(text, wcsnlen(text, most)));
}

void WriteClipboardText(HWND owner, std::string_view utf8) {
  const std::wstring text = Widen(utf8);
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return;
  {
    const LockedMemory lock(memory);
    if (lock.Data()) std::memcpy(lock.Data(), text.c_str(), bytes);
  }
  const ClipboardSession session(owner);
  // The clipboard owns the block once SetClipboardData took it.
  if (!session.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
}

bool ClipboardHasText() { return ::IsClipboardFormatAvailable(CF_UNICODETEXT); }

}  // namespace winsys::win32
