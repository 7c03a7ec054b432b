// WindowSystemBase: the message queue, sending, dispatch and timers.
#include <future>

#include "platform/window/window_system_base.h"

namespace winsys {

namespace {

// Counts a call from another thread while it touches the system.
class InFlight {
 public:
  explicit InFlight(std::atomic<int>& count) : count_(count) { ++count_; }
  InFlight(const InFlight&) = delete;
  InFlight& operator=(const InFlight&) = delete;
  ~InFlight() { --count_; }

 private:
  std::atomic<int>& count_;
};

bool IsMouseInput(unsigned message) { return message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK; }

}  // namespace

LResult WindowSystemBase::CallProc(WindowId window, unsigned message, WParam wparam, LParam lparam) {
  const WindowRecord* record = Record(window);
  if (!record) return 0;
  const auto proc = record->proc;  // keeps it alive if it replaces itself
  return proc ? (*proc)(window, message, wparam, lparam) : DefWindowProc(window, message, wparam, lparam);
}

LResult WindowSystemBase::Send(WindowId window, unsigned message, WParam wparam, LParam lparam) {
  if (!OnUiThread()) return SendFromOtherThread(window, message, wparam, lparam);
  return CallProc(window, message, wparam, lparam);
}

// The call is handed to the UI thread as a task; a broken promise (the system
// went away first) answers 0.
LResult WindowSystemBase::SendFromOtherThread(WindowId window, unsigned message, WParam wparam, LParam lparam) {
  std::future<LResult> answer;
  {
    const InFlight counted(senders_in_flight_);
    if (!windows_.IsLive(window)) return 0;
    auto promise = std::make_shared<std::promise<LResult>>();
    answer = promise->get_future();
    // Only the task may own the promise, so that dropping the task breaks it.
    queue_.PushTask([this, promise = std::move(promise), window, message, wparam, lparam] {
      promise->set_value(CallProc(window, message, wparam, lparam));
    });
    WakeUp();
  }
  // From here on only the future is touched.
  try {
    return answer.get();
  } catch (const std::future_error&) {
    return 0;
  }
}

void WindowSystemBase::WaitForSenders() const {
  while (senders_in_flight_.load() > 0) std::this_thread::yield();
}

bool WindowSystemBase::Post(WindowId window, unsigned message, WParam wparam, LParam lparam) {
  const InFlight counted(senders_in_flight_);
  if (window && !windows_.IsLive(window)) return false;
  queue_.PushMessage({window, message, wparam, lparam, Now()});
  WakeUp();
  return true;
}

void WindowSystemBase::PostTask(std::function<void()> task) {
  const InFlight counted(senders_in_flight_);
  queue_.PushTask(std::move(task));
  WakeUp();
}

void WindowSystemBase::QueueInput(WindowId window, unsigned message, WParam wparam, LParam lparam) {
  if (IsWindow(window)) queue_.PushMessage({window, message, wparam, lparam, Now()});
}

void WindowSystemBase::QueueImeResult(WindowId window, std::string utf8) {
  WindowRecord* record = Record(window);
  if (!record || utf8.empty()) return;
  record->ime_pending.push_back(std::move(utf8));
  QueueInput(window, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
}

void WindowSystemBase::PostQuitMessage(int exit_code) {
  quit_pending_ = true;
  quit_code_ = exit_code;
}

bool WindowSystemBase::GetMessage(Message& message) {
  for (;;) {
    if (NextMessage(message, true)) return message.message != WM_QUIT;
    if (!WaitForMessages()) {
      message = {0, WM_QUIT, 0, 0, Now()};
      return false;
    }
  }
}

bool WindowSystemBase::PeekMessage(Message& message, bool remove) { return NextMessage(message, remove); }

// Queued messages first (tasks run as they come up, like messages sent from
// other threads), then WM_PAINT, then generated WM_TIMER; WM_QUIT only when
// nothing else is left.
bool WindowSystemBase::NextMessage(Message& message, bool remove) {
  for (;;) {
    std::function<void()> task;
    const auto front = queue_.Take(remove, message, task);
    if (front == MessageQueue::Front::kEmpty) break;
    if (front == MessageQueue::Front::kTask) {
      task();
      continue;
    }
    if (message.window && !IsWindow(message.window)) {
      if (!remove) queue_.Take(true, message, task);
      continue;
    }
    if (remove && message.message == WM_TIMER)
      if (Timer* timer = timers_.Find(message.window, message.wparam)) timer->queued = false;
    if (remove) TakeImeResult(message);
    return true;
  }
  if (PaintMessage(message)) return true;
  if (DueTimerMessage(message, remove)) return true;
  if (!quit_pending_) return false;
  message = {0, WM_QUIT, static_cast<WParam>(quit_code_), 0, Now()};
  if (remove) quit_pending_ = false;
  return true;
}

bool WindowSystemBase::PaintMessage(Message& message) const {
  for (WindowId id : windows_.TopFirst()) {
    const WindowRecord* record = Record(id);
    if (record->Shown() && !record->update.IsEmpty()) {
      message = {id, WM_PAINT, 0, 0, Now()};
      return true;
    }
  }
  return false;
}

LResult WindowSystemBase::DispatchMessage(const Message& message) {
  if (message.message == WM_TIMER) {
    if (Timer* timer = timers_.Find(message.window, message.wparam); timer && timer->proc) {
      const auto proc = timer->proc;
      (*proc)(message.window, WM_TIMER, message.wparam, message.time);
      return 0;
    }
  }
  WindowRecord* record = Record(message.window);
  if (!record) return 0;
  TrackKeyState(message);
  if (IsMouseInput(message.message) && !capture_) SendSetCursor(message);
  const LResult result = CallProc(message.window, message.message, message.wparam, message.lparam);
  // A procedure that painted without validating would get WM_PAINT forever.
  if (message.message == WM_PAINT)
    if (WindowRecord* painted = Record(message.window)) painted->update = gfx::Region();
  return result;
}

// A committed text becomes the window's result when its message leaves the
// queue, dispatched or not: a loop that drops the message (a modal box keeping
// input from other windows) must not leave the text to the next commit.
void WindowSystemBase::TakeImeResult(const Message& message) {
  if (message.message != WM_IME_COMPOSITION || !(message.lparam & GCS_RESULTSTR)) return;
  WindowRecord* record = Record(message.window);
  if (!record || record->ime_pending.empty()) return;
  record->ime_result = std::move(record->ime_pending.front());
  record->ime_pending.pop_front();
}

void WindowSystemBase::SendSetCursor(const Message& message) {
  const auto lparam = static_cast<LParam>(MakeWParam(HTCLIENT, message.message));
  Send(message.window, WM_SETCURSOR, message.window, lparam);
}

void WindowSystemBase::SetTimer(WindowId window, std::uintptr_t timer_id, std::uint32_t interval_ms, TimerProc proc) {
  if (window && !IsWindow(window)) return;
  KillTimer(window, timer_id);
  NativeTimerSet(timers_.Add(window, timer_id, interval_ms, std::move(proc)));
}

void WindowSystemBase::KillTimer(WindowId window, std::uintptr_t timer_id) {
  auto timer = timers_.Take(window, timer_id);
  if (!timer) return;
  NativeTimerKilled(*timer);
  queue_.RemoveIf(
      [&](const Message& m) { return m.window == window && m.message == WM_TIMER && m.wparam == timer_id; });
}

void WindowSystemBase::KillTimersOf(WindowId window) {
  for (Timer* timer : timers_.OfWindow(window)) KillTimer(window, timer->id);
}

}  // namespace winsys
