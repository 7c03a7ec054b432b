#include "platform/window/backend/win32/win32_system.h"

#include <algorithm>
#include <cmath>

#include "platform/window/backend/win32/clipboard.h"
#include "platform/window/backend/win32/dpi.h"
#include "platform/window/backend/win32/input_method.h"
#include "platform/window/native_start.h"

namespace winsys {

std::unique_ptr<WindowSystem> StartNativeSystem() { return win32::Win32System::Open(); }

namespace win32 {

namespace {

constexpr UINT kWakeMessage = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"BrivoWindow";
constexpr wchar_t kHelperClass[] = L"BrivoHelper";

// A window class of this program; 0 when Windows refuses it.
ATOM MakeWindowClass(const wchar_t* name, WNDPROC procedure, UINT style) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.lpszClassName = name;
  const ATOM atom = ::RegisterClassExW(&window_class);
  if (atom || ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return atom;
  return static_cast<ATOM>(::GetClassInfoExW(window_class.hInstance, name, &window_class));
}

// Counts our own native calls, whose echoes the window procedure ignores.
class Placing {
 public:
  explicit Placing(int& count) : count_(count) { ++count_; }
  Placing(const Placing&) = delete;
  Placing& operator=(const Placing&) = delete;
  ~Placing() { --count_; }

