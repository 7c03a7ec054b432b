#include "razezazo/controls/automatic_text_colour.h"

#include "razezazo/drawing/text.h"
#include "razezazo/widgets/host_surface.h"

namespace razezazo {

Color AutomaticTextColour(const ControlBase& control, Color colour) {
  HostSurface* h = control.host();
  if (!h) return colour;
  const Color host_background = ToArgb(h->background_colour());
  const bool dark = IsBackgroundDark(&h->background_picture(), control.bounds(), host_background);
  return (colour & 0xFF000000u) | (dark ? 0x00FFFFFFu : 0u);
}

}  // namespace razezazo
