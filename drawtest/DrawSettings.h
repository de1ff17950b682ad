#pragma once
#include "DrawColors.h"

// Pen and grid as the settings menu leaves them; every run starts from these values.
struct DrawSettings {
    Rgb penColor = DrawColors::kRed;
    int penWidth = 1;
    bool showGrid = true;
    int gridCount = 15;
    Rgb gridColor = DrawColors::kYellow;
    int gridLineWidth = 1;
};
