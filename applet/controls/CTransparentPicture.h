#pragma once
#include "Controls.h"

// A bitmap static that paints its bitmap with pure white left out, so the dialog shows
// through. Without a bitmap it paints like any static.
class CTransparentPicture : public CStatic {
  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The one masked copy to the screen: the screen stays where `mask` is set. False when
    // the system does not offer it.
    virtual bool CopyMasked(HDC screen, HDC composed, HBITMAP mask, int width, int height) const;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
};
