#pragma once
#include "Box.h"
#include <cstdint>

// How a link shrinks its window to the text it shows, keeping the edge or centre its static
// style anchors the text to.
namespace LinkFit {

enum class Anchor { Left, Centre, Right };

Anchor AnchorOf(std::uint32_t staticStyle);
bool CentresVertically(std::uint32_t staticStyle);

// `window` in the parent's client coordinates, `text` the size of the one-line text.
Box FitToText(const Box& window, Extent text, Anchor anchor, bool centredVertically);

} // namespace LinkFit
