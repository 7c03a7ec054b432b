#pragma once
// A region on Windows: a GDI region. For the platform layer's own code (the
// drawing code, the Win32 window backend, which hands copies to SetWindowRgn).
#include <windows.h>

#include "platform/gfx/region.h"

namespace gfx {

struct Region::Native {
  HRGN region;
};

inline HRGN Win32Region(const Region& region) { return region.NativeRegion().region; }

}  // namespace gfx
