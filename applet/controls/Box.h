#pragma once

// A rectangle in pixels with the right and bottom edges outside it, as GDI counts them; the
// controls' geometry is worked out on these so it can be checked without a window.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Box Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Box Inset(int by) const { return {left + by, top + by, right - by, bottom - by}; }
    bool operator==(const Box& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

struct Extent {
    int width = 0;
    int height = 0;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point& other) const { return x == other.x && y == other.y; }
};
