#pragma once
// A control's animated change from its previous picture to its new one.
namespace razezazo {

enum class TransitionKind : int { kFade = 0, kSlideDown = 1, kSlideUp = 2, kSlideRight = 3, kSlideLeft = 4 };

// The transition fields of a control. It runs when interval and steps are both
// non-zero, and is in progress while step differs from steps.
struct Transition {
  int interval_ms = 0;
  int steps = 0;
  int step = 0;
  TransitionKind kind = TransitionKind::kFade;

  bool Configured() const { return interval_ms != 0 && steps != 0; }
  bool InProgress() const { return Configured() && step != steps; }
};

}  // namespace razezazo
