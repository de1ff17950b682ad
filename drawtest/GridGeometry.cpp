#include "GridGeometry.h"

std::vector<LineSegment> GridLines(int width, int height, int count) {
    std::vector<LineSegment> lines;
    if (count <= 0) {
        return lines;
    }
    const int cellWidth = width / count;
    const int cellHeight = height / count;
    lines.reserve(2 * static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        lines.push_back({{0, k * cellHeight}, {width, k * cellHeight}});
    }
    for (int k = 1; k <= count; ++k) {
        lines.push_back({{k * cellWidth, 0}, {k * cellWidth, height}});
    }
    return lines;
}
