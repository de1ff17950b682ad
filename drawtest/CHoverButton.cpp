#include "CHoverButton.h"
#include "DeviceContexts.h"
#include <windowsx.h>

CHoverButton::CHoverButton()
    : m_textColor(GetSysColor(COLOR_BTNTEXT)), m_faceColor(GetSysColor(COLOR_BTNFACE)),
      m_disabledTextColor(GetSysColor(COLOR_GRAYTEXT)), m_faceBrush(CreateSolidBrush(m_faceColor)) {
}

LRESULT CHoverButton::OnSysColorChange(WPARAM, LPARAM) {
    m_textColor = GetSysColor(COLOR_BTNTEXT);
    m_disabledTextColor = GetSysColor(COLOR_GRAYTEXT);
    Invalidate();
    return Default();
}

void CHoverButton::SetFaceColor(COLORREF color) {
    m_faceColor = color;
    m_faceBrush.Reset(CreateSolidBrush(color));
    if (m_hWnd != nullptr) {
        Invalidate();
    }
}

void CHoverButton::SetCaption(const wchar_t* caption) {
    m_caption = caption;
    // The control's own text follows, for whoever reads it instead of looking.
    SetText(caption);
}

void CHoverButton::OnSubclassed() {
    AddStyle(BS_OWNERDRAW);
}

bool CHoverButton::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CHoverButton> kReflected[] = {
        MapMessage<&CHoverButton::OnDrawItem>(WM_DRAWITEM),
        MapMessage<&CHoverButton::OnCtlColor>(WM_CTLCOLORBTN),
    };
    return DispatchTable(*this, kReflected, message, wParam, lParam, result);
}

bool CHoverButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CHoverButton> kMessages[] = {
        MapMessage<&CHoverButton::OnMouseMove>(WM_MOUSEMOVE),
        MapMessage<&CHoverButton::OnLButtonDown>(WM_LBUTTONDOWN),
        MapMessage<&CHoverButton::OnLButtonUp>(WM_LBUTTONUP),
        MapMessage<&CHoverButton::OnSysColorChange>(WM_SYSCOLORCHANGE),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

LRESULT CHoverButton::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    m_item = item.rcItem;
    if (m_caption.empty()) {
        wchar_t text[256] = L"";
        GetWindowTextW(m_hWnd, text, ARRAYSIZE(text));
        m_caption = text;
    }
    SavedDC saved(item.hDC);
    Draw(item.hDC);
    return TRUE;
}

void CHoverButton::Draw(HDC dc) {
    const ButtonState state = m_hover.StateForDraw(IsDisabled());
    SelectedObject brush(dc, m_faceBrush.Get());
    if (DrawsRaisedEdge(state)) {
        RECT edge = m_item;
        edge.left += 2;
        edge.top += 1;
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
    SetTextColor(dc, state == ButtonState::Disabled ? m_disabledTextColor : m_textColor);
    SetBkMode(dc, TRANSPARENT);
    RECT text = m_item;
    // The dialog sizes the font so that the caption fits whole.
    DrawTextW(dc, m_caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CHoverButton::OnCtlColor(WPARAM wParam, LPARAM) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, m_textColor);
    SetBkColor(dc, m_faceColor);
    return reinterpret_cast<LRESULT>(m_faceBrush.Get());
}

LRESULT CHoverButton::OnMouseMove(WPARAM, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const CaptureChange change =
        m_hover.OnMouseMove(GetCapture() == m_hWnd, PtInRect(&m_item, at) != FALSE);
    if (change == CaptureChange::Take) {
        SetCapture(m_hWnd);
    } else if (change == CaptureChange::Release) {
        ReleaseCapture();
    }
    if (change != CaptureChange::None) {
        Invalidate();
    }
    return Default();
}

LRESULT CHoverButton::OnLButtonDown(WPARAM, LPARAM) {
    m_hover.OnPress();
    Invalidate();
    return Default();
}

LRESULT CHoverButton::OnLButtonUp(WPARAM, LPARAM) {
    m_hover.OnRelease();
    Invalidate();
    return Default();
}
