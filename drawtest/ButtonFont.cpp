#include "ButtonFont.h"

namespace {
constexpr TextPair kFace{L"Arial Black", L"新宋体"};
constexpr int kTenthsOfPoint = 120;
constexpr int kTenthsOfPointPerInch = 720;
} // namespace

ButtonFont ButtonFontFor(UiLanguage language, int pixelsPerInch) {
    // Rounded to the nearest pixel, as MulDiv does.
    const int pixels =
        (pixelsPerInch * kTenthsOfPoint + kTenthsOfPointPerInch / 2) / kTenthsOfPointPerInch;
    return {kFace.In(language), -pixels};
}
