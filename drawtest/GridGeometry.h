#pragma once
#include "DrawGeometry.h"
#include <vector>

// The grid over a width × height surface cut into count × count cells (sizes truncated): first
// the horizontal lines, then the vertical ones. No line lies at 0; the last lies at count · cell,
// on or just inside the far edge.
std::vector<LineSegment> GridLines(int width, int height, int count);
