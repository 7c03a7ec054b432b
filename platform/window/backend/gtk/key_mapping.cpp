#include "platform/window/backend/gtk/key_mapping.h"

#include "platform/window/messages.h"

namespace winsys::gtk {

namespace {

// Windows' OEM key codes for the US punctuation keys.
unsigned PunctuationKey(guint keyval) {
  switch (keyval) {
    case GDK_KEY_semicolon: return 0xBA;
    case GDK_KEY_equal: return 0xBB;
    case GDK_KEY_comma: return 0xBC;
    case GDK_KEY_minus: return 0xBD;
    case GDK_KEY_period: return 0xBE;
    case GDK_KEY_slash: return 0xBF;
    case GDK_KEY_grave: return 0xC0;
    case GDK_KEY_bracketleft: return 0xDB;
    case GDK_KEY_backslash: return 0xDC;
    case GDK_KEY_bracketright: return 0xDD;
    case GDK_KEY_apostrophe: return 0xDE;
  }
  return 0;
}

unsigned NamedKey(guint keyval) {
  switch (keyval) {
    case GDK_KEY_BackSpace: return VK_BACK;
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab: return VK_TAB;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter: return VK_RETURN;
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R: return VK_SHIFT;
    case GDK_KEY_Control_L:
    case GDK_KEY_Control_R: return VK_CONTROL;
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
    case GDK_KEY_Meta_L:
    case GDK_KEY_Meta_R: return VK_MENU;
    case GDK_KEY_Escape: return VK_ESCAPE;
    case GDK_KEY_space:
    case GDK_KEY_KP_Space: return VK_SPACE;
    case GDK_KEY_Page_Up:
    case GDK_KEY_KP_Page_Up: return VK_PRIOR;
    case GDK_KEY_Page_Down:
    case GDK_KEY_KP_Page_Down: return VK_NEXT;
    case GDK_KEY_End:
    case GDK_KEY_KP_End: return VK_END;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home: return VK_HOME;
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left: return VK_LEFT;
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up: return VK_UP;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right: return VK_RIGHT;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down: return VK_DOWN;
    case GDK_KEY_Insert:
    case GDK_KEY_KP_Insert: return VK_INSERT;
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Delete: return VK_DELETE;
    case GDK_KEY_Menu: return VK_APPS;
  }
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) return 0x70 + (keyval - GDK_KEY_F1);
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return 0x60 + (keyval - GDK_KEY_KP_0);
  return 0;
}

unsigned SymbolKey(guint keyval) {
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return 'A' + (keyval - GDK_KEY_a);
  if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return keyval;
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return keyval;
  return PunctuationKey(keyval);
}

// The symbol on the key without modifiers, in the event's layout group.
guint BaseKeyval(const GdkEventKey& event) {
  guint base = 0;
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event.window));
  if (gdk_keymap_translate_keyboard_state(keymap, event.hardware_keycode, static_cast<GdkModifierType>(0), event.group,
                                          &base, nullptr, nullptr, nullptr))
    return base;
  return event.keyval;
}

}  // namespace

unsigned VirtualKeyFor(const GdkEventKey& event) {
  if (unsigned named = NamedKey(event.keyval)) return named;
  if (unsigned symbol = SymbolKey(BaseKeyval(event))) return symbol;
  if (unsigned symbol = SymbolKey(event.keyval)) return symbol;
  constexpr unsigned kVkPacket = 0xE7;
  return kVkPacket;
}

unsigned TypedCharacter(const GdkEventKey& event) {
  switch (event.keyval) {
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter: return '\r';
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab: return '\t';
    case GDK_KEY_BackSpace: return 8;
    case GDK_KEY_Escape: return 27;
  }
  const gunichar ch = gdk_keyval_to_unicode(event.keyval);
  if (event.state & GDK_CONTROL_MASK) {
    if (ch >= 'a' && ch <= 'z') return ch - 'a' + 1;
    if (ch >= 'A' && ch <= 'Z') return ch - 'A' + 1;
    return 0;
  }
  return g_unichar_iscntrl(ch) ? 0 : ch;
}

}  // namespace winsys::gtk
