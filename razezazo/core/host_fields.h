#pragma once
// A host's numbered fields, for code that addresses them by index. Only the
// fields that hold a number or a handle are listed: buffers, pictures, lists
// and records read 0 and ignore writes. A documented number is taken with an
// explicit conversion: host_field::Index{21}.
#include <cstdint>

#include "razezazo/widgets/framework_object.h"

namespace razezazo {

namespace host_field {
enum Index : int {
  kWindow = 1,
  kSelf = 2,
  kFocused = 5,
  kHot = 6,
  kPressed = 7,
  kPressing = 8,
  kBusy = 9,
  kBackgroundSource = 16,
  kBackgroundColour = 21,
  kFirstControl = 22,
  kLastControl = 23,
  kCaptionFlags = 24,
  kFrameStyle = 26,
  kLayerAlpha = 27,
  kImagePlacement = 28,
  kShadowColour = 29,
  kResizable = 30,
  kDragAnywhere = 31,
  kImageEdges = 32,
  kCloseAnimation = 33,
  kKeyboardFocus = 36,
  kBlurBehind = 37,
  kInitialPaint = 38,
  kDefaultCursor = 39,
  kLeaveTracking = 45,
};
}  // namespace host_field

// The fields by handle: 0 (and no effect) for a null or dead handle.
std::int64_t GetHostField(Handle host, host_field::Index index);
void SetHostField(Handle host, host_field::Index index, std::int64_t value);

}  // namespace razezazo
