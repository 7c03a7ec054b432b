#pragma once
// A control for tests: it paints itself in one colour and records every event
// its class handler sees, as "code:argument1:argument2".
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "razezazo/widgets/control_base.h"
#include "razezazo/widgets/paint_cycle.h"

namespace testing_support {

class TestControl : public razezazo::ControlBase {
 public:
  explicit TestControl(gfx::Argb colour = 0xFF3366CC) : colour_(colour) {}
  ~TestControl() override { Destroy(); }

  void SetColour(gfx::Argb colour) {
    colour_ = colour;
    Paint();
  }
  void Paint() {
    razezazo::PaintContext context = razezazo::BeginPaint(*this);
    if (context.graphics) context.graphics->Clear(colour_);
    razezazo::EndPaint(*this, context);
  }

  // Answers for the queries the framework asks controls.
  std::optional<std::intptr_t> press_answer;
  std::optional<std::intptr_t> disabled_look_answer;
  std::optional<std::intptr_t> key_answer;
  std::vector<std::string> events;

  // Events of these codes only (empty: all).
  std::vector<int> watched;

  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(events);
    return taken;
  }

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t a1, std::intptr_t a2) override {
    if (code == razezazo::event::kRepaint) {
      Paint();
      return 0;
    }
    if (watched.empty() || std::find(watched.begin(), watched.end(), code) != watched.end())
      events.push_back(std::to_string(code) + ":" + std::to_string(a1) + ":" + std::to_string(a2));
    if (code == razezazo::event::kPressQuery && press_answer) return *press_answer;
    if (code == razezazo::event::kDisabledLookQuery && disabled_look_answer) return *disabled_look_answer;
    if (code == 256 && key_answer) return *key_answer;
    return razezazo::kNotHandled;
  }

 private:
  gfx::Argb colour_;
};

}  // namespace testing_support
