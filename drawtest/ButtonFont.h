#pragma once
#include "UiLanguage.h"

// The one font of both button captions: 12 point, a face that has the language's glyphs.
struct ButtonFont {
    const wchar_t* face;
    // A character height in pixels, negative as font creation expects it.
    int height;
};

ButtonFont ButtonFontFor(UiLanguage language, int pixelsPerInch);
