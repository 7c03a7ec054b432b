#pragma once
// Window messages, styles and codes with the values the framework was written
// against, so that message numbers, packing and flags mean what they always did.
#include <cstdint>

namespace winsys {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// Messages.
inline constexpr unsigned WM_CREATE = 1, WM_DESTROY = 2, WM_MOVE = 3, WM_SIZE = 5, WM_ACTIVATE = 6, WM_SETFOCUS = 7,
                          WM_KILLFOCUS = 8, WM_SETTEXT = 12, WM_PAINT = 15, WM_CLOSE = 16, WM_QUIT = 18,
                          WM_SETCURSOR = 32, WM_GETMINMAXINFO = 36, WM_STYLECHANGED = 125, WM_NCCALCSIZE = 131,
                          WM_NCACTIVATE = 134, WM_KEYDOWN = 256, WM_KEYUP = 257, WM_CHAR = 258, WM_SYSKEYDOWN = 260,
                          WM_SYSKEYUP = 261, WM_SYSCHAR = 262, WM_IME_COMPOSITION = 271, WM_COMMAND = 273,
                          WM_SYSCOMMAND = 274, WM_TIMER = 275, WM_MOUSEMOVE = 512, WM_LBUTTONDOWN = 513,
                          WM_LBUTTONUP = 514, WM_LBUTTONDBLCLK = 515, WM_RBUTTONDOWN = 516, WM_RBUTTONUP = 517,
                          WM_RBUTTONDBLCLK = 518, WM_MBUTTONDOWN = 519, WM_MBUTTONUP = 520, WM_MOUSEWHEEL = 522,
                          WM_MOUSELEAVE = 675, WM_DPICHANGED = 736, WM_USER = 1024;
// Non-client press: DefWindowProc starts the system move loop for HTCAPTION.
inline constexpr unsigned WM_NCLBUTTONDOWN = 161;

// WM_ACTIVATE's low word; WM_SIZE's first argument.
inline constexpr WParam WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2;
inline constexpr WParam SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;
// WM_IME_COMPOSITION's second argument when a result string is ready.
inline constexpr LParam GCS_RESULTSTR = 0x800;
// Mouse key state bits (first argument of mouse messages).
inline constexpr WParam MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8, MK_MBUTTON = 16;
// WM_SYSCOMMAND commands.
inline constexpr WParam SC_SIZE = 0xF000, SC_MOVE = 0xF010, SC_MINIMIZE = 0xF020, SC_MAXIMIZE = 0xF030,
                        SC_CLOSE = 0xF060, SC_RESTORE = 0xF120;

// Virtual keys.
inline constexpr unsigned VK_LBUTTON = 1, VK_RBUTTON = 2;
inline constexpr unsigned VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
                          VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
                          VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
                          VK_APPS = 93, VK_F4 = 115, VK_F10 = 121;
// Letters and digits are their upper-case ASCII codes ('A' = 65, '0' = 48).

// Window styles.
inline constexpr std::uint32_t WS_POPUP = 0x80000000u, WS_CHILD = 0x40000000u, WS_MINIMIZE = 0x20000000u,
                               WS_VISIBLE = 0x10000000u, WS_CLIPCHILDREN = 0x02000000u, WS_MAXIMIZE = 0x01000000u,
                               WS_BORDER = 0x00800000u, WS_DLGFRAME = 0x00400000u, WS_SYSMENU = 0x00080000u,
                               WS_THICKFRAME = 0x00040000u, WS_MINIMIZEBOX = 0x00020000u, WS_MAXIMIZEBOX = 0x00010000u;
inline constexpr std::uint32_t WS_EX_TOPMOST = 0x8u, WS_EX_TOOLWINDOW = 0x80u, WS_EX_LAYERED = 0x80000u,
                               WS_EX_NOACTIVATE = 0x08000000u;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3, SW_SHOWNOACTIVATE = 4,
                     SW_SHOW = 5, SW_MINIMIZE = 6, SW_SHOWNA = 8, SW_RESTORE = 9;

// Hit-test codes: WM_SETCURSOR's low word of lparam, WM_NCLBUTTONDOWN's wparam,
// and the edges of the system size loop.
inline constexpr int HTCLIENT = 1, HTCAPTION = 2;
inline constexpr int HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14, HTBOTTOM = 15,
                     HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17;

// WM_STYLECHANGED's lparam points at one.
struct StyleChange {
  std::uint32_t old_style = 0;
  std::uint32_t new_style = 0;
};

// System cursors (the IDC_ numbers).
enum class Cursor : int {
  Arrow = 32512,
  IBeam = 32513,
  Wait = 32514,
  Cross = 32515,
  SizeNWSE = 32642,
  SizeNESW = 32643,
  SizeWE = 32644,
  SizeNS = 32645,
  SizeAll = 32646,
  Hand = 32649,
};

// Mouse position packing: x in the low 16 bits (signed), y in the high 16 bits.
inline LParam PackPoint(int x, int y) {
  return static_cast<LParam>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) |
                             static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16);
}
inline int PointX(LParam packed) { return static_cast<std::int16_t>(packed & 0xFFFF); }
inline int PointY(LParam packed) { return static_cast<std::int16_t>((packed >> 16) & 0xFFFF); }
inline WParam MakeWParam(unsigned low, unsigned high) { return (low & 0xFFFF) | (high & 0xFFFF) << 16; }
inline unsigned LowWord(std::uintptr_t v) { return v & 0xFFFF; }
inline unsigned HighWord(std::uintptr_t v) { return (v >> 16) & 0xFFFF; }

}  // namespace winsys
