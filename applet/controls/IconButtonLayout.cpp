#include "IconButtonLayout.h"

namespace IconButtonLayout {

Parts LayOut(const Box& item, Extent icon, bool hasIcon, bool hasCaption, bool pressed) {
    Parts parts{{}, item};
    if (hasIcon) {
        const int left =
            hasCaption ? item.left + kIconMargin : item.left + (item.Width() - icon.width) / 2;
        const int top = item.top + (item.Height() - icon.height) / 2;
        parts.icon = {left, top, left + icon.width, top + icon.height};
        if (hasCaption) {
            parts.captionArea.left = item.left + kIconMargin + icon.width;
        }
    }
    if (pressed) {
        parts.icon = parts.icon.Offset(kPressedOffset.x, kPressedOffset.y);
        parts.captionArea = parts.captionArea.Offset(kPressedOffset.x, kPressedOffset.y);
    }
    return parts;
}

Box CentredCaption(const Box& area, Extent measured) {
    const int left = area.left + (area.Width() - measured.width) / 2;
    const int top = area.top + (area.Height() - measured.height) / 2;
    return {left, top, left + measured.width, top + measured.height};
}

Box Face(const Box& item, bool framed) {
    return framed ? item.Inset(1) : item;
}

std::array<EdgeStroke, 4> RaisedBorder(const Box& face) {
    const int l = face.left, t = face.top, r = face.right, b = face.bottom;
    return {{
        {EdgeColor::Highlight, {{{l, b - 1}, {l, t}, {r, t}}}},
        {EdgeColor::Light, {{{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}}}},
        {EdgeColor::DarkShadow, {{{l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}}}},
        {EdgeColor::Shadow, {{{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t}}}},
    }};
}

} // namespace IconButtonLayout
