#include "CTransparentPicture.h"
#include "DeviceContexts.h"
#include "Handles.h"

namespace {

constexpr COLORREF kTransparent = RGB(255, 255, 255);
// Where the mask is set the destination stays, elsewhere the source is copied.
constexpr DWORD kKeepWhereMasked = 0xCCAA0020;
// Destination AND NOT source.
constexpr DWORD kClearWhereMasked = 0x00220326;

// The bitmap on white, cut off at the client area or padded with white to fill it.
void Compose(HDC composed, HDC compatible, HBITMAP bitmap, int width, int height) {
    // A white brush, not an all-ones fill: a 32-bit surface would then hold a fourth byte the
    // mask's colour comparison does not expect.
    const RECT all{0, 0, width, height};
    FillRect(composed, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    const MemoryDC source(compatible);
    const SelectedObject selected(source.Get(), bitmap);
    BitBlt(composed, 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
}

// A monochrome image whose bits are set exactly where the composed image is white.
void MakeMask(HDC composed, HDC compatible, HBITMAP mask, int width, int height) {
    const MemoryDC maskDC(compatible);
    const SelectedObject selected(maskDC.Get(), mask);
    const COLORREF previous = SetBkColor(composed, kTransparent);
    BitBlt(maskDC.Get(), 0, 0, width, height, composed, 0, 0, SRCCOPY);
    SetBkColor(composed, previous);
}

// The masked copy in four ordinary copies, for systems without it.
void CopyMaskedInSteps(HDC screen, HDC composed, HBITMAP mask, int width, int height) {
    const MemoryDC maskDC(screen);
    const SelectedObject maskSelected(maskDC.Get(), mask);
    const MemoryDC stage(screen);
    const ScopedBitmap stageImage(CreateCompatibleBitmap(screen, width, height));
    const SelectedObject stageSelected(stage.Get(), stageImage.Get());
    BitBlt(stage.Get(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
    BitBlt(stage.Get(), 0, 0, width, height, maskDC.Get(), 0, 0, SRCAND);
    BitBlt(composed, 0, 0, width, height, maskDC.Get(), 0, 0, kClearWhereMasked);
    BitBlt(stage.Get(), 0, 0, width, height, composed, 0, 0, SRCPAINT);
    BitBlt(screen, 0, 0, width, height, stage.Get(), 0, 0, SRCCOPY);
}

} // namespace

bool CTransparentPicture::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CTransparentPicture> kMessages[] = {
        MapMessage<&CTransparentPicture::OnPaint>(WM_PAINT),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

bool CTransparentPicture::CopyMasked(HDC screen, HDC composed, HBITMAP mask, int width,
                                     int height) const {
    return MaskBlt(screen, 0, 0, width, height, composed, 0, 0, mask, 0, 0, kKeepWhereMasked) !=
           FALSE;
}

LRESULT CTransparentPicture::OnPaint(WPARAM, LPARAM) {
    const auto bitmap = reinterpret_cast<HBITMAP>(Send(STM_GETIMAGE, IMAGE_BITMAP));
    if (bitmap == nullptr) {
        return Default();
    }
    const PaintDC paint(m_hWnd);
    const HDC screen = paint.Get();
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int width = client.right;
    const int height = client.bottom;

    const MemoryDC composed(screen);
    const ScopedBitmap composedImage(CreateCompatibleBitmap(screen, width, height));
    const SelectedObject composedSelected(composed.Get(), composedImage.Get());
    Compose(composed.Get(), screen, bitmap, width, height);
    // The masked copy takes the mask as a bitmap that no device context holds.
    const ScopedBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    MakeMask(composed.Get(), screen, mask.Get(), width, height);

    if (!CopyMasked(screen, composed.Get(), mask.Get(), width, height)) {
        CopyMaskedInSteps(screen, composed.Get(), mask.Get(), width, height);
    }
    return 0;
}
