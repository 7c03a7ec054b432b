#pragma once
// GDK key values to Windows virtual keys and typed characters.
#include <gdk/gdk.h>

namespace winsys::gtk {

// The virtual key of a key event: letters and digits by the key's unshifted
// symbol on the active layout, so Shift+1 is still '1'. Keys without one (a
// symbol typed by a synthetic key) are VK_PACKET, as Windows reports them.
unsigned VirtualKeyFor(const GdkEventKey& event);

// The character (UTF-32) the key types as WM_CHAR, 0 for none: Ctrl+letter gives
// its control code and Enter, Tab, Backspace and Escape their ASCII codes, as
// Windows' TranslateMessage does.
unsigned TypedCharacter(const GdkEventKey& event);

}  // namespace winsys::gtk
