#include "ButtonPlacement.h"

ButtonPlacement PlaceButtons(const ScreenRect& desktop) {
    const int w8 = (desktop.right - desktop.left) / 8;
    const int h8 = (desktop.bottom - desktop.top) / 8;
    const int w16 = w8 / 2;
    const int h16 = h8 / 2;
    const int top = desktop.bottom - h8 - h16;
    return {{desktop.left + w8, top, w16, h16}, {desktop.right - w8 - w16, top, w16, h16}};
}
