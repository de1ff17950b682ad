#pragma once
#include "Box.h"
#include <windows.h>

// Between the portable geometry and GDI's rectangles.

inline Box ToBox(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

inline RECT ToRect(const Box& box) {
    return {box.left, box.top, box.right, box.bottom};
}
