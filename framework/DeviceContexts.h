#pragma once
#include <windows.h>

// Device contexts and selections that undo themselves, one class per way of getting a DC.

class PaintDC {
  public:
    explicit PaintDC(HWND window) : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    ~PaintDC() { EndPaint(m_window, &m_paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return m_dc; }

  private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

class ClientDC {
  public:
    explicit ClientDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~ClientDC() {
        if (m_dc != nullptr) {
            ReleaseDC(m_window, m_dc);
        }
    }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    HDC Get() const { return m_dc; }

  private:
    HWND m_window;
    HDC m_dc;
};

class MemoryDC {
  public:
    explicit MemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (m_dc != nullptr) {
            DeleteDC(m_dc);
        }
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return m_dc; }

  private:
    HDC m_dc;
};

// Selects a GDI object into a DC and puts the previous one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Saves a DC's whole state and restores it.
class SavedDC {
  public:
    explicit SavedDC(HDC dc) : m_dc(dc), m_state(SaveDC(dc)) {}
    ~SavedDC() { RestoreDC(m_dc, m_state); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

  private:
    HDC m_dc;
    int m_state;
};
