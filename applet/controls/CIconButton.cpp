#include "CIconButton.h"
#include "BoxRect.h"
#include "DeviceContexts.h"
#include "IconButtonLayout.h"
#include "IconButtonStyle.h"
#include "ResourceModule.h"

namespace {

using IconButtonLayout::EdgeColor;

struct EdgeSystemColor {
    EdgeColor edge;
    int systemColor;
};

constexpr EdgeSystemColor kEdgeColors[] = {
    {EdgeColor::Highlight, COLOR_BTNHIGHLIGHT},
    {EdgeColor::Light, COLOR_3DLIGHT},
    {EdgeColor::DarkShadow, COLOR_3DDKSHADOW},
    {EdgeColor::Shadow, COLOR_BTNSHADOW},
};

COLORREF SystemColorOf(EdgeColor edge) {
    for (const EdgeSystemColor& entry : kEdgeColors) {
        if (entry.edge == edge) {
            return GetSysColor(entry.systemColor);
        }
    }
    return GetSysColor(COLOR_BTNSHADOW);
}

void Frame(HDC dc, const RECT& rect, COLORREF color) {
    const ScopedBrush brush(CreateSolidBrush(color));
    FrameRect(dc, &rect, brush.Get());
}

constexpr UINT kCaptionFormat = DT_WORDBREAK | DT_CENTER;

} // namespace

CIconButton::CIconButton()
    : m_faceColor(GetSysColor(COLOR_BTNFACE)), m_textColor(GetSysColor(COLOR_BTNTEXT)) {}

