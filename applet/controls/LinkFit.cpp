#include "LinkFit.h"

namespace LinkFit {

namespace {
constexpr std::uint32_t kTypeBits = 0x1F;
constexpr std::uint32_t kCentredText = 0x01;
constexpr std::uint32_t kRightText = 0x02;
constexpr std::uint32_t kCentreImage = 0x200;
} // namespace

Anchor AnchorOf(std::uint32_t staticStyle) {
    switch (staticStyle & kTypeBits) {
    case kCentredText:
        return Anchor::Centre;
    case kRightText:
        return Anchor::Right;
    default:
        return Anchor::Left;
    }
}

bool CentresVertically(std::uint32_t staticStyle) {
    return (staticStyle & kCentreImage) != 0;
}

Box FitToText(const Box& window, Extent text, Anchor anchor, bool centredVertically) {
    Box fitted = window;
    if (centredVertically) {
        const int margin = (window.Height() - text.height) / 2;
        fitted.top += margin;
        fitted.bottom -= margin;
    } else {
        fitted.bottom = fitted.top + text.height;
    }
    switch (anchor) {
    case Anchor::Centre: {
        const int margin = (window.Width() - text.width) / 2;
        fitted.left += margin;
        fitted.right -= margin;
        break;
    }
    case Anchor::Right:
        fitted.left = fitted.right - text.width;
        break;
    case Anchor::Left:
        fitted.right = fitted.left + text.width;
        break;
    }
    return fitted;
}

} // namespace LinkFit
