#pragma once
#include "Box.h"
#include <array>

// Where the icon push button draws each part of itself inside the rectangle of one owner-draw
// request. All divisions truncate toward zero, as the drawing code's integer arithmetic does.
namespace IconButtonLayout {

inline constexpr int kIconMargin = 3;
inline constexpr Point kPressedOffset{1, 1};
inline constexpr int kFocusInset = 3;

struct Parts {
    // Where the icon goes; meaningless when the button has no icon.
    Box icon;
    // The space the caption is centred in.
    Box captionArea;
};

// The icon beside a caption, or centred alone; both shifted while pressed.
Parts LayOut(const Box& item, Extent icon, bool hasIcon, bool hasCaption, bool pressed);

// The caption's measured size placed in the middle of its area.
Box CentredCaption(const Box& area, Extent measured);

// The face inside the black one-pixel frame a focused or default button gets.
Box Face(const Box& item, bool framed);

enum class EdgeColor { Highlight, Light, DarkShadow, Shadow };

// One line of the raised border: from the first point through the second to the third, the
// end point left out as line drawing does.
struct EdgeStroke {
    EdgeColor color;
    std::array<Point, 3> points;
};

// The raised border of a button that is not pressed, outer strokes first.
std::array<EdgeStroke, 4> RaisedBorder(const Box& face);

} // namespace IconButtonLayout
