#pragma once
// Whether the tests run under Wine. Its GDI+ draws a few things its own way
// (a software rasteriser that differs from GDI+ on Windows); the tests that
// allow for it say what and why.
#ifdef _WIN32
#include <windows.h>
#endif

namespace gfx::testing {

inline bool UnderWine() {
#ifdef _WIN32
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
  return false;
#endif
}

}  // namespace gfx::testing
