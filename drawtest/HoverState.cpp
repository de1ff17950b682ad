#include "HoverState.h"

CaptureChange HoverState::OnMouseMove(bool holdsCapture, bool insideItem) {
    if (m_tracking && holdsCapture) {
        if (insideItem) {
            return CaptureChange::None;
        }
        m_tracking = false;
        m_state = ButtonState::Normal;
        return CaptureChange::Release;
    }
    m_tracking = true;
    m_state = ButtonState::Hover;
    return CaptureChange::Take;
}

ButtonState HoverState::StateForDraw(bool controlDisabled) {
    if (m_state == ButtonState::Disabled) {
        m_state = ButtonState::Normal;
    }
    if (controlDisabled) {
        m_state = ButtonState::Disabled;
    }
    return m_state;
}
