#pragma once
#include "DrawGeometry.h"
#include <optional>

// One piece of a stroke to draw at once with a pen of `width` pixels.
struct StrokeSegment {
    LineSegment line;
    int width = 1;
};

// The stroke the surface is drawing. Nothing is kept but the last point: each mouse message
// yields at most one segment, drawn straight away. Only a release seen by the surface ends a
// stroke, so one that left over a button goes on from its last point.
class StrokeTracker {
  public:
    void Press(Point at);
    std::optional<StrokeSegment> Move(Point to, int penWidth);
    // The closing segment is always one pixel wide.
    std::optional<StrokeSegment> Release(Point at);

    bool Drawing() const { return m_drawing; }
    Point Last() const { return m_last; }

  private:
    bool m_drawing = false;
    Point m_last;
};
