#pragma once

// The look of a hover button; the numbers are the ones the button keeps.
enum class ButtonState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

// What a mouse move asks of the button; both changes also redraw it.
enum class CaptureChange { None, Take, Release };

// The hover button's state and its tracking of the pointer. While hovering the button holds the
// mouse capture so that it learns when the pointer leaves.
class HoverState {
  public:
    CaptureChange OnMouseMove(bool holdsCapture, bool insideItem);
    void OnPress() { m_state = ButtonState::Pressed; }
    void OnRelease() { m_state = ButtonState::Hover; }

    // The state one draw shows: disabled exactly while the control is disabled.
    ButtonState StateForDraw(bool controlDisabled);

    ButtonState State() const { return m_state; }
    bool Tracking() const { return m_tracking; }

  private:
    ButtonState m_state = ButtonState::Normal;
    bool m_tracking = false;
};

// A pressed button is drawn flat, every other state with a raised edge.
inline bool DrawsRaisedEdge(ButtonState state) {
    return state != ButtonState::Pressed;
}
