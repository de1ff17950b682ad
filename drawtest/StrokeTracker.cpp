#include "StrokeTracker.h"

void StrokeTracker::Press(Point at) {
    m_last = at;
    m_drawing = true;
}

std::optional<StrokeSegment> StrokeTracker::Move(Point to, int penWidth) {
    if (!m_drawing) {
        return std::nullopt;
    }
    const StrokeSegment segment{{m_last, to}, penWidth};
    m_last = to;
    return segment;
}

std::optional<StrokeSegment> StrokeTracker::Release(Point at) {
    const bool wasDrawing = m_drawing;
    m_drawing = false;
    if (!wasDrawing) {
        return std::nullopt;
    }
    return StrokeSegment{{m_last, at}, 1};
}
