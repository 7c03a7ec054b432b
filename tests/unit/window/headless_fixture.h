#pragma once
// A headless window system with windows whose procedures log every message.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/window/backend/headless/headless_system.h"

namespace winsys::testing {

struct Logged {
  WindowId window = 0;
  unsigned message = 0;
  WParam wparam = 0;
  LParam lparam = 0;
};

class HeadlessTest : public ::testing::Test {
 protected:
  WindowId Make(const gfx::RectI& rect, std::uint32_t style = WS_POPUP | WS_VISIBLE, std::uint32_t ex_style = 0,
                WindowId owner = 0) {
    CreateParams params;
    params.parent = owner;
    params.rect = rect;
    params.style = style;
    params.ex_style = ex_style;
    params.proc = [this](WindowId w, unsigned m, WParam wp, LParam lp) {
      log.push_back({w, m, wp, lp});
      return sys.DefWindowProc(w, m, wp, lp);
    };
    return sys.CreateWindow(params);
  }

  // The logged messages of `window` (any window for 0) whose number is in `only`.
  std::vector<Logged> Of(WindowId window, std::initializer_list<unsigned> only) const {
    std::vector<Logged> found;
    for (const Logged& l : log)
      if ((!window || l.window == window) && std::find(only.begin(), only.end(), l.message) != only.end())
        found.push_back(l);
    return found;
  }
  std::vector<unsigned> Numbers(WindowId window, std::initializer_list<unsigned> only) const {
    std::vector<unsigned> numbers;
    for (const Logged& l : Of(window, only)) numbers.push_back(l.message);
    return numbers;
  }

  HeadlessSystem sys;
  std::vector<Logged> log;
};

}  // namespace winsys::testing
