#include "razezazo/controls/button_face.h"

#include <array>

#include "razezazo/drawing/border.h"
#include "razezazo/drawing/clip.h"
#include "razezazo/drawing/shapes.h"

namespace razezazo {
namespace {

struct FaceRow {
  std::array<std::uint32_t, 6> colours;  // Windows RGB
  std::array<int, 6> alphas;
};

// Rows for the states 0 normal, 1 hot, 2 pressed, 3 focused, then -1.
constexpr std::array<FaceRow, 5> kFaces{{
    {{0xECECEC, 0, 0, 0, 0xFFFFFF, 0}, {0xCC, 0x00, 0x66, 0x50, 0x33, 0x19}},
    {{0xECECEC, 0, 0, 0, 0xFFFFFF, 0}, {0xCC, 0x15, 0x99, 0x46, 0x33, 0x1E}},
    {{0xECECEC, 0, 0xECECEC, 0, 0xFFFFFF, 0}, {0xCC, 0x99, 0x15, 0x46, 0x33, 0x0A}},
    {{0xECECEC, 0, 0, 0, 0xFFFFFF, 0}, {0xCC, 0x33, 0x99, 0x50, 0x3D, 0x19}},
    {{0xFFFFFF, 0, 0, 0, 0xFFFFFF, 0}, {0x33, 0x33, 0x33, 0x23, 0x1E, 0x00}},
}};

const FaceRow& RowOf(int state) {
  if (state == kButtonDisabledLook) return kFaces[4];
  if (state < 0 || state > kButtonFocused) return kFaces[0];
  return kFaces[static_cast<size_t>(state)];
}

}  // namespace

Color ButtonFaceColour(int state, int role, std::uint32_t host_background) {
  const FaceRow& row = RowOf(state);
  const auto r = static_cast<size_t>(role);
  const bool gradient = role == kGradientTop || role == kGradientBottom;
  return ToArgb(gradient ? host_background : row.colours[r], row.alphas[r]);
}

void DrawButtonFace(gfx::Graphics& g, float w, float h, int state, std::uint32_t host_background, bool rounded) {
  auto colour = [&](int role) { return ButtonFaceColour(state, role, host_background); };
  FloatRect f{0, 0, w, h - 1};
  if (rounded) ClipToPath(g, RoundRectPath(f, 4));
  FillRoundRect(g, f, 3, colour(kFaceFill));
  GradientFillRect(g, f, colour(kGradientTop), colour(kGradientBottom), gfx::GradientMode::Vertical);
  if (rounded) {
    ResetClip(g);
    OutlineRoundRect(g, f, 3, colour(kOuterBorder));
    f = Inset(f);
    OutlineRoundRect(g, f, 3, colour(kInnerBorder));
  } else {
    DrawBorder(g, f, colour(kOuterBorder));
    f = Inset(f);
    DrawBorder(g, f, colour(kInnerBorder));
  }
  Line(g, colour(kBottomLine), 1, h - 1, w - 2, h - 1);
}

}  // namespace razezazo