 private:
  int& count_;
};

}  // namespace

std::unique_ptr<Win32System> Win32System::Open() {
  BecomeDpiAware();
  const ATOM window_class = MakeWindowClass(kWindowClass, &Win32System::WindowProcedure, CS_DBLCLKS);
  const ATOM helper_class = MakeWindowClass(kHelperClass, &Win32System::HelperProcedure, 0);
  if (!window_class || !helper_class) return nullptr;
  std::unique_ptr<Win32System> system(new Win32System(window_class, helper_class));
  if (!system->helper_) return nullptr;
  return system;
}

Win32System::Win32System(ATOM window_class, ATOM helper_class)
    : window_class_(window_class), helper_class_(helper_class) {
  helper_.reset(::CreateWindowExW(0, MAKEINTATOM(helper_class_), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleW(nullptr), this));
}

Win32System::~Win32System() {
  WaitForSenders();
  ForgetAllWindows();
}

LRESULT CALLBACK Win32System::WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  // Until the window is in the table (while CreateWindowExW runs) and after
  // it left it, Windows' defaults do.
  auto* system = reinterpret_cast<Win32System*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const WindowId id = system ? system->IdOf(hwnd) : 0;
  if (!id) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  return system->OnNative(id, hwnd, message, wparam, lparam);
}

LRESULT CALLBACK Win32System::HelperProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* system = reinterpret_cast<Win32System*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (system && message == kWakeMessage) {
    system->wake_posted_ = false;
    return 0;
  }
  if (system && message == WM_TIMER) {
    system->OnTimer(wparam);
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

std::uint32_t Win32System::Now() const { return ::GetTickCount(); }

void Win32System::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

NativeWindow* Win32System::Native(WindowId window) const {
  auto it = natives_.find(window);
  return it == natives_.end() ? nullptr : it->second.get();
}

HWND Win32System::NativeOf(WindowId window) const {
  const NativeWindow* native = Native(window);
  return native ? native->Handle() : nullptr;
}

WindowId Win32System::IdOf(HWND window) const {
  auto it = by_hwnd_.find(window);
  return it == by_hwnd_.end() ? 0 : it->second;
}

ScreenUnits Win32System::SystemUnits() const { return UnitsForDpi(DpiOf(nullptr)); }

ScreenUnits Win32System::UnitsOf(WindowId window) const {
  const NativeWindow* native = Native(window);
  return native ? native->Units() : SystemUnits();
}

float Win32System::Scale(WindowId window) const { return UnitsOf(window).scale; }

gfx::PointF Win32System::CursorPos() const {
  POINT point{};
  ::GetCursorPos(&point);
  const ScreenUnits units = SystemUnits();
  return {static_cast<float>(std::floor(units.ToLogical(point.x))),
          static_cast<float>(std::floor(units.ToLogical(point.y)))};
}

// Down Windows' stacking order from the top: the first window shown at the
// point decides, ours or another program's. (Windows' own WindowFromPoint
// passes over layered windows under Wine.)
WindowId Win32System::WindowFromPoint(gfx::PointF screen_point) const {
  const int x = static_cast<int>(std::floor(screen_point.x)), y = static_cast<int>(std::floor(screen_point.y));
  const ScreenUnits units = SystemUnits();
  const POINT device{units.ToNative(x), units.ToNative(y)};
  for (HWND hwnd = ::GetTopWindow(nullptr); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
    RECT rect{};
    if (!::IsWindowVisible(hwnd) || ::IsIconic(hwnd) || !::GetWindowRect(hwnd, &rect) || !::PtInRect(&rect, device))
      continue;
    const WindowId id = IdOf(hwnd);
    const WindowRecord* record = Record(id);
    if (!record) return 0;
    if (record->ShowsAt(x, y)) return id;
  }
  return 0;
}

gfx::RectI Win32System::WorkArea() const {
  RECT area{};
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return {0, 0, 1024, 768};
  return SystemUnits().ToLogical(gfx::RectI{area.left, area.top, area.right - area.left, area.bottom - area.top});
}

// --- windows -----------------------------------------------------------------------

bool Win32System::NativeCreate(WindowRecord& record) {
  const Placing placing(placing_);
  auto native = std::make_unique<NativeWindow>(window_class_, record, NativeOf(record.owner), SystemUnits(), this);
  if (!native->Handle()) return false;
  // Its monitor may have another DPI than the system's.
  const ScreenUnits units = UnitsForDpi(DpiOf(native->Handle()));
  if (!(units == native->Units())) {
    native->SetUnits(units);
    native->Place(record.rect);
  }
  by_hwnd_[native->Handle()] = record.id;
  natives_[record.id] = std::move(native);
  return true;
}

void Win32System::NativeDestroy(WindowRecord& record) {
  NativeWindow* native = Native(record.id);
  if (!native) return;
  // Out of the table first: the messages of its end are not ours to hear.
  by_hwnd_.erase(native->Handle());
  const Placing placing(placing_);
  natives_.erase(record.id);
}

void Win32System::NativeShow(WindowRecord& record) {
  const Placing placing(placing_);
  if (NativeWindow* native = Native(record.id)) native->Show(record.visible, record.iconic);
}

void Win32System::NativePlace(WindowRecord& record) {
  const Placing placing(placing_);
  if (NativeWindow* native = Native(record.id)) native->Place(record.rect);
}

void Win32System::NativeTitle(WindowRecord& record) {
  if (NativeWindow* native = Native(record.id)) native->SetTitle(record.title);
}

void Win32System::NativeStack(WindowRecord& record) {
  const Placing placing(placing_);
  if (NativeWindow* native = Native(record.id); native && record.Shown()) native->Stack(record.Topmost());
}

void Win32System::NativeShape(WindowRecord& record) {
  NativeWindow* native = Native(record.id);
  if (!native) return;
  const Placing placing(placing_);
  native->SetStyleBit(GWL_EXSTYLE, WS_EX_LAYERED, record.Layered());
  native->SetRegion(record.region);
}

void Win32System::NativeResizable(WindowRecord& record) {
  const Placing placing(placing_);
  if (NativeWindow* native = Native(record.id))
    native->SetStyleBit(GWL_STYLE, WS_THICKFRAME, (record.style & WS_THICKFRAME) != 0);
}

// Windows answers with WM_ACTIVATE, which brings the record along.
void Win32System::NativeActivate(WindowRecord& record) {
  HWND hwnd = NativeOf(record.id);
  if (!hwnd || !record.Shown()) return;
  ::SetForegroundWindow(hwnd);
  ::SetFocus(hwnd);
}

void Win32System::NativeCapture(WindowId window) {
  if (HWND hwnd = NativeOf(window))
    ::SetCapture(hwnd);
  else
    ::ReleaseCapture();
}

void Win32System::NativeCursor(Cursor cursor) {
  ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(static_cast<int>(cursor))));
}

void Win32System::NativeInputMethod(WindowRecord& record) {
  HWND hwnd = NativeOf(record.id);
  if (!hwnd) return;
  EnableIme(hwnd, record.ime_enabled);
  if (record.ime_enabled) PlaceImeWindows(hwnd, UnitsOf(record.id).ToNative(record.ime_caret));
}

void Win32System::NativeIcon(WindowRecord& record) {
  if (NativeWindow* native = Native(record.id)) native->SetIcons(record.icons);
}

