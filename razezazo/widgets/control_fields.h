#pragma once
// A control's numbered fields, for code that addresses them by index. Only the
// fields that hold a number or a handle are listed: pictures, texts and
// rectangles read 0 and ignore writes. A documented number is taken with an
// explicit conversion: control_field::Index{13}.
#include <cstdint>

#include "razezazo/widgets/framework_object.h"

namespace razezazo {

namespace control_field {
enum Index : int {
  kHostWindow = 1,
  kSelf = 2,
  kParent = 3,
  kVisible = 4,
  kDisabled = 5,
  kInteractive = 6,
  kRedrawEnabled = 7,
  kCursor = 8,
  kKind = 13,
  kFirstChild = 14,
  kLastChild = 15,
  kPreviousSibling = 16,
  kNextSibling = 17,
  kTransitionStep = 18,
  kHost = 21,
  kOpacity = 22,
  kTransitionInterval = 24,
  kTransitionSteps = 27,
  kTransitionKind = 28,
};
}  // namespace control_field

// The fields by handle: 0 (and no effect) for a null or dead handle.
std::int64_t GetControlField(Handle control, control_field::Index index);
void SetControlField(Handle control, control_field::Index index, std::int64_t value);

}  // namespace razezazo
