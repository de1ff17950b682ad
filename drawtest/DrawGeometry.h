#pragma once

// Plain integer geometry in client (or screen) pixels.

struct Point {
    int x = 0;
    int y = 0;
};

struct LineSegment {
    Point from;
    Point to;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
