#pragma once
#include "Handles.h"
#include "Controls.h"
#include "LinkToolTip.h"
#include <cstdint>
#include <string>

// A static text of a dialog template turned into a hyperlink: link, visited and hover
// colours, a hand cursor, a tooltip with the target, and a click that opens the target
// through the shell or the program registered for web pages, with a message on failure.
class CLinkStatic final : public CStatic {
  public:
    CLinkStatic();

    // What a click opens; the window shrinks to its text and the tooltip follows.
    void SetTarget(const std::wstring& target);
    void MarkVisited(bool visited);
    // Null loads the hand cursor of the system's help program. The owner keeps its cursor.
    void SetHandCursor(HCURSOR cursor);
    void SetUnderlined(bool underlined);

    const std::wstring& Target() const { return m_target; }
    bool Visited() const { return m_visited; }

    // Opens a target as a click does; above 32 is success.
    static std::intptr_t OpenTarget(const std::wstring& target, int show);
    // Tells the user why a target could not be opened.
    void ReportOpenError(std::intptr_t code) const;

    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnSubclassed() override;

  private:
    LRESULT OnCtlColor(WPARAM wParam, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM lParam);
    LRESULT OnCaptureChanged(WPARAM, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM, LPARAM);

    void OnClicked();
    void FitToText() const;
    void LoadHandCursor();
    void UseFont(const LOGFONTW& font);
    LOGFONTW CurrentFont() const;
    // Redraws the link with its background, at once or with the next paint.
    void Repaint(bool now) const;

    const COLORREF m_linkColor = RGB(0, 0, 238);
    const COLORREF m_visitedColor = RGB(85, 26, 139);
    const COLORREF m_hoverColor;
    bool m_pointerOver = false;
    bool m_visited = false;
    bool m_underlined = true;
    bool m_fitToText = true;
    std::wstring m_target;
    ScopedFont m_font;
    HCURSOR m_cursor = nullptr;
    // The copy of the help program's cursor, when the link made one.
    ScopedCursor m_ownCursor;
    LinkToolTip m_toolTip;
};
