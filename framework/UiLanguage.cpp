#include "UiLanguage.h"

UiLanguage LanguageFromLocale(std::uint32_t lcid, UiLanguage current) {
    constexpr std::uint32_t englishUs = 1033, chinesePrc = 2052, chineseTaiwan = 1028;
    if (lcid == englishUs) {
        return UiLanguage::English;
    }
    if (lcid == chinesePrc || lcid == chineseTaiwan) {
        return UiLanguage::Chinese;
    }
    return current;
}
