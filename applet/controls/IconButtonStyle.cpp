#include "IconButtonStyle.h"

namespace IconButtonStyle {

namespace {
// Bits of the type that would turn an owner-drawn type into another kind.
constexpr std::uint32_t kClearedOnRequest = 0x04 | 0x10;
} // namespace

bool IsDefaultType(std::uint32_t style) {
    return (style & kTypeBits) == kDefaultPushButton;
}

std::uint32_t OwnerDrawn(std::uint32_t style) {
    return (style & ~kTypeBits) | kOwnerDrawn;
}

StyleChange Request(std::uint32_t requested, bool wasDefault) {
    bool isDefault = wasDefault;
    if ((requested & kTypeBits) == kDefaultPushButton) {
        isDefault = true;
    } else if ((requested & kTypeBits) == kPushButton) {
        isDefault = false;
    }
    return {(requested & ~kClearedOnRequest) | kOwnerDrawn, isDefault};
}

std::uint32_t DialogCode(std::uint32_t standardAnswer, bool isDefault) {
    return standardAnswer | (isDefault ? kDefaultPushCode : kUndefaultPushCode);
}

} // namespace IconButtonStyle
