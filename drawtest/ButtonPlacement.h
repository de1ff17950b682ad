#pragma once
#include "DrawGeometry.h"

// Where the clear and exit buttons go: each a sixteenth of the screen wide and tall, their lower
// edges an eighth of the height above the bottom, an eighth of the width in from the left
// (clear) and from the right (exit). Client coordinates of the full-screen window.
struct ButtonPlacement {
    Box clear;
    Box exit;
};

ButtonPlacement PlaceButtons(const ScreenRect& desktop);
