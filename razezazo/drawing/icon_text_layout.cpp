#include "razezazo/drawing/icon_text_layout.h"

namespace razezazo {

IconTextRects LayoutIconText(const FloatRect& r, SizeF t, SizeF i, IconTextLayout layout, float dx, float dy, float g) {
  const float tw = t.width, th = t.height, iw = i.width, ih = i.height;
  auto centred_y = [&](float height) { return dy + r.y + (r.height - height) / 2; };
  auto centred_x = [&](float width) { return dx + r.x + (r.width - width) / 2; };
  FloatRect icon{0, centred_y(ih), iw, ih};
  FloatRect text{0, centred_y(th + 2), tw + 2, th + 2};
  switch (layout) {
    case IconTextLayout::kTextLeftOfIcon:
      text.x = centred_x(iw + g + tw);
      icon.x = Truncate(text).x + tw + g;
      break;
    case IconTextLayout::kIconAboveText:
      icon.x = centred_x(iw);
      icon.y = dy + r.y + (r.height - ih - g - th) / 2;
      text.x = centred_x(tw);
      text.y = Truncate(icon).y + ih + g;
      break;
    case IconTextLayout::kBothCentred:
      icon.x = centred_x(iw);
      text.x = centred_x(tw);
      break;
    case IconTextLayout::kIconAtLeftEdge:
      icon.x = dx + r.x;
      text.x = Truncate(icon).x + iw + g;
      text.width = r.width - iw - g - dx;
      break;
    case IconTextLayout::kTextAtLeftEdge:
      text.x = dx + r.x;
      text.width = r.width - iw - g - dx;
      icon.x = Truncate(text).x + Truncate(text).width + g;
      break;
    case IconTextLayout::kIconAtTop:
      icon.x = centred_x(iw);
      icon.y = dy + r.y;
      text = {centred_x(tw), Truncate(icon).y + ih + g, tw + 5, th + 2};
      break;
    default:  // icon left of text
      icon.x = centred_x(iw + g + tw);
      text.x = Truncate(icon).x + iw + g;
      break;
  }
  return {Truncate(icon), Truncate(text)};
}

}  // namespace razezazo