void Win32System::NativeToolsChanged(WindowId owner) {
  std::vector<ToolRecord> owned;
  for (const ToolRecord& tool : Tools())
    if (tool.owner == owner) owned.push_back(tool);
  tooltips_.Replace(NativeOf(owner), owned, UnitsOf(owner));
}

// The pressed button belongs to the loop from here on: Windows follows the
// pointer until it is released.
void Win32System::RunSystemLoop(WindowId window, WPARAM command) {
  HWND hwnd = NativeOf(window);
  if (!hwnd) return;
  if (Capture()) ReleaseCapture();
  POINT point{};
  ::GetCursorPos(&point);
  ::DefWindowProcW(hwnd, WM_SYSCOMMAND, command, MAKELPARAM(point.x, point.y));
}

void Win32System::BeginMoveDrag(WindowId window) { RunSystemLoop(window, SC_MOVE | HTCAPTION); }

// The WMSZ_ edges (1 left .. 8 bottom right) run parallel to the HT codes.
void Win32System::BeginResizeDrag(WindowId window, int hit_test_edge) {
  RunSystemLoop(window, SC_SIZE | static_cast<WPARAM>(hit_test_edge - HTLEFT + 1));
}

// --- pixels -------------------------------------------------------------------------

void Win32System::Present(WindowId window, const gfx::Bitmap& back_buffer, const gfx::RectI& rect) {
  if (NativeWindow* native = Native(window)) native->Present(back_buffer, rect);
}

void Win32System::PresentLayered(WindowId window, const gfx::Bitmap& back_buffer, std::uint8_t alpha) {
  NativeWindow* native = Native(window);
  if (!native) return;
  const Placing placing(placing_);
  native->SetStyleBit(GWL_EXSTYLE, WS_EX_LAYERED, true);
  native->PresentLayered(back_buffer, alpha);
}

// --- clipboard and sound --------------------------------------------------------------

std::string Win32System::ClipboardText() { return ReadClipboardText(helper_.get()); }

void Win32System::RequestClipboardText(std::function<void(std::string)> done) {
  PostTask([this, done = std::move(done)] { done(ClipboardText()); });
}

bool Win32System::ClipboardOffersText() { return ClipboardHasText(); }

void Win32System::SetClipboardText(std::string_view utf8) { WriteClipboardText(helper_.get(), utf8); }

void Win32System::Beep() { ::MessageBeep(MB_OK); }

// --- timers and the loop -------------------------------------------------------------

void Win32System::NativeTimerSet(Timer& timer) {
  const UINT_PTR native_id = ++next_timer_;
  timer_keys_[native_id] = {timer.window, timer.id};
  timer.native_source = static_cast<unsigned>(native_id);
  ::SetTimer(helper_.get(), native_id, std::max<UINT>(timer.interval, USER_TIMER_MINIMUM), nullptr);
}

void Win32System::NativeTimerKilled(Timer& timer) {
  if (!timer.native_source) return;
  ::KillTimer(helper_.get(), timer.native_source);
  timer_keys_.erase(timer.native_source);
  timer.native_source = 0;
}

// A due timer queues one WM_TIMER; it does not pile up more while that one waits.
void Win32System::OnTimer(UINT_PTR native_id) {
  auto it = timer_keys_.find(native_id);
  if (it == timer_keys_.end()) return;
  Timer* timer = Timers().Find(it->second.first, it->second.second);
  if (!timer || timer->queued) return;
  timer->queued = true;
  Queue().PushMessage({timer->window, WM_TIMER, timer->id, 0, Now()});
}

bool Win32System::PeekMessage(Message& message, bool remove) {
  PumpNative();
  return WindowSystemBase::PeekMessage(message, remove);
}

// The bound keeps a flood of input from holding the caller for ever.
bool Win32System::PumpNative() {
  constexpr int kMostMessages = 256;
  MSG native{};
  int count = 0;
  while (count < kMostMessages && ::PeekMessageW(&native, nullptr, 0, 0, PM_REMOVE)) {
    ++count;
    if (native.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(native.wParam));
      continue;
    }
    ::TranslateMessage(&native);
    ::DispatchMessageW(&native);
  }
  return count > 0;
}

// Safe from any thread; one wake-up at a time is enough.
void Win32System::WakeUp() {
  if (!wake_posted_.exchange(true)) ::PostMessageW(helper_.get(), kWakeMessage, 0, 0);
}

bool Win32System::WaitForMessages() {
  if (!PumpNative()) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    PumpNative();
  }
  return true;
}

}  // namespace win32
}  // namespace winsys
