#pragma once
// The caption-button strip: the built-in 729 x 20 picture that holds the
// normal, hot and pressed face of every caption button, decoded once.
#include "platform/gfx/bitmap.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

const gfx::Bitmap& CaptionButtonStrip(float scale);

// Where a face lies in the strip. Kind 8 has two sets of faces: maximise, and
// restore for a maximised window. State 1 is hot, 2 pressed, anything else normal.
FloatRect CaptionButtonFace(int button_kind, int state, bool zoomed);

// 39 for the close button, 28 for the others.
int CaptionButtonWidth(int button_kind);

}  // namespace razezazo
