#pragma once
#include "UiLanguage.h"
#include <string>
#include <windows.h>

// The one application object of a tool. Each program defines exactly one; the framework's
// entry point runs its InitInstance.
class CApplication {
  public:
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    static CApplication* Current() { return s_current; }

    // Runs a program; the value is the process's exit code. A library's application object
    // lives from load to unload and is never run.
    virtual int InitInstance() { return 0; }

    HWND MainWindow() const { return m_mainWindow; }
    void SetMainWindow(HWND window) { m_mainWindow = window; }

    // Colours every dialog of the tool gets for its background and static texts.
    void SetDialogColors(COLORREF background, COLORREF text);
    HBRUSH DialogBrush() const { return m_dialogBrush; }
    COLORREF DialogTextColor() const { return m_dialogText; }

    // The look of current common controls for the dialogs and controls that follow.
    static void EnableControls3d();
    // Registers the common control classes (ICC_ flags) a tool's dialogs are made of. A library
    // calls it itself: its host may have registered none.
    static void RegisterCommonControls(DWORD classes);
    // The system default locale's language.
    static UiLanguage SystemLanguage();
    // The resource module's full path; empty when the system cannot tell it.
    static std::wstring ModulePath();
    // The resource module's file name without its extension, the caption of its message boxes.
    static std::wstring ModuleName();

  private:
    static CApplication* s_current;
    HWND m_mainWindow = nullptr;
    HBRUSH m_dialogBrush = nullptr;
    COLORREF m_dialogText = 0;
};
