#pragma once
#include "UiLanguage.h"

// The one font of both button captions: 12 point, a face that has the language's glyphs.
struct ButtonFont {
    const wchar_t* face;
    // A character height in pixels, negative as font creation expects it.
    int height;
};

ButtonFont ButtonFontFor(UiLanguage language, int pixelsPerInch);

// Below this a caption is no longer worth reading; the font shrinks no further.
inline constexpr int kSmallestCaptionHeight = 6;

// The largest character height, from `height` down, at which the widest caption measures no
// more than `available` pixels (`widestAt(height)`); a button of a small screen at a high DPI
// gets smaller letters rather than a cut caption.
template <class WidestAt> int FittingCaptionHeight(int height, int available, WidestAt&& widestAt) {
    while (height > kSmallestCaptionHeight && widestAt(height) > available) {
        --height;
    }
    return height;
}