bool CIconButton::SetIconResource(UINT id) {
    m_icon.Reset();
    m_iconWidth = m_iconHeight = 0;
    ScopedIcon icon(static_cast<HICON>(
        LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
    if (icon) {
        ICONINFO info{};
        if (!GetIconInfo(icon.Get(), &info)) {
            return false;
        }
        // The query hands out copies of the icon's bitmaps.
        const ScopedBitmap mask(info.hbmMask);
        const ScopedBitmap color(info.hbmColor);
        // An icon's hot spot is its centre.
        m_iconWidth = static_cast<int>(info.xHotspot * 2);
        m_iconHeight = static_cast<int>(info.yHotspot * 2);
        m_icon = std::move(icon);
    }
    if (m_hWnd != nullptr) {
        Invalidate();
    }
    return true;
}

void CIconButton::OnSubclassed() {
    const auto style = static_cast<std::uint32_t>(GetWindowLongW(m_hWnd, GWL_STYLE));
    m_default = IconButtonStyle::IsDefaultType(style);
    SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(IconButtonStyle::OwnerDrawn(style)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CIconButton::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The button's own id is not known here: any id, as the parent reflected it to us.
    static constexpr MessageEntry<CIconButton> kReflected[] = {
        MapMessage<&CIconButton::OnDrawItem>(WM_DRAWITEM),
        MapMessage<&CIconButton::OnCtlColor>(WM_CTLCOLORBTN),
        MapControlRange<&CIconButton::OnClicked>(0, 0xFFFF, BN_CLICKED),
    };
    if (!DispatchTable(*this, kReflected, message, wParam, lParam, result)) {
        return false;
    }
    // The click goes on to the parent, which acts on it.
    return message != WM_COMMAND;
}

bool CIconButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CIconButton> kMessages[] = {
        MapMessage<&CIconButton::OnSetStyle>(BM_SETSTYLE),
        MapMessage<&CIconButton::OnGetDlgCode>(WM_GETDLGCODE),
        MapMessage<&CIconButton::OnDoubleClick>(WM_LBUTTONDBLCLK),
        MapMessage<&CIconButton::OnEnable>(WM_ENABLE),
        MapMessage<&CIconButton::OnSysColorChange>(WM_SYSCOLORCHANGE),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

void CIconButton::OnClicked() {
    SetFocus(m_hWnd);
}

LRESULT CIconButton::OnCtlColor(WPARAM, LPARAM) {
    // Nothing is painted beneath the owner drawing.
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT CIconButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    const IconButtonStyle::StyleChange change =
        IconButtonStyle::Request(static_cast<std::uint32_t>(wParam), m_default);
    m_default = change.isDefault;
    return CallDefault(BM_SETSTYLE, change.applied, lParam);
}

LRESULT CIconButton::OnGetDlgCode(WPARAM, LPARAM) {
    return static_cast<LRESULT>(
        IconButtonStyle::DialogCode(static_cast<std::uint32_t>(Default()), m_default));
}

LRESULT CIconButton::OnDoubleClick(WPARAM wParam, LPARAM lParam) {
    // An owner-drawn button reports a double click instead of a second click.
    return CallDefault(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CIconButton::OnEnable(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    if (wParam == FALSE) {
        const HWND parent = GetParent(m_hWnd);
        const HWND next = GetNextDlgTabItem(parent, m_hWnd, FALSE);
        SetFocus(next != nullptr && next != m_hWnd ? next : parent);
    }
    return result;
}

LRESULT CIconButton::OnSysColorChange(WPARAM, LPARAM) {
    const LRESULT result = Default();
    m_faceColor = GetSysColor(COLOR_BTNFACE);
    m_textColor = GetSysColor(COLOR_BTNTEXT);
    Invalidate();
    return result;
}

LRESULT CIconButton::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    m_pressed = (item.itemState & ODS_SELECTED) != 0;
    m_focused = (item.itemState & ODS_FOCUS) != 0;
    m_disabled = (item.itemState & ODS_DISABLED) != 0;
    const HDC dc = item.hDC;
    const SavedDC saved(dc);
    SetBkMode(dc, TRANSPARENT);

    const Box itemBox = ToBox(item.rcItem);
    const RECT face = ToRect(IconButtonLayout::Face(itemBox, m_focused || m_default));
    DrawBackground(dc, item.rcItem, face);
    DrawBorder(dc, face);

    const std::wstring caption = Text();
    const IconButtonLayout::Parts parts =
        IconButtonLayout::LayOut(itemBox, {m_iconWidth, m_iconHeight}, static_cast<bool>(m_icon),
                                 !caption.empty(), m_pressed);
    if (m_icon) {
        DrawIcon(dc, ToRect(parts.icon));
    }
    if (!caption.empty()) {
        DrawCaption(dc, caption, ToRect(parts.captionArea));
    }
    if (m_focused) {
        const RECT focus = ToRect(ToBox(face).Inset(IconButtonLayout::kFocusInset));
        DrawFocusRect(dc, &focus);
    }
    return TRUE;
}

void CIconButton::DrawBackground(HDC dc, const RECT& item, const RECT& face) const {
    if (m_focused || m_default) {
        // Black in the standard schemes; a high-contrast scheme gives its own.
        Frame(dc, item, GetSysColor(COLOR_WINDOWFRAME));
    }
    const ScopedBrush brush(CreateSolidBrush(m_faceColor));
    FillRect(dc, &face, brush.Get());
}

void CIconButton::DrawBorder(HDC dc, const RECT& face) const {
    if (m_pressed) {
        Frame(dc, face, GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    for (const IconButtonLayout::EdgeStroke& stroke : IconButtonLayout::RaisedBorder(ToBox(face))) {
        const ScopedPen pen(CreatePen(PS_SOLID, 1, SystemColorOf(stroke.color)));
        const SelectedObject selected(dc, pen.Get());
        MoveToEx(dc, stroke.points[0].x, stroke.points[0].y, nullptr);
        LineTo(dc, stroke.points[1].x, stroke.points[1].y);
        LineTo(dc, stroke.points[2].x, stroke.points[2].y);
    }
}

void CIconButton::DrawIcon(HDC dc, const RECT& place) const {
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_icon.Get()), 0, place.left,
               place.top, m_iconWidth, m_iconHeight,
               DST_ICON | (m_disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CIconButton::DrawCaption(HDC dc, const std::wstring& caption, const RECT& area) const {
    RECT measured = area;
    DrawTextW(dc, caption.c_str(), -1, &measured, kCaptionFormat | DT_CALCRECT);
    const Box place = IconButtonLayout::CentredCaption(
        ToBox(area), {measured.right - measured.left, measured.bottom - measured.top});
    if (m_disabled) {
        RECT raised = ToRect(place.Offset(1, 1));
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, caption.c_str(), -1, &raised, kCaptionFormat);
        RECT sunken = ToRect(place);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc, caption.c_str(), -1, &sunken, kCaptionFormat);
        return;
    }
    RECT text = ToRect(place);
    SetTextColor(dc, m_textColor);
    DrawTextW(dc, caption.c_str(), -1, &text, kCaptionFormat);
}
